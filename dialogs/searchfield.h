#pragma once

#include <QLineEdit>

class QKeyEvent;

// A field to search in. While an input method composes (めも before it is committed), the
// composition is part of what is searched for, so that the list follows what the user sees.
class SearchField : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchField(QWidget *parent = nullptr);

    // The text as shown: with the composition in place at the cursor.
    QString query() const;
    bool isComposing() const { return !m_composition.isEmpty(); }
    // Typing in the list under the field goes on in the field: a key that types something takes
    // the focus here and is typed. False for any other key, which is the list's.
    bool typeOn(QKeyEvent *key);

signals:
    // The text or the composition changed what query() gives.
    void queryChanged(const QString &query);

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void emitIfChanged();

    QString m_composition;
    QString m_lastQuery;
};

#include "dialogs/searchfield.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

SearchField::SearchField(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &SearchField::emitIfChanged);
}

QString SearchField::query() const
{
    QString shown = text();
    return shown.insert(std::clamp(cursorPosition(), 0, int(shown.size())), m_composition);
}

void SearchField::inputMethodEvent(QInputMethodEvent *event)
{
    // Set first: a commit changes the text inside the base class, and what that change shows
    // must already be without the committed composition.
    m_composition = event->preeditString();
    QLineEdit::inputMethodEvent(event);
    emitIfChanged();
}

void SearchField::emitIfChanged()
{
    const QString now = query();
    if (now == m_lastQuery)
        return;
    m_lastQuery = now;
    emit queryChanged(now);
}

bool SearchField::typeOn(QKeyEvent *key)
{
    if (key->text().isEmpty() || !key->text().at(0).isPrint())
        return false;
    setFocus();
    event(key);
    return true;
}

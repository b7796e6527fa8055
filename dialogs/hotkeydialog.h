#pragma once

#include <QDialog>
#include <QKeySequence>

class QCheckBox;
class QKeySequenceEdit;
class QLabel;
class QPushButton;

namespace platform {
class GlobalHotkey;
}

// Which key opens the search window, or none. Each key is tried as soon as it is entered, and
// the dialog says whether it works; OK keeps it, Cancel puts back the one before.
class HotkeyDialog : public QDialog
{
    Q_OBJECT

public:
    // Ctrl+Alt+Space: the hotkey of a first start, and offered when it is switched on again.
    static QKeySequence usualKey() { return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Space); }

    HotkeyDialog(platform::GlobalHotkey &hotkey, QWidget *parent = nullptr);

    // What OK keeps: empty when the hotkey is switched off.
    QKeySequence chosenKey() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tryKey();
    void showState();

    platform::GlobalHotkey &m_hotkey;
    const QKeySequence m_before;
    QCheckBox *m_use;
    QKeySequenceEdit *m_key;
    QLabel *m_state;
    QPushButton *m_ok;
};

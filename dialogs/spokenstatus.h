#pragma once

#include <QWidget>

class QLabel;
class QString;

// News for a screen reader about what changed away from the keyboard (the list under a search
// field, as the user types), spoken without moving the focus. Never shown. To a screen reader it
// is a status bar holding a notification with the text as its label: Orca speaks a notification
// as it is shown, inside a status bar without saying "notification" first, outside the window's
// own tree without its title first, and shows its label in braille.
class SpokenStatus : public QWidget
{
    Q_OBJECT

public:
    // News of what `window` shows, spoken only while it is shown.
    explicit SpokenStatus(const QWidget &window);

    // Spoken once if it differs from the last text told; while the window is hidden it is only
    // kept (the window's own texts are read as it opens).
    void tell(const QString &text);

private:
    const QWidget &m_window;
    QWidget *m_notice;
    QLabel *m_text;
};

#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <utility>

namespace platform {

// The icon of each entry's program, for the popup and the settings window's list. On Linux:
// the icon of the desktop entry whose Exec names the same program (the user's application
// folder first, then the system's), else the icon theme's icon named like the executable,
// else a generic icon; a document or a folder shows its type's icon, a web address the icon
// of web pages. On Windows: the file's own icon. Icons are looked up off the start-up path, a
// few milliseconds at a time while the program is idle, rendered once at the size menus
// draw them, and kept for the whole run.
class ProgramIcons : public QObject
{
    Q_OBJECT

public:
    explicit ProgramIcons(QObject *parent = nullptr);
    ~ProgramIcons() override;

    // The icon as far as known, or a null icon until it has been looked up; asking for an
    // icon not known yet queues it.
    QIcon icon(const QString &programText, const QString &workFolder);
    // From now on, what was asked for is looked up while the program is idle.
    void start();

signals:
    // Icons became known: whatever shows them asks again.
    void iconsChanged();

private:
    struct Request
    {
        QString text;
        QString folder;
    };

    void work();
    bool indexNextDesktopEntry();
    QIcon lookUp(const Request &request);
    QIcon rendered(const QString &source, const std::function<QIcon()> &load);
    QIcon typeIcon(const QString &iconName, const QString &genericName, bool folder);
    QIcon genericProgramIcon();

    bool m_started = false;
    QTimer m_slice;
    QList<Request> m_pending;
    // By program text and working folder: the catalogue's own strings, shared, not copied.
    using Key = std::pair<QString, QString>;
    QSet<Key> m_queued;
    QHash<Key, QIcon> m_known;
    QHash<QString, QIcon> m_rendered; // by where the picture comes from
    QStringList m_entryFiles;         // desktop entries still to read
    bool m_entriesListed = false;
    QHash<QString, QString> m_entryIcons; // Icon= of the first entry naming each program
};

} // namespace platform

#include "platform/desktop/applications.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QPixmap>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

namespace platform {
namespace {

bool found(const QString &tryExec)
{
    if (tryExec.isEmpty())
        return true;
    if (QFileInfo(tryExec).isAbsolute())
        return QFileInfo(tryExec).isExecutable();
    return !QStandardPaths::findExecutable(tryExec).isEmpty();
}

bool shown(const DesktopEntry &entry, const QStringList &desktops)
{
    const auto onAny = [&desktops](const QStringList &names) {
        return std::any_of(desktops.begin(), desktops.end(),
                           [&names](const QString &desktop) { return names.contains(desktop); });
    };
    return entry.application && !entry.noDisplay && !entry.name.trimmed().isEmpty() &&
           (entry.onlyShowIn.isEmpty() || onAny(entry.onlyShowIn)) && !onAny(entry.notShowIn) &&
           found(entry.tryExec);
}

// Kept for as long as the program runs, hundreds of them: texts many entries have alike are held
// once (every application's "--new-window", its program in each of its actions' commands, a
// generic name, keywords, its actions' names), the others without the room they grew with as they
// were read.
void keepCompact(DesktopEntry &entry, QSet<QString> &alike)
{
    const auto share = [&alike](QString &text) {
        if (const auto known = alike.constFind(text); known != alike.cend()) {
            text = *known;
        } else {
            text.squeeze();
            alike.insert(text);
        }
    };
    const auto shareAll = [&share](QStringList &texts) {
        texts.squeeze();
        for (QString &text : texts)
            share(text);
    };
    for (QString *text : {&entry.name, &entry.comment, &entry.icon, &entry.tryExec})
        text->squeeze();
    share(entry.genericName);
    share(entry.path);
    shareAll(entry.keywords);
    shareAll(entry.exec);
    entry.actions.squeeze();
    for (DesktopAction &action : entry.actions) {
        share(action.id);
        share(action.name);
        shareAll(action.exec);
    }
}

} // namespace

FoundApplications findApplications(const QStringList &folders, const QStringList &desktops,
                                   std::stop_token stop)
{
    FoundApplications found;
    QList<Application> &applications = found.applications;
    QSet<QString> seen; // ids: the first folder's file stands, shown or not
    QSet<QString> alike;
    for (const QString &folder : folders) {
        // Names compared by hand: a name filter would compile and run a regular expression,
        // whose code stays resident.
        QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
        int read = 0; // hidden ones too: each costs a look
        while (files.hasNext() && !stop.stop_requested()) {
            const QString path = files.next();
            if (!path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive)) // as the filter was
                continue;
            if (read++ == maxEntriesPerFolder) {
                found.overfull.append(folder);
                break;
            }
            QString id = path.mid(folder.size() + 1);
            id.replace(u'/', u'-');
            if (seen.contains(id))
                continue;
            seen.insert(id);
            if (auto entry = readDesktopEntry(path); entry && shown(*entry, desktops)) {
                keepCompact(*entry, alike);
                applications.append({id, std::move(*entry)});
            }
        }
    }
    // By name, letters before kana before kanji, as code points put them: a collator would
    // load the ICU's tables, megabytes, for a list a user narrows by typing anyway.
    std::stable_sort(applications.begin(), applications.end(),
                     [](const Application &a, const Application &b) {
                         return a.entry.name.compare(b.entry.name, Qt::CaseInsensitive) < 0;
                     });
    return found;
}

QIcon applicationIcon(const DesktopEntry &entry)
{
    return applicationIcon(entry.icon);
}

QIcon applicationIcon(const QString &name)
{
    QIcon icon;
    if (QFileInfo(name).isAbsolute())
        icon = QIcon(name);
    else if (!name.isEmpty())
        icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (icon.isNull()) {
        // An empty picture rather than none, so that the row's texts stay in their column.
        QPixmap blank(32, 32);
        blank.fill(Qt::transparent);
        icon = QIcon(blank);
    }
    return icon;
}

} // namespace platform

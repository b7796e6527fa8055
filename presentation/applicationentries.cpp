#include "presentation/applicationentries.h"

#include "catalogue/catalogue.h"
#include "texts.h"

std::optional<Entry> entryOf(const platform::Application &application)
{
    const auto commandLine = platform::commandLineOf(application.entry);
    if (!commandLine)
        return std::nullopt;
    return Entry{application.entry.name, *commandLine, application.entry.path};
}

search::EntryKey keyOf(const platform::Application &application, const ReadingsOf &readingsOf,
                       search::EntryKeys &keys)
{
    const platform::DesktopEntry &entry = application.entry;
    const QString also = QStringList(QStringList{entry.genericName} + entry.keywords).join(u' ');
    return keys.make(entry.name, entry.exec.value(0), also, readingsOf(entry.name),
                     readingsOf(entry.genericName));
}

std::optional<Entry> entryOf(const platform::Application &application,
                             const platform::DesktopAction &action)
{
    const auto commandLine = platform::commandLineOf(application.entry, action);
    if (!commandLine)
        return std::nullopt;
    return Entry{texts::actionEntryName(application.entry.name, action.name), *commandLine,
                 application.entry.path};
}

search::EntryKey keyOf(const platform::Application &application,
                       const platform::DesktopAction &action, const ReadingsOf &readingsOf,
                       search::EntryKeys &keys)
{
    const platform::DesktopEntry &entry = application.entry;
    const QString also =
        QStringList(QStringList{entry.name, entry.genericName} + entry.keywords).join(u' ');
    return keys.make(action.name, action.exec.value(0), also, readingsOf(action.name),
                     readingsOf(entry.name) + readingsOf(entry.genericName));
}

QString rowIdOf(const platform::Application &application, const platform::DesktopAction *action)
{
    // An id ends in ".desktop", so no application's id is another's with an action's.
    return action ? application.id + u'#' + action->id : application.id;
}

QSet<QString> listedPrograms(const Catalogue &catalogue)
{
    QSet<QString> programs;
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k)
            programs.insert(catalogue.entry(c, k).ProgramPath);
    }
    return programs;
}

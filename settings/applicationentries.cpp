#include "settings/applicationentries.h"

#include "catalogue/catalogue.h"

std::optional<Entry> entryOf(const platform::Application &application)
{
    const auto commandLine = platform::commandLineOf(application.entry);
    if (!commandLine)
        return std::nullopt;
    return Entry{application.entry.name, *commandLine, application.entry.path};
}

search::EntryKey keyOf(const platform::Application &application, const ReadingsOf &readingsOf)
{
    const platform::DesktopEntry &entry = application.entry;
    const QString also = QStringList(QStringList{entry.genericName} + entry.keywords).join(u' ');
    return search::EntryKey(entry.name, entry.exec.value(0), also, readingsOf(entry.name),
                            readingsOf(entry.genericName));
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

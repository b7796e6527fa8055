#include "settings/programfields.h"

#include "platform/system/paths.h"

ProgramFields fillFromProgramPath(const QString &path, ProgramFields fields)
{
    if (!fields.workFolder.isEmpty() && !fields.entryName.isEmpty())
        return fields;
    qsizetype separator = path.size() - 1;
    while (separator >= 0 && !platform::isPathSeparator(path.at(separator)))
        --separator;
    if (separator < 0)
        return fields;
    if (fields.workFolder.isEmpty()) {
        // A file in the root folder keeps the root: an empty folder would mean "stay where
        // the launcher is", not the file's folder.
        fields.workFolder = separator == 0 ? path.left(1) : path.left(separator);
    }
    if (fields.entryName.isEmpty())
        fields.entryName = path.mid(separator + 1);
    return fields;
}

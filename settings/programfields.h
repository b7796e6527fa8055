#pragma once

#include <QString>

// Fills the name and working-folder fields from a chosen program path, only where they are
// empty: the folder is everything before the last separator, the name everything after it.
struct ProgramFields
{
    QString entryName;
    QString workFolder;
};

ProgramFields fillFromProgramPath(const QString &path, ProgramFields fields);

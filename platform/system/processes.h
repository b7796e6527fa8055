#pragma once

#include <QString>

namespace platform {

// Changing the launcher's current folder and starting programs without waiting for them.
class Processes
{
public:
    virtual ~Processes() = default;
    virtual bool setCurrentFolder(const QString &path) = 0;
    // Starts the command line in the current folder, normally shown; true once it runs. A text
    // that names no program but an existing document or folder, or a web address, is opened
    // in the user's default application for it.
    virtual bool startProgram(const QString &commandLine) = 0;
};

class SystemProcesses : public Processes
{
public:
    bool setCurrentFolder(const QString &path) override;
    bool startProgram(const QString &commandLine) override;
};

} // namespace platform

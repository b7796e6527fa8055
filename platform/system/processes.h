#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>

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
    // startupId gives each program about to start the id by which its first window may take
    // the focus, if there is one.
    explicit SystemProcesses(std::function<QByteArray()> startupId = {})
        : m_startupId(std::move(startupId))
    {
    }
    bool setCurrentFolder(const QString &path) override;
    bool startProgram(const QString &commandLine) override;

private:
    std::function<QByteArray()> m_startupId;
};

} // namespace platform

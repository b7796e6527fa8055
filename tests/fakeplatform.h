#pragma once

#include "platform/platform.h"

#include <QList>
#include <QMap>
#include <QStringList>

// Outside effects recorded instead of performed, so handlers run without a desktop.

struct FakeMessageBoxes : platform::MessageBoxes
{
    struct Shown
    {
        QString prompt;
        QString title;
        bool operator==(const Shown &) const = default;
    };
    QList<Shown> shown;
    void show(const QString &prompt, const QString &title) override
    {
        shown.append({prompt, title});
    }
};

struct FakeProcesses : platform::Processes
{
    QStringList folders;         // every folder made current, in order
    QStringList started;         // every command line started, in order
    QStringList missingFolders;  // these cannot be entered
    QStringList failingPrograms; // these fail to start
    bool setCurrentFolder(const QString &path) override
    {
        if (missingFolders.contains(path))
            return false;
        folders.append(path);
        return true;
    }
    bool startProgram(const QString &commandLine) override
    {
        if (commandLine.isEmpty() || failingPrograms.contains(commandLine))
            return false;
        started.append(commandLine);
        return true;
    }
};

struct FakeFileDialog : platform::FileDialog
{
    std::optional<QString> answer; // nothing: the user cancels
    QString filter;
    quint32 flags = 0;
    int shownCount = 0;
    std::optional<QString> showOpen(QWidget *, const QString &f, quint32 fl) override
    {
        ++shownCount;
        filter = f;
        flags = fl;
        return answer;
    }
};

struct FakeRegistry : platform::Registry
{
    QMap<QString, platform::RegistryValue> values; // "key|value" → value
    QStringList queried;
    std::optional<platform::RegistryValue> queryValue(quint32, const QString &key,
                                                      const QString &name) override
    {
        const QString id = key + u'|' + name;
        queried.append(id);
        if (!values.contains(id))
            return std::nullopt;
        return values.value(id);
    }
};

struct FakePlatform
{
    FakeMessageBoxes messages;
    FakeProcesses processes;
    FakeFileDialog fileDialog;
    FakeRegistry registry;
    // Real entries, in the folder XDG_CONFIG_HOME names: tests that use it set that.
    platform::SystemAutostart autostart{{QStringLiteral("/opt/quorvel tools/quorvel"),
                                         QStringLiteral("org.quorvel.Quorvel"),
                                         QStringLiteral("Quorvel")}};
    platform::Platform platform{messages, processes, fileDialog, registry, autostart};
};

#include "platform/system/processes.h"
#include "platform/system/webaddress.h"

#include <QDir>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

namespace platform {

bool SystemProcesses::setCurrentFolder(const QString &path)
{
    // SetCurrentDirectory changes the drive too, so a folder on another drive is where the
    // program starts.
    return SetCurrentDirectoryW(reinterpret_cast<const wchar_t *>(path.utf16())) != 0;
}

bool SystemProcesses::startProgram(const QString &commandLine)
{
    if (commandLine.isEmpty())
        return false;
    std::wstring line = commandLine.toStdWString(); // CreateProcess may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    const std::wstring folder = QDir::toNativeSeparators(QDir::currentPath()).toStdWString();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        // Not a program: a document, a folder or a web address opens with the shell's verb.
        const auto *target = reinterpret_cast<const wchar_t *>(commandLine.utf16());
        if (!isWebAddress(commandLine) && GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES)
            return false;
        return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, nullptr,
                                                       folder.c_str(), SW_SHOWNORMAL)) > 32;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace platform

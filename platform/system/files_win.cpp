#include "platform/system/files.h"

#include <QDir>
#include <windows.h>

namespace platform {
namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool close()
    {
        const bool closed = !valid() || CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

} // namespace

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    const QString native = QDir::toNativeSeparators(path);
    Handle file(CreateFileW(wide(native), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    // Pipes and devices are not files on disk; folders do not open without backup semantics.
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileSizeEx(file.get(), &size) || size.QuadPart > maxBytes)
        return std::nullopt;

    return detail::readAllWithin(size.QuadPart, maxBytes, [&file](char *buffer, qint64 room) {
        DWORD got = 0;
        return ReadFile(file.get(), buffer, DWORD(room), &got, nullptr) ? qint64(got) : -1;
    });
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    const QString target = QDir::toNativeSeparators(path);
    QString temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
        temporary = QDir::toNativeSeparators(detail::temporaryNameFor(path));
        created = CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    Handle file(created);
    if (!file.valid())
        return false;

    qsizetype done = 0;
    bool written = true;
    while (written && done < bytes.size()) {
        DWORD chunk = 0;
        written = WriteFile(file.get(), bytes.constData() + done, DWORD(bytes.size() - done),
                            &chunk, nullptr) &&
                  chunk > 0;
        done += chunk;
    }
    written = written && FlushFileBuffers(file.get());
    // ReplaceFile keeps the former file's attributes and access rights; the first save of a
    // new file has none to keep. Both replace the name in one step.
    const bool exists = GetFileAttributesW(wide(target)) != INVALID_FILE_ATTRIBUTES;
    if (!file.close() || !written ||
        !(exists ? ReplaceFileW(wide(target), wide(temporary), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                 : MoveFileExW(wide(temporary), wide(target), MOVEFILE_WRITE_THROUGH))) {
        DeleteFileW(wide(temporary));
        return false;
    }
    return true;
}

} // namespace platform

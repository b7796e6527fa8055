#pragma once

#include <QString>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace platform {

// The file-open dialog. The filter is "label|patterns|label|patterns…" with patterns joined by
// ';', as Windows writes it.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    // The chosen existing file, or nothing when the user cancelled.
    virtual std::optional<QString> showOpen(QWidget *parent, const QString &filter,
                                            quint32 flags) = 0;
};

class QtFileDialog : public FileDialog
{
public:
    std::optional<QString> showOpen(QWidget *parent, const QString &filter, quint32 flags) override;

    // The dialog as it will be shown, for tests to look into.
    static std::unique_ptr<QFileDialog> create(QWidget *parent, const QString &filter);
};

} // namespace platform

#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace platform {

// The file-open dialog. The filter is "label|patterns|label|patterns…" as Windows writes it.
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
    std::optional<QString> showOpen(QWidget *parent, const QString &filter,
                                    quint32 flags) override;
};

} // namespace platform

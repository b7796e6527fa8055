#include "platform/filedialog.h"

#include <QFileDialog>

namespace platform {

std::optional<QString> QtFileDialog::showOpen(QWidget *parent, const QString &filter, quint32)
{
    Q_UNUSED(filter);
    const QString path = QFileDialog::getOpenFileName(parent);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace platform

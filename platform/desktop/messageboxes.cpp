#include "platform/desktop/messageboxes.h"

#include <QMessageBox>

namespace platform {

void QtMessageBoxes::show(const QString &prompt, const QString &title)
{
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform

#include "platform/desktop/autostart.h"

#include "platform/system/files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

// An Exec argument quoted by freedesktop.org's rules for desktop entries.
QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar ch : argument) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += QLatin1String("\\\\");
        quoted += ch == u'%' ? QStringLiteral("%%") : QString(ch);
    }
    return u'"' + quoted + u'"';
}

} // namespace

QString SystemAutostart::entry() const
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/%1.desktop").arg(m_program.id));
}

bool SystemAutostart::isEnabled() const
{
    return QFileInfo(entry()).isFile();
}

bool SystemAutostart::setEnabled(bool enabled)
{
    const QString path = entry();
    if (!enabled)
        return !QFileInfo::exists(path) || QFile::remove(path);
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%3\n"
                                        "Exec=%1\n"
                                        "Icon=%2\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(m_program.executable), m_program.id, m_program.name);
    return QDir().mkpath(QFileInfo(path).path()) && replaceFile(path, text.toUtf8());
}

} // namespace platform

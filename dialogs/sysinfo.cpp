#include "dialogs/sysinfo.h"

#include "application.h"
#include "platform/desktop/messageboxes.h"
#include "platform/system/processes.h"
#include "platform/system/registry.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace {

const QString toolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString toolValue = QStringLiteral("PATH");
const QString locationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString locationValue = QStringLiteral("MSINFO");
const QString toolFile = QStringLiteral("MSINFO32.EXE");

} // namespace

bool GetKeyValue(platform::Registry &registry, quint32 KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal)
{
    const auto value = registry.queryValue(KeyRoot, KeyName, SubKeyRef);
    if (!value) {
        KeyVal.clear();
        return false;
    }
    if (value->type == platform::RegistryString) {
        const qsizetype nul = value->data.indexOf('\0');
        KeyVal = QString::fromLocal8Bit(nul < 0 ? value->data : value->data.left(nul));
    } else if (value->type == platform::RegistryNumber && value->data.size() >= 4) {
        KeyVal = QString::number(qFromLittleEndian<quint32>(value->data.constData()));
    }
    return true;
}

void StartSysInfo(platform::Registry &registry, platform::Processes &processes,
                  platform::MessageBoxes &messages)
{
    QString found;
    bool started = false;
    if (GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, toolKey, toolValue, found)) {
        // A tool named here that does not start is not looked for elsewhere.
        started = processes.startProgram(found);
    } else if (GetKeyValue(registry, platform::HKEY_LOCAL_MACHINE_ROOT, locationKey, locationValue,
                           found)) {
        const QString tool = QDir(QDir::fromNativeSeparators(found)).filePath(toolFile);
        started =
            QFileInfo(tool).isFile() && processes.startProgram(QDir::toNativeSeparators(tool));
    }
    if (!started)
        messages.show(texts::sysInfoUnavailable, QString::fromLatin1(quorvel::ApplicationTitle));
}

#include "platform/programicons.h"

#include "platform/webaddress.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStyle>

#ifdef Q_OS_WIN
#include <QFileIconProvider>
#else
#include "platform/commandline.h"
#include "platform/desktopentry.h"
#endif

namespace platform {
namespace {

constexpr int sliceMilliseconds = 4;
// A theme's icon larger than this is malformed or hostile, not a picture for a menu.
constexpr int maxIconMegabytes = 16;

QString keyOf(const QString &text, const QString &folder)
{
    return text + QChar(0) + folder;
}

} // namespace

ProgramIcons::ProgramIcons(QObject *parent) : QObject(parent)
{
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &ProgramIcons::work);
}

ProgramIcons::~ProgramIcons() = default;

QIcon ProgramIcons::icon(const QString &programText, const QString &workFolder)
{
    const QString key = keyOf(programText, workFolder);
    const auto known = m_known.constFind(key);
    if (known != m_known.cend())
        return *known;
    if (!m_queued.contains(key)) {
        m_queued.insert(key);
        m_pending.append({programText, workFolder});
        if (m_started)
            m_slice.start();
    }
    return {};
}

void ProgramIcons::start()
{
    if (m_started)
        return;
    m_started = true;
    QImageReader::setAllocationLimit(maxIconMegabytes);
    m_slice.start();
}

void ProgramIcons::work()
{
    QElapsedTimer slice;
    slice.start();
    bool changed = false;
    while (slice.elapsed() < sliceMilliseconds) {
        if (indexNextDesktopEntry())
            continue;
        if (m_pending.isEmpty())
            break;
        const Request request = m_pending.takeFirst();
        const QString key = keyOf(request.text, request.folder);
        m_queued.remove(key);
        m_known.insert(key, lookUp(request));
        changed = true;
    }
    if (!m_pending.isEmpty() || !m_entryFiles.isEmpty())
        m_slice.start();
    if (changed)
        emit iconsChanged();
}

QIcon ProgramIcons::rendered(const QString &source, const std::function<QIcon()> &load)
{
    const auto found = m_rendered.constFind(source);
    if (found != m_rendered.cend())
        return *found;
    // Rendered once at the size menus and lists draw, so that drawing them costs nothing.
    const int size = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    const QPixmap pixmap = load().pixmap(QSize(size, size), qApp->devicePixelRatio());
    const QIcon icon = pixmap.isNull() ? QIcon() : QIcon(pixmap);
    m_rendered.insert(source, icon);
    return icon;
}

QIcon ProgramIcons::typeIcon(const QString &iconName, const QString &genericName, bool folder)
{
    return rendered(QStringLiteral("type:") + iconName, [&] {
        const QIcon fallback =
            QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
        return QIcon::fromTheme(iconName, QIcon::fromTheme(genericName, fallback));
    });
}

QIcon ProgramIcons::genericProgramIcon()
{
    return typeIcon(QStringLiteral("application-x-executable"), QString(), false);
}

#ifdef Q_OS_WIN

bool ProgramIcons::indexNextDesktopEntry()
{
    return false;
}

QIcon ProgramIcons::lookUp(const Request &request)
{
    const QDir folder(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    // The program's own icon: the whole text, or the part up to ".exe" when arguments follow.
    QFileInfo target(folder, request.text);
    const qsizetype exe = request.text.indexOf(QLatin1String(".exe "), 0, Qt::CaseInsensitive);
    if (!target.exists() && exe > 0)
        target = QFileInfo(folder, request.text.left(exe + 4));
    if (!target.exists())
        return genericProgramIcon();
    return rendered(QStringLiteral("file:") + target.absoluteFilePath(),
                    [&] { return QFileIconProvider().icon(target); });
}

#else

// The application folders, the user's own first; the first entry naming a program holds.
bool ProgramIcons::indexNextDesktopEntry()
{
    if (!m_entriesListed) {
        m_entriesListed = true;
        for (const QString &folder :
             QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
            // Compared by hand: a name filter compiles a regular expression.
            QDirIterator entries(folder, QDir::Files, QDirIterator::Subdirectories);
            while (entries.hasNext()) {
                const QString file = entries.next();
                if (file.endsWith(QLatin1String(".desktop")))
                    m_entryFiles.append(file);
            }
        }
        return true;
    }
    if (m_entryFiles.isEmpty())
        return false;
    const auto entry = readDesktopEntry(m_entryFiles.takeFirst());
    if (entry && !entry->icon.isEmpty()) {
        const QString program = entry->exec.first().contains(u'/')
                                    ? entry->exec.first()
                                    : QStandardPaths::findExecutable(entry->exec.first());
        const QString canonical = QFileInfo(program).canonicalFilePath();
        if (!canonical.isEmpty() && !m_entryIcons.contains(canonical))
            m_entryIcons.insert(canonical, entry->icon);
    }
    return true;
}

QIcon ProgramIcons::lookUp(const Request &request)
{
    const QString &text = request.text;
    if (isWebAddress(text)) {
        if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            return typeIcon(QStringLiteral("internet-mail"), QStringLiteral("text-x-generic"),
                            false);
        const QMimeType page = QMimeDatabase().mimeTypeForName(QStringLiteral("text/html"));
        return typeIcon(page.iconName(), page.genericIconName(), false);
    }
    if (const auto command = splitCommandLine(text, request.folder)) {
        const QString program = QFileInfo(command->program).canonicalFilePath();
        const QString entryIcon = m_entryIcons.value(program);
        if (!entryIcon.isEmpty()) {
            const QIcon icon = rendered(QStringLiteral("entry:") + entryIcon, [&] {
                return QFileInfo(entryIcon).isAbsolute() ? QIcon(entryIcon)
                                                         : QIcon::fromTheme(entryIcon);
            });
            if (!icon.isNull())
                return icon;
        }
        const QString name = QFileInfo(program).fileName();
        const QIcon named =
            rendered(QStringLiteral("theme:") + name, [&] { return QIcon::fromTheme(name); });
        return named.isNull() ? genericProgramIcon() : named;
    }
    const QDir folder(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    const QFileInfo target(folder, text);
    if (target.isDir())
        return typeIcon(QStringLiteral("folder"), QString(), true);
    if (target.exists()) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(target);
        return typeIcon(type.iconName(), type.genericIconName(), false);
    }
    return genericProgramIcon();
}

#endif

} // namespace platform

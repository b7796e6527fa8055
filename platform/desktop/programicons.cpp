#include "platform/desktop/programicons.h"
#include "platform/system/memory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QStyle>

namespace platform {
namespace {

constexpr int sliceMilliseconds = 4;
// A theme's icon larger than this is malformed or hostile, not a picture for a menu.
constexpr int maxIconMegabytes = 16;

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
    const Key key{programText, workFolder};
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
        const Key key{request.text, request.folder};
        m_queued.remove(key);
        m_known.insert(key, lookUp(request));
        changed = true;
    }
    if (!m_pending.isEmpty() || !m_entryFiles.isEmpty())
        m_slice.start();
    else if (changed)
        returnFreedMemory(); // what reading the icon theme's indexes and pictures took
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

} // namespace platform

#include "dialogs/folderlist.h"

#include <QDir>
#include <QStyle>

namespace {
constexpr int PathRole = Qt::UserRole;
constexpr int IndentPerLevel = 2;
} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    // Deferred: refreshing deletes the item the view is still handling.
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const QString target = item->data(PathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, target] { setPath(target); }, Qt::QueuedConnection);
    });
}

void FolderList::setPath(const QString &path)
{
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
    if (native == m_path)
        return;
    m_path = native;
    refresh();
    emit pathChanged();
}

void FolderList::refresh()
{
    clear();
    QList<QDir> chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir);
        if (dir.isRoot() || !dir.cdUp())
            break;
    }

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto addFolder = [this](const QIcon &icon, int level, const QString &name,
                            const QString &path) {
        auto *item = new QListWidgetItem(icon, QString(level * IndentPerLevel, u' ') + name, this);
        item->setData(PathRole, QDir::toNativeSeparators(path));
        return item;
    };

    int level = 0;
    QListWidgetItem *current = nullptr;
    for (const QDir &dir : chain) {
        const QString name =
            dir.isRoot() ? QDir::toNativeSeparators(dir.absolutePath()) : dir.dirName();
        current = addFolder(open, level++, name, dir.absolutePath());
    }
    // A folder that cannot be read simply shows no subfolders.
    const QDir here(m_path);
    for (const QString &name :
         here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        addFolder(closed, level, name, here.filePath(name));
    setCurrentItem(current);
}

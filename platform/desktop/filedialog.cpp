#include "platform/desktop/filedialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace platform {
namespace {

struct NameFilter
{
    QString label;
    QStringList patterns;
};

QList<NameFilter> parseFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QList<NameFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append({parts[i], parts[i + 1].split(u';', Qt::SkipEmptyParts)});
    return filters;
}

#ifndef Q_OS_WIN
// Programs here rarely have an extension and most files have no dot: the first filter also
// shows executable files, and "*.*" shows every file. The labels stay as they are.
class ProgramFilterModel : public QSortFilterProxyModel
{
public:
    explicit ProgramFilterModel(const QList<NameFilter> &filters, QObject *parent)
        : QSortFilterProxyModel(parent), m_filters(filters)
    {
    }

    void useFilter(const QString &label)
    {
        m_current = -1;
        for (qsizetype i = 0; i < m_filters.size(); ++i) {
            if (m_filters[i].label == label)
                m_current = int(i);
        }
        // The dialog hands the label's patterns to its model, which would hide files before
        // this filter sees them.
        if (auto *files = qobject_cast<QFileSystemModel *>(sourceModel()))
            files->setNameFilters({});
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files || m_current < 0)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        if (info.isDir())
            return true;
        const QStringList &patterns = m_filters[m_current].patterns;
        if (patterns.contains(QLatin1String("*.*")) || patterns.contains(QLatin1String("*")))
            return true;
        if (info.isExecutable())
            return true;
        for (const QString &pattern : patterns) {
            if (QDir::match(pattern, info.fileName()))
                return true;
        }
        return false;
    }

private:
    QList<NameFilter> m_filters;
    int m_current = -1;
};
#endif

} // namespace

std::unique_ptr<QFileDialog> QtFileDialog::create(QWidget *parent, const QString &filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    const QList<NameFilter> filters = parseFilter(filter);
    QStringList labels;
    for (const NameFilter &f : filters)
        labels.append(f.label);
#ifdef Q_OS_WIN
    // The labels carry their patterns in parentheses, which is what the native dialog reads.
    dialog->setNameFilters(labels);
#else
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto *model = new ProgramFilterModel(filters, dialog.get());
    dialog->setProxyModel(model);
    dialog->setNameFilters(labels);
    QObject::connect(dialog.get(), &QFileDialog::filterSelected, model,
                     &ProgramFilterModel::useFilter);
    if (!labels.isEmpty()) {
        dialog->selectNameFilter(labels.first());
        model->useFilter(labels.first());
    }
#endif
    return dialog;
}

std::optional<QString> QtFileDialog::showOpen(QWidget *parent, const QString &filter, quint32)
{
    // The flags ask for an existing file in an existing folder with long names and no
    // read-only box: all of which an open dialog in ExistingFile mode already is.
    const auto dialog = create(parent, filter);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    // Qt answers with '/'; the fields show paths as the system writes them.
    return QDir::toNativeSeparators(dialog->selectedFiles().first());
}

} // namespace platform

#include "shell/searchresults.h"

#include "platform/desktop/programicons.h"

#include <QApplication>
#include <QPainter>

SearchResults::SearchResults(platform::ProgramIcons &icons, QObject *parent)
    : QAbstractListModel(parent), m_icons(icons)
{
    connect(&icons, &platform::ProgramIcons::iconsChanged, this, [this] {
        if (!m_rows.isEmpty())
            emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole});
    });
}

void SearchResults::show(FoundRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int SearchResults::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SearchResults::data(const QModelIndex &index, int role) const
{
    const SearchRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return row.name;
    case CategoryRole:
        return row.category;
    case ProgramRole:
        return row.program;
    case InstalledRole:
        return row.kind != SearchRow::Kind::Listed;
    case Qt::AccessibleTextRole:
        return spokenName(row);
    case Qt::DecorationRole:
        return iconOf(row);
    default:
        return {};
    }
}

QIcon SearchResults::iconOf(const SearchRow &row) const
{
    if (row.kind == SearchRow::Kind::Listed)
        return m_icons.icon(row.entry->ProgramPath, row.entry->WorkFolder);
    const QString &id = row.id.application;
    auto known = m_applicationIcons.find(id);
    if (known == m_applicationIcons.end())
        known = m_applicationIcons.insert(id, platform::applicationIcon(row.icon));
    return *known;
}

void SearchResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QString name = row.text;
    row.text.clear();
    const QStyle *style = row.widget ? row.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget); // background, icon

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, row.widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &row, row.widget)
                           .adjusted(margin, 0, -margin, 0);
    const bool selected = row.state & QStyle::State_Selected;
    const QColor text = row.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor dimmed = selected ? text : row.palette.color(QPalette::Disabled, QPalette::Text);
    // Name, category, program: four, two and four tenths of the row.
    const struct
    {
        QString text;
        int from, to;
        QColor colour;
    } columns[] = {{name, 0, 4, text},
                   {index.data(SearchResults::CategoryRole).toString(), 4, 6, text},
                   {index.data(SearchResults::ProgramRole).toString(), 6, 10, dimmed}};
    // The installed applications begin under a line, apart from the list's own entries.
    if (index.row() > 0 && index.data(SearchResults::InstalledRole).toBool() &&
        !index.siblingAtRow(index.row() - 1).data(SearchResults::InstalledRole).toBool()) {
        painter->setPen(dimmed);
        painter->drawLine(option.rect.topLeft(), option.rect.topRight());
    }
    for (const auto &column : columns) {
        const int left = area.left() + area.width() * column.from / 10;
        const int width = area.width() * (column.to - column.from) / 10 - margin;
        const QStaticText &laidOut = layOut(column.text, width, row.font);
        painter->setPen(column.colour);
        painter->drawStaticText(
            left, area.top() + (area.height() - int(laidOut.size().height())) / 2, laidOut);
    }
}

const QStaticText &SearchResultDelegate::layOut(const QString &text, int width,
                                                const QFont &font) const
{
    // Bounded: a long session of typing never grows it past a few full catalogues.
    if (m_laidOut.size() > 8000)
        m_laidOut.clear();
    const QString key = text + QChar(0) + QString::number(width);
    auto known = m_laidOut.find(key);
    if (known == m_laidOut.end()) {
        QStaticText laidOut(QFontMetrics(font).elidedText(text, Qt::ElideMiddle, width));
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        known = m_laidOut.insert(key, laidOut);
    }
    return *known;
}

void SearchResultList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (!m_quiet)
        QListView::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous); // without QListView's news
}

void SearchResultList::selectionChanged(const QItemSelection &selected,
                                        const QItemSelection &deselected)
{
    if (!m_quiet)
        QListView::selectionChanged(selected, deselected);
    else
        QAbstractItemView::selectionChanged(selected, deselected);
}

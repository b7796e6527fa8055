#include "settings/entrylist.h"

#include "catalogue/catalogue.h"
#include "platform/desktop/programicons.h"

#include <QMouseEvent>

EntryList::EntryList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!m_quiet && !selected.isEmpty())
                    emit rowChosen();
            });
    // A click on the row that was selected already changes no selection, but is a choice.
    connect(this, &QListWidget::itemClicked, this, [this] {
        if (m_pressOnSelectedRow)
            emit rowChosen();
    });
}

int EntryList::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

template <typename Change> void EntryList::quietly(Change change)
{
    m_quiet = true;
    change();
    m_quiet = false;
}

void EntryList::selectRowQuietly(int row)
{
    quietly([this, row] {
        if (row < 0)
            clearSelection();
        setCurrentRow(row);
    });
}

void EntryList::follow(const Catalogue &catalogue, platform::ProgramIcons &icons)
{
    m_catalogue = &catalogue;
    m_icons = &icons;
    connect(&catalogue, &Catalogue::entryAppended, this, [this](int c) {
        if (c == m_category)
            addItem(rowFor(m_catalogue->entry(c, count() + 1)));
    });
    connect(&catalogue, &Catalogue::entryChanged, this, [this](int c, int k) {
        if (c != m_category)
            return;
        // Removing the selected row would make its neighbour selected.
        quietly([this, c, k] {
            delete takeItem(k - 1);
            insertItem(k - 1, rowFor(m_catalogue->entry(c, k)));
        });
        selectRowQuietly(-1);
    });
    connect(&catalogue, &Catalogue::entryRemoved, this, [this](int c, int k) {
        if (c != m_category)
            return;
        quietly([this, k] { delete takeItem(k - 1); });
        selectRowQuietly(-1);
    });
    connect(&catalogue, &Catalogue::entriesSwapped, this, [this](int c, int k, int q) {
        if (c != m_category)
            return;
        showEntryInRow(k);
        showEntryInRow(q);
    });
    connect(&catalogue, &Catalogue::replaced, this, [this] { showCategory(m_category); });
    connect(&icons, &platform::ProgramIcons::iconsChanged, this, &EntryList::showIcons);
}

void EntryList::showCategory(int c)
{
    m_category = c;
    clear();
    for (int k = 1; k <= m_catalogue->EntryCount(c); ++k)
        addItem(rowFor(m_catalogue->entry(c, k)));
    selectRowQuietly(-1);
}

QListWidgetItem *EntryList::rowFor(const Entry &entry) const
{
    return new QListWidgetItem(m_icons->icon(entry.ProgramPath, entry.WorkFolder), entry.EntryName);
}

void EntryList::showEntryInRow(int k)
{
    const Entry &entry = m_catalogue->entry(m_category, k);
    item(k - 1)->setText(entry.EntryName);
    item(k - 1)->setIcon(m_icons->icon(entry.ProgramPath, entry.WorkFolder));
}

void EntryList::showIcons()
{
    for (int k = 1; k <= count(); ++k)
        showEntryInRow(k);
}

QItemSelectionModel::SelectionFlags EntryList::selectionCommand(const QModelIndex &index,
                                                                const QEvent *event) const
{
    const auto command = QListWidget::selectionCommand(index, event);
    if (command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle) &&
        selectionModel()->isSelected(index))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void EntryList::mousePressEvent(QMouseEvent *event)
{
    const int row = indexAt(event->position().toPoint()).row();
    m_pressOnSelectedRow = row >= 0 && row == selectedRow();
    QListWidget::mousePressEvent(event);
}

#include "settings/entrylist.h"

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

void EntryList::replaceRow(int row, QListWidgetItem *item)
{
    // Removing the selected row would make its neighbour selected.
    quietly([this, row, item] {
        delete takeItem(row);
        insertItem(row, item);
    });
    selectRowQuietly(-1);
}

void EntryList::removeRow(int row)
{
    quietly([this, row] { delete takeItem(row); });
    selectRowQuietly(-1);
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

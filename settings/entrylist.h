#pragma once

#include <QListWidget>

// The entry list behaves as a classic single-selection list box: choosing a row by mouse,
// keyboard or an accessibility tool reports it once, clicking the selected row again reports
// it again, and nothing else does — not the focus entering the list, which only makes a row
// current, and not a Ctrl+click, which never takes the selection away.
class EntryList : public QListWidget
{
    Q_OBJECT

public:
    explicit EntryList(QWidget *parent = nullptr);

    // The selected row, or -1.
    int selectedRow() const;
    // These select the row (none for -1), or replace or remove a row leaving none selected,
    // without reporting a choice.
    void selectRowQuietly(int row);
    void replaceRow(int row, QListWidgetItem *item);
    void removeRow(int row);

signals:
    void rowChosen();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    template <typename Change> void quietly(Change change);

    bool m_pressOnSelectedRow = false;
    bool m_quiet = false;
};

#pragma once

#include <QListWidget>

class Catalogue;
struct Entry;

namespace platform {
class ProgramIcons;
}

// The entry list behaves as a classic single-selection list box: choosing a row by mouse,
// keyboard or an accessibility tool reports it once, clicking the selected row again reports
// it again, and nothing else does — not the focus entering the list, which only makes a row
// current, and not a Ctrl+click, which never takes the selection away. It shows one category's
// entries, each with its program's icon, and follows the catalogue's changes to them; a
// change that replaces or removes a row leaves no row selected.
class EntryList : public QListWidget
{
    Q_OBJECT

public:
    explicit EntryList(QWidget *parent = nullptr);

    void follow(const Catalogue &catalogue, platform::ProgramIcons &icons);
    // Shows the entries of category c, none selected.
    void showCategory(int c);

    // The selected row, or -1.
    int selectedRow() const;
    // Selects the row (none for -1) without reporting a choice.
    void selectRowQuietly(int row);

signals:
    void rowChosen();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    template <typename Change> void quietly(Change change);
    QListWidgetItem *rowFor(const Entry &entry) const;
    void showEntryInRow(int k);
    void showIcons();

    const Catalogue *m_catalogue = nullptr;
    platform::ProgramIcons *m_icons = nullptr;
    int m_category = 0;

    bool m_pressOnSelectedRow = false;
    bool m_quiet = false;
};

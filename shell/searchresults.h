#pragma once

#include "presentation/searchcandidates.h"

#include <QAbstractListModel>
#include <QHash>
#include <QListView>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace platform {
class ProgramIcons;
}

// The rows of the search window, as SearchCandidates found them: each with its program's icon.
class SearchResults : public QAbstractListModel
{
public:
    enum Role { CategoryRole = Qt::UserRole, ProgramRole, InstalledRole };

    SearchResults(platform::ProgramIcons &icons, QObject *parent);

    void show(FoundRows rows);
    const FoundRows &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QIcon iconOf(const SearchRow &row) const;

    platform::ProgramIcons &m_icons;
    FoundRows m_rows;
    mutable QHash<QString, QIcon> m_applicationIcons; // looking one up in the theme takes a while
};

// Draws a row as three columns (name, category, and the program, dimmed), from a cache of
// laid-out texts: the same entries come back keystroke after keystroke, and laying out Japanese
// text is most of what a repaint costs.
class SearchResultDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    const QStaticText &layOut(const QString &text, int width, const QFont &font) const;

    mutable QHash<QString, QStaticText> m_laidOut;
};

// The list under the search field. Rebuilt at every key, its rows would each time tell a screen
// reader that one of them took the focus, and it would read the window, the list and its size
// at every key; so a rebuild is quiet, and only a move through the rows is told.
class SearchResultList : public QListView
{
public:
    using QListView::QListView;

    void setQuiet(bool quiet) { m_quiet = quiet; }

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

private:
    bool m_quiet = false;
};

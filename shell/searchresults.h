#pragma once

#include "catalogue/search.h"
#include "platform/desktop/applications.h"

#include <QAbstractListModel>
#include <QHash>
#include <QListView>
#include <QStaticText>
#include <QStyledItemDelegate>

class Catalogue;

namespace platform {
class ProgramIcons;
}

// The rows of the search window: for each entry found, its name with its program's icon, its
// category and its program; after them, the installed applications found that are not listed.
class SearchResults : public QAbstractListModel
{
public:
    enum Role { CategoryRole = Qt::UserRole, ProgramRole, InstalledRole };
    // The category of a row that is an installed application, offered[index].
    static constexpr int installed = -1;

    SearchResults(const Catalogue &catalogue, platform::ProgramIcons &icons, QObject *parent);

    // offered: the applications rows of the category installed stand for.
    void show(QList<search::Found> rows, const QList<platform::Application> &offered);
    const QList<search::Found> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QVariant applicationData(const platform::Application &application, int role) const;

    const Catalogue &m_catalogue;
    platform::ProgramIcons &m_icons;
    QList<search::Found> m_rows;
    QList<platform::Application> m_offered;
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

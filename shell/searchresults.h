#pragma once

#include "catalogue/search.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

class Catalogue;

namespace platform {
class ProgramIcons;
}

// The rows of the search window: for each entry found, its name with its program's icon, its
// category and its program.
class SearchResults : public QAbstractListModel
{
public:
    enum Role { CategoryRole = Qt::UserRole, ProgramRole };

    SearchResults(const Catalogue &catalogue, platform::ProgramIcons &icons, QObject *parent);

    void show(QList<search::Found> rows);
    const QList<search::Found> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const Catalogue &m_catalogue;
    platform::ProgramIcons &m_icons;
    QList<search::Found> m_rows;
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

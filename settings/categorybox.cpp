#include "settings/categorybox.h"

#include "catalogue/catalogue.h"
#include "presentation/categorynames.h"
#include "texts.h"

#include <QWheelEvent>

CategoryBox::CategoryBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CategoryBox::follow(const Catalogue &catalogue)
{
    m_catalogue = &catalogue;
    for (int c = 0; c < Catalogue::CategoryCount; ++c)
        addItem(shownCategoryName(catalogue, c));
    connect(&catalogue, &Catalogue::categoryRenamed, this, &CategoryBox::showName);
    connect(&catalogue, &Catalogue::replaced, this, [this] {
        for (int c = 1; c < Catalogue::CategoryCount; ++c)
            showName(c);
    });
}

void CategoryBox::showName(int c)
{
    setItemText(c, m_catalogue->CategoryName(c));
}

void CategoryBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

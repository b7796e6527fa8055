#include "settings/categorybox.h"

#include "catalogue/catalogue.h"

#include <QWheelEvent>

CategoryBox::CategoryBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CategoryBox::follow(const Catalogue &catalogue, const QString &uncategorisedLabel)
{
    m_catalogue = &catalogue;
    addItem(uncategorisedLabel);
    for (int c = 1; c < Catalogue::CategoryCount; ++c)
        addItem(catalogue.CategoryName(c));
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

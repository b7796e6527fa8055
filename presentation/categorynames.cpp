#include "presentation/categorynames.h"

#include "catalogue/catalogue.h"
#include "texts.h"

QString shownCategoryName(const Catalogue &catalogue, int c)
{
    return c == 0 ? texts::uncategorised : catalogue.CategoryName(c);
}

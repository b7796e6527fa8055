#pragma once

#include <QString>

class Catalogue;

// What category c is called wherever it is shown: its own name, or ｶﾃｺﾞﾘ外ﾒﾆｭｰ for category 0.
QString shownCategoryName(const Catalogue &catalogue, int c);

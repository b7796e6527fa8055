#pragma once

#include <QRect>

// Layouts are measured in twips; 15 of them make one pixel at 96 dpi, and Qt scales the
// pixels for other densities.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

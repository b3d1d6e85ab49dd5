// Our window layouts are given in twips, 15 to the pixel.
#pragma once

#include <QRect>

namespace common {

inline QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace common

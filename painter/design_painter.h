// Paints a design's pictures from its recipe: the window face with its
// button bay, and the glyph atlas, for the left and the right corners, at
// the design's own size and at twice that.
#pragma once

#include "recipe.h"

#include "design/design_install.h"

#include <QImage>
#include <QVector>

namespace painter {

enum class Side { Left, Right }; // the corners the picture is for: ".vss" left, ".vsr" right

// One picture, `scale` times the design's size (1 or 2): a 440 x 134
// picture of the glyph atlas at 1. Each corner on its side shows it right:
// the rounded end fills every pixel that the window's shape at the top or
// at the bottom corner shows.
QImage paintDesignPicture(const Recipe &recipe, Side side, int scale = 1);

// Every file of the design, ready to be installed: both pictures at both
// sizes as PNG, and the recipe.
QVector<vespera::DesignFile> paintDesignFiles(const Recipe &recipe);

} // namespace painter

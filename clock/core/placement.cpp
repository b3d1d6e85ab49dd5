// Where the clock window goes in its corner of the work area: out, and tucked.
#include "placement.h"

namespace vespera {

// The sideways numbers below come from the window's shape (windowRegion):
// the window is 441 pixels wide, and its face runs from x 3 to the rounded
// end (left corners) or from the rounded end to x 438 (right corners).

// Out: the face's straight end (x 3, or x 438 = 441 - 3) on the work area's
// edge, so the 3 pixels outside the face hang past it.
int outLeft(Corner corner, const platform::WorkArea &wa)
{
    return isRightCorner(corner) ? wa.Right - 438 : wa.Left - 3;
}

// Tucked: only the outer 7 or 8 pixels of the rounded end stay on the
// screen, for the pointer to find. The left corners' ellipse ends at x 425
// or 426, so x 418 goes on the edge; the right corners' begins at x 5, so
// x 12 does.
int tuckedLeft(Corner corner, const platform::WorkArea &wa)
{
    return isRightCorner(corner) ? wa.Right - 12 : wa.Left - 418;
}

// Rows. Every shape (windowRegion) spans window rows fo + 22 to fo + 77,
// the face's 55 rows, where fo is the frame offset: how much more the
// window manager's frame adds above and below than the 25-pixel caption the
// layout was drawn under (-25 for a window without a frame). The rows above
// fo + 22 (top corners) or from fo + 77 down (bottom corners) hold the other
// half of the rounded end and are cut away. So a top corner puts row fo + 22
// on the work area's top edge, and a bottom corner puts row fo + 77, the
// first below the face, on its bottom edge (which is exclusive).
int demandedTop(Corner corner, const platform::WorkArea &wa, int frameOffset)
{
    return isBottomCorner(corner) ? wa.Bottom - 77 - frameOffset : wa.Top - 22 - frameOffset;
}

QPoint windowOrigin(Corner corner, const platform::WorkArea &wa, int frameOffset)
{
    return {outLeft(corner, wa), demandedTop(corner, wa, frameOffset)};
}

} // namespace vespera

// Where each control of the clock window sits, and where the window goes in its corner.
#include "skin_layout.h"

namespace vespera {

bool isKnownCorner(int corner) { return corner >= 0 && corner <= 3; }
bool isRightCorner(int corner) { return corner == 2 || corner == 3; }
bool isBottomCorner(int corner) { return corner == 1 || corner == 3; }

namespace {

QRect commonRect(Ctl c)
{
    switch (c) {
    case Ctl::Image1: return {0, -1, 407, 6};
    case Ctl::Image5: return {6, 7, 16, 23};
    case Ctl::Image3: return {6, 32, 16, 16};
    case Ctl::Image6: return {30, 7, 52, 10};
    case Ctl::TShell: return {28, 23, 55, 9};
    case Ctl::Image4: return {28, 36, 66, 9};
    case Ctl::Picture3: return {0, 100, 85, 33}; // off the face until a counter view moves it
    case Ctl::Picture4: return {99, 28, 84, 9};
    case Ctl::WP: return {94, 9, 15, 36};
    case Ctl::NFigP1: return {109, 12, 10, 14};
    case Ctl::NFigP2: return {119, 12, 10, 14};
    case Ctl::NFigP3: return {129, 12, 10, 14};
    case Ctl::NFigP4: return {139, 12, 10, 14};
    case Ctl::Youbi: return {164, 11, 15, 15};
    case Ctl::TFigP1: return {113, 28, 10, 14};
    case Ctl::TFigP2: return {123, 28, 10, 14};
    case Ctl::HFigP1: return {144, 28, 10, 14};
    case Ctl::HFigP2: return {154, 28, 10, 14};
    case Ctl::FigP1: return {183, 11, 22, 32};
    case Ctl::FigP2: return {205, 11, 22, 32};
    case Ctl::FigP3: return {241, 11, 22, 32};
    case Ctl::FigP4: return {263, 11, 22, 32};
    case Ctl::AP: return {286, 11, 32, 32};
    case Ctl::SP: return {318, 5, 23, 42};
    case Ctl::AlP: return {346, 4, 18, 13};
    case Ctl::Picture2:
    case Ctl::Image7:
    case Ctl::Image8: return {346, 18, 39, 31};
    case Ctl::TyouP: return {384, 5, 13, 13};
    case Ctl::Tyou: return {387, 8, 13, 13};
    case Ctl::Count: break;
    }
    return {};
}

// Left edge of a control in the right-hand layout, or -1 when it keeps its place.
int rightLayoutLeft(Ctl c, int corner)
{
    switch (c) {
    case Ctl::Image1: return 23;
    case Ctl::AlP: return corner == 2 ? 20 : 40;
    case Ctl::TyouP:
    case Ctl::Tyou: return 78;
    case Ctl::Image7:
    case Ctl::Image8:
    case Ctl::Picture2: return 40;
    case Ctl::Image5:
    case Ctl::Image3: return 414;
    case Ctl::Image6: return 354;
    case Ctl::TShell:
    case Ctl::Image4: return 352;
    default: return -1;
    }
}

} // namespace

QRect controlRect(Ctl c, int corner)
{
    QRect r = commonRect(c);
    if (c == Ctl::Image1 && isBottomCorner(corner))
        r.moveTop(50);
    if (isRightCorner(corner)) {
        const int left = rightLayoutLeft(c, corner);
        if (left >= 0)
            r.moveLeft(left);
    }
    return r;
}

QLine line1(int corner)
{
    return isRightCorner(corner) ? QLine(84, 49, 40, 49) : QLine(372, 49, 328, 49);
}

QString pictureSuffix(int corner)
{
    return isRightCorner(corner) ? QStringLiteral(".vsr") : QStringLiteral(".vss");
}

int outLeft(int corner, const platform::WorkArea &wa)
{
    return isRightCorner(corner) ? wa.Right - 438 : wa.Left - 3;
}

int tuckedLeft(int corner, const platform::WorkArea &wa)
{
    return isRightCorner(corner) ? wa.Right - 12 : wa.Left - 418;
}

int demandedTop(int corner, const platform::WorkArea &wa, int frameOffset)
{
    return isBottomCorner(corner) ? wa.Bottom - 77 - frameOffset : wa.Top - 22 - frameOffset;
}

QPoint windowOrigin(int corner, const platform::WorkArea &wa, int frameOffset)
{
    return {outLeft(corner, wa), demandedTop(corner, wa, frameOffset)};
}

namespace {
// Rectangles given as (left, top) to (right, bottom), right and bottom excluded.
QRect fromEdges(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }
} // namespace

QRegion windowRegion(int corner, int fo)
{
    QRect main, ellipse, cut;
    if (isRightCorner(corner)) {
        if (isBottomCorner(corner)) {
            main = fromEdges(59, fo + 22, 438, fo + 77);
            ellipse = fromEdges(5, fo + 22, 110, fo + 135);
        } else {
            main = fromEdges(59, fo, 438, fo + 77);
            ellipse = fromEdges(5, fo - 75, 110, fo + 78);
        }
    } else if (isBottomCorner(corner)) {
        main = fromEdges(3, fo + 22, 367, fo + 77);
        ellipse = fromEdges(314, fo + 22, 425, fo + 135);
    } else {
        main = fromEdges(3, fo, 364, fo + 77);
        ellipse = fromEdges(297, fo - 75, 426, fo + 78);
    }
    cut = isBottomCorner(corner) ? fromEdges(0, fo + 77, 450, fo + 177)
                                 : fromEdges(0, fo, 450, fo + 22);
    return QRegion(main).united(QRegion(ellipse, QRegion::Ellipse)).subtracted(QRegion(cut));
}

} // namespace vespera

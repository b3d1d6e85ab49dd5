// Where each control of the clock window sits, and the window's shape in each corner.
#include "skin_layout.h"

#include <algorithm>
#include <iterator>

namespace vespera {

namespace {
const Ctl kClickAreas[] = {Ctl::EdgeStrip, Ctl::MenuButton,   Ctl::CloseButton,
                           Ctl::Logo,      Ctl::OptionButton, Ctl::AlarmButton};
const Ctl kForwardingControls[] = {
    Ctl::AlarmMark,  Ctl::SecondsGauge, Ctl::AmPm,      Ctl::HourTens, Ctl::HourOnes,
    Ctl::MinuteTens, Ctl::MinuteOnes,   Ctl::DayTens,   Ctl::DayOnes,  Ctl::MonthTens,
    Ctl::MonthOnes,  Ctl::WeekMark,     Ctl::Year1,     Ctl::Year2,    Ctl::Year3,
    Ctl::Year4,      Ctl::Weekday,      Ctl::FixedMark, Ctl::BlinkMark};

template <typename List> bool contains(const List &list, Ctl c)
{
    return std::find(std::begin(list), std::end(list), c) != std::end(list);
}
} // namespace

bool isClickArea(Ctl c) { return contains(kClickAreas, c); }
bool reachesWindow(Ctl c) { return c == Ctl::Count || contains(kForwardingControls, c); }
bool isDog(Ctl c) { return c == Ctl::DogResting || c == Ctl::DogPoseA || c == Ctl::DogPoseB; }

bool isKnownCorner(Corner corner)
{
    return int(corner) >= int(Corner::TopLeft) && int(corner) <= int(Corner::BottomRight);
}
bool isRightCorner(Corner corner)
{
    return corner == Corner::TopRight || corner == Corner::BottomRight;
}
bool isBottomCorner(Corner corner)
{
    return corner == Corner::BottomLeft || corner == Corner::BottomRight;
}

namespace {

QRect commonRect(Ctl c)
{
    switch (c) {
    case Ctl::EdgeStrip: return {0, -1, 407, 6};
    case Ctl::MenuButton: return {6, 7, 16, 23};
    case Ctl::CloseButton: return {6, 32, 16, 16};
    case Ctl::Logo: return {30, 7, 52, 10};
    case Ctl::OptionButton: return {28, 23, 55, 9};
    case Ctl::AlarmButton: return {28, 36, 66, 9};
    case Ctl::CounterCoverLeft:
        return {0, 100, 85, 33}; // off the face until a counter view moves it
    case Ctl::CounterCoverDate: return {99, 28, 84, 9};
    case Ctl::WeekMark: return {94, 9, 15, 36};
    case Ctl::Year1: return {109, 12, 10, 14};
    case Ctl::Year2: return {119, 12, 10, 14};
    case Ctl::Year3: return {129, 12, 10, 14};
    case Ctl::Year4: return {139, 12, 10, 14};
    case Ctl::Weekday: return {164, 11, 15, 15};
    case Ctl::MonthTens: return {113, 28, 10, 14};
    case Ctl::MonthOnes: return {123, 28, 10, 14};
    case Ctl::DayTens: return {144, 28, 10, 14};
    case Ctl::DayOnes: return {154, 28, 10, 14};
    case Ctl::HourTens: return {183, 11, 22, 32};
    case Ctl::HourOnes: return {205, 11, 22, 32};
    case Ctl::MinuteTens: return {241, 11, 22, 32};
    case Ctl::MinuteOnes: return {263, 11, 22, 32};
    case Ctl::AmPm: return {286, 11, 32, 32};
    case Ctl::SecondsGauge: return {318, 5, 23, 42};
    case Ctl::AlarmMark: return {346, 4, 18, 13};
    case Ctl::DogResting:
    case Ctl::DogPoseA:
    case Ctl::DogPoseB: return {346, 18, 39, 31};
    case Ctl::FixedMark: return {384, 5, 13, 13};
    case Ctl::BlinkMark: return {387, 8, 13, 13};
    case Ctl::Count: break;
    }
    return {};
}

// Left edge of a control in the right-hand layout, or -1 when it keeps its place.
int rightLayoutLeft(Ctl c, Corner corner)
{
    switch (c) {
    case Ctl::EdgeStrip: return 23;
    case Ctl::AlarmMark: return corner == Corner::TopRight ? 20 : 40;
    case Ctl::FixedMark:
    case Ctl::BlinkMark: return 78;
    case Ctl::DogPoseA:
    case Ctl::DogPoseB:
    case Ctl::DogResting: return 40;
    case Ctl::MenuButton:
    case Ctl::CloseButton: return 414;
    case Ctl::Logo: return 354;
    case Ctl::OptionButton:
    case Ctl::AlarmButton: return 352;
    default: return -1;
    }
}

} // namespace

QRect controlRect(Ctl c, Corner corner)
{
    QRect r = commonRect(c);
    if (c == Ctl::EdgeStrip && isBottomCorner(corner))
        r.moveTop(50);
    if (isRightCorner(corner)) {
        const int left = rightLayoutLeft(c, corner);
        if (left >= 0)
            r.moveLeft(left);
    }
    return r;
}

QLine dogLine(Corner corner)
{
    return isRightCorner(corner) ? QLine(84, 49, 40, 49) : QLine(372, 49, 328, 49);
}

QString pictureSuffix(Corner corner)
{
    return isRightCorner(corner) ? QStringLiteral(".vsr") : QStringLiteral(".vss");
}

namespace {
// Rectangles given as (left, top) to (right, bottom), right and bottom excluded.
QRect fromEdges(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }
} // namespace

QRegion windowRegion(Corner corner, int fo)
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

// Where each control of the clock window sits, and the window's shape in each corner.
#pragma once

#include <QLine>
#include <QRect>
#include <QRegion>
#include <QString>

namespace vespera {

// The controls of the clock window, in painting order from the bottom up.
// clang-format off
enum class Ctl {
    // Click areas, never painted.
    EdgeStrip, MenuButton, CloseButton, Logo, OptionButton, AlarmButton,
    // Fill panels of the counter views.
    CounterCoverLeft, CounterCoverDate,
    // The date: week mark, year, weekday, month and day.
    WeekMark, Year1, Year2, Year3, Year4, Weekday, MonthTens, MonthOnes, DayTens, DayOnes,
    // The time: hour and minute figures, AM or PM, the seconds gauge.
    HourTens, HourOnes, MinuteTens, MinuteOnes, AmPm, SecondsGauge,
    // The alarm mark, the dog's three poses, the fixed and the blinking marks.
    AlarmMark, DogResting, DogPoseA, DogPoseB, FixedMark, BlinkMark,
    Count
};
// clang-format on
constexpr int kCtlCount = static_cast<int>(Ctl::Count);

// What the pointer does on a control: the click areas (never painted) take
// clicks; the figures and marks pass moves and presses on to the window, as
// its bare background (Ctl::Count) does; the dog starts the design browser.
bool isClickArea(Ctl c);
bool reachesWindow(Ctl c);
bool isDog(Ctl c);

constexpr int kWindowWidth = 441;
constexpr int kWindowHeight = 129;

// The corner of the work area the clock keeps to, as stored (0-3, the
// order the options dialog lists them in). A number outside 0-3 (only a
// hand-edited store holds one) is kept as it is: it is laid out and cut like
// the top left, and never moved sideways or re-placed.
enum class Corner : int { TopLeft, BottomLeft, TopRight, BottomRight };

bool isKnownCorner(Corner corner);
bool isRightCorner(Corner corner);
bool isBottomCorner(Corner corner);

QRect controlRect(Ctl c, Corner corner);
QLine dogLine(Corner corner);         // the line under the dog
QString pictureSuffix(Corner corner); // ".vss" for the left corners, ".vsr" for the right

// The layout was drawn under a window caption this many pixels high; a
// window's frame offset is what its frame adds beyond that caption.
constexpr int kLayoutCaptionHeight = 25;
// The frame offset of a window without a frame: no caption at all.
constexpr int kBorderlessFrameOffset = -kLayoutCaptionHeight;

// The window's shape: main rectangle united with an ellipse, less a cut rectangle.
QRegion windowRegion(Corner corner, int frameOffset);

} // namespace vespera

// Where each control of the clock window sits, and where the window goes in its corner.
#pragma once

#include "platform/desktop.h"

#include <QLine>
#include <QRect>
#include <QRegion>
#include <QString>

namespace vespera {

// The controls of the clock window, in painting order from the bottom up.
enum class Ctl {
    Image1, Image5, Image3, Image6, TShell, Image4, // click areas, never painted
    Picture3, Picture4,                             // fill panels of the counter views
    WP, NFigP1, NFigP2, NFigP3, NFigP4, Youbi,
    TFigP1, TFigP2, HFigP1, HFigP2,
    FigP1, FigP2, FigP3, FigP4, AP, SP,
    AlP, Picture2, Image7, Image8, TyouP, Tyou,
    Count
};
constexpr int kCtlCount = static_cast<int>(Ctl::Count);

constexpr int kWindowWidth = 441;
constexpr int kWindowHeight = 129;

// A corner outside 0-3 (only a hand-edited store holds one) is laid out and
// cut like corner 0; it is never moved sideways or re-placed.
bool isKnownCorner(int corner);
bool isRightCorner(int corner);
bool isBottomCorner(int corner);

QRect controlRect(Ctl c, int corner);
QLine line1(int corner);
QString pictureSuffix(int corner); // ".vss" for the left corners, ".vsr" for the right

// Window position with the clock out, and the top its corner demands.
QPoint windowOrigin(int corner, const platform::WorkArea &wa, int frameOffset);
int demandedTop(int corner, const platform::WorkArea &wa, int frameOffset);
int outLeft(int corner, const platform::WorkArea &wa);
int tuckedLeft(int corner, const platform::WorkArea &wa);

// The window's shape: main rectangle united with an ellipse, less a cut rectangle.
QRegion windowRegion(int corner, int frameOffset);

} // namespace vespera

// Where the clock window goes in its corner of the work area: out, and tucked.
#pragma once

#include "design/skin_layout.h"
#include "platform/desktop.h"

#include <QPoint>

namespace vespera {

// Window position with the clock out, and the top its corner demands.
QPoint windowOrigin(Corner corner, const platform::WorkArea &wa, int frameOffset);
int demandedTop(Corner corner, const platform::WorkArea &wa, int frameOffset);
int outLeft(Corner corner, const platform::WorkArea &wa);
int tuckedLeft(Corner corner, const platform::WorkArea &wa);

} // namespace vespera

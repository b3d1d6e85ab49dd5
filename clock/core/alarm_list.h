// The alarm reservations as a list: how many the store keeps, and how the
// options dialog's edits meet changes the clock made meanwhile.
#pragma once

#include "core/alarm.h"

namespace vespera {

// The most reservations the store keeps.
constexpr int kMaxStoredAlarms = 12;

// The list to store when the options dialog closes: the stored list as it is
// now, with the user's edits made to it. While the dialog was open the clock
// may have removed a one-time alarm that rang or added a preset alarm; the
// dialog's own copy knows nothing of that. So the entries the user took out
// of the list the dialog opened with are taken out, each once, and the ones
// the user added are appended, in the dialog's order.
AlarmList mergeAlarmEdits(const AlarmList &opened, const AlarmList &edited,
                          const AlarmList &stored);

} // namespace vespera

// The alarm reservations as stored: one "HH:MM:SS" text (with "*" for a
// one-time alarm) under each of the keys "0", "1", ...
#pragma once

#include "common/settings_store.h"
#include "core/alarm.h"

namespace vespera {

// The most reservations the store keeps: keys "0" to "11".
constexpr int kMaxStoredAlarms = 12;

// Appends the stored reservations to the list, from key "0" on, up to the
// first key that is missing or empty.
void loadAlarmList(AlarmList &list, const common::SettingsStore &store);

// Stores the list as the keys "0", "1", ... followed by an empty key, in one
// rewrite of the file. Keys past "11" are never written: the list holds at
// most twelve entries when stored. Numbered keys left over after the written
// ones are removed, so an older, longer list cannot come back.
bool saveAlarmList(const AlarmList &list, common::SettingsStore &store);

// The list to store when the options dialog closes: the stored list as it is
// now, with the user's edits made to it. While the dialog was open the clock
// may have removed a one-time alarm that rang or added a preset alarm; the
// dialog's own copy knows nothing of that. So the entries the user took out
// of the list the dialog opened with are taken out, each once, and the ones
// the user added are appended, in the dialog's order.
AlarmList mergeAlarmEdits(const AlarmList &opened, const AlarmList &edited,
                          const AlarmList &stored);

} // namespace vespera

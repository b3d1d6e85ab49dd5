// The alarm reservations as stored: one "HH:MM:SS" text (with "*" for a
// one-time alarm) under each of the keys "0", "1", ...
#pragma once

#include "common/settings_store.h"

#include <QStringList>

namespace vespera {

using AlarmList = QStringList;

// Appends the stored reservations to the list, from key "0" on, up to the
// first key that is missing or empty.
void LoadAlarmList(AlarmList &list, const common::SettingsStore &store);

// Stores the list as the keys "0", "1", ... followed by an empty key, in one
// rewrite of the file. Keys past "11" are never written: the list holds at
// most twelve entries when stored. Numbered keys left over after the written
// ones are removed, so an older, longer list cannot come back.
bool SaveAlarmList(const AlarmList &list, common::SettingsStore &store);

} // namespace vespera

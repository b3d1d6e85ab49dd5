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

} // namespace vespera

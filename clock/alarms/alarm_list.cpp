// The alarm reservations as stored: one "HH:MM:SS" text (with "*" for a
// one-time alarm) under each of the keys "0", "1", ...
#include "alarm_list.h"

namespace vespera {

void LoadAlarmList(AlarmList &list, const common::SettingsStore &store)
{
    const common::IniDocument stored = store.snapshot(); // one read for every key
    for (int i = 0;; ++i) {
        const QString *entry = stored.find(common::kSection, QString::number(i));
        if (!entry || entry->isEmpty())
            return;
        list << *entry;
    }
}

} // namespace vespera

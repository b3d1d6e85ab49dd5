// The alarm reservations as a list: how the options dialog's edits meet
// changes the clock made meanwhile.
#include "alarm_list.h"

namespace vespera {

AlarmList mergeAlarmEdits(const AlarmList &opened, const AlarmList &edited, const AlarmList &stored)
{
    AlarmList removed = opened; // what the user took out: opened less edited
    AlarmList added;            // what the user put in: edited less opened
    for (const Alarm &entry : edited) {
        if (!removed.removeOne(entry))
            added << entry;
    }
    AlarmList merged = stored;
    for (const Alarm &entry : removed)
        merged.removeOne(entry);
    return merged + added;
}

} // namespace vespera

// The alarm reservations as stored: one "HH:MM:SS" text (with "*" for a
// one-time alarm) under each of the keys "0", "1", ...
#include "alarm_list.h"

#include <QSet>

#include <cstdio>

namespace vespera {

void loadAlarmList(AlarmList &list, const common::SettingsStore &store)
{
    const common::IniDocument stored = store.snapshot(); // one read for every key
    for (int i = 0;; ++i) {
        const QString *entry = stored.find(common::kSection, QString::number(i));
        if (!entry || entry->isEmpty())
            return;
        if (i == kMaxStoredAlarms) {
            // A hand-edited file may hold thousands; the store never keeps
            // more than twelve, and the next save drops the rest.
            static bool said = false;
            if (!said)
                std::fprintf(stderr, "only the first %d alarm reservations are read\n",
                             kMaxStoredAlarms);
            said = true;
            return;
        }
        list << Alarm::fromStored(*entry);
    }
}

bool saveAlarmList(const AlarmList &list, common::SettingsStore &store)
{
    constexpr int kLastKey = kMaxStoredAlarms - 1;
    return store.change([&](common::IniDocument &doc) {
        const QString section = common::kSection;
        int i = 0;
        for (; i <= list.size() && i <= kLastKey; ++i) // in place: the file keeps its order
            doc.set(section, QString::number(i), i < list.size() ? list[i].toStored() : QString());
        QSet<QString> stale;
        for (; i <= 10 || doc.find(section, QString::number(i)); ++i)
            stale << QString::number(i);
        doc.removeKeys(section, stale); // in one pass, however many a hand-edited file holds
        return true;
    });
}

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

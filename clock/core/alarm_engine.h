// When alarms fire and chimes sound: the latch that fires a minute once,
// late and snoozed alarms, and the volume encoding.
#pragma once

#include "alarm_list.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace vespera {

// "h:mm": the hour without a leading zero, the minute with two (7:05, 23:59).
QString hmText(const QTime &t);

// A wave-out volume from a level 0-255: the level's byte in all four bytes
// (200 gives C8C8C8C8). Levels outside 0-255 are taken as the nearest end.
quint32 waveVolumeFromLevel(int level);

// A chime is due at second 00 of minutes 00 and 30; a tick that misses that
// second does not catch up.
bool chimeDue(const QTime &t);
// The next half hour after `now`, when the chime is due.
QDateTime nextChime(const QDateTime &now);

// What a firing shows: the alarm's own time, and whether it rings late.
struct AlarmRing {
    QTime time;
    bool late = false;
};

// Alarms ring late at most this long after their minute (a laptop that slept
// through 7:30 and opens at 7:50 still hears it; one that opens at noon does
// not hear the morning's alarms).
inline constexpr int kLatestMinutes = 30;
// A snoozed alarm rings again this much later.
inline constexpr int kSnoozeMinutes = 5;

class AlarmEngine {
public:
    // One pass of the tick at the local time `now`.
    //  - Every entry whose hour and minute are now's fires, in list order; a
    //    one-shot entry is first removed from the list (listChanged then
    //    stores it). After a firing, the list rests until the minute is over;
    //    the tick that sees the next minute leaves the list alone.
    //  - Minutes of the wall clock that no tick saw (a suspend, a starved
    //    process, the clock set forward) fire late, once each, when they are
    //    at most kLatestMinutes ago; minutes a daylight-saving change skipped
    //    count from the end of the gap, so they ring just after it.
    //  - A minute that fired does not fire again that day: the clock set
    //    back, or the hour a daylight-saving change repeats.
    //  - Snoozed alarms ring when their time has come.
    void checkAlarms(AlarmList &list, const QDateTime &now,
                     const std::function<void()> &listChanged,
                     const std::function<void(const AlarmRing &)> &fire);
    // A tick at `now` with alarms switched off: the minutes up to now were
    // not wanted, so alarms switched on later do not ring them late.
    void pass(const QDateTime &now);
    // Rings again kSnoozeMinutes after `now`; kept for this run only.
    void snooze(const QDateTime &now);
    // When a check must next run for an alarm to ring on time: the start of
    // the next minute after `now` that an entry of the list names, or a
    // snoozed alarm's instant, whichever comes first; nothing when neither.
    std::optional<QDateTime> nextDue(const AlarmList &list, const QDateTime &now) const;

private:
    // Fires the entries of one minute; true when any fired.
    bool fireMinute(AlarmList &list, const QDateTime &minute, bool late,
                    const std::function<void()> &listChanged,
                    const std::function<void(const AlarmRing &)> &fire);
    void catchUp(AlarmList &list, const QDateTime &now, const std::function<void()> &listChanged,
                 const std::function<void(const AlarmRing &)> &fire);

    // The local date and minute the last tick looked at.
    std::optional<QDateTime> m_lastMinute;
    // Local date and minute of each firing of the last two days.
    QSet<QDateTime> m_fired;
    QVector<QDateTime> m_snoozed; // when each rings again, as an instant
    // Held from a firing until the first tick of another minute.
    bool m_latched = false;
    QTime m_firedMinute; // of the last firing
};

} // namespace vespera

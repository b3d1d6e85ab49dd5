// When alarms fire and chimes sound: the reservation texts, the latch that
// fires a minute once, the command-line alarm and the volume encoding.
#pragma once

#include "alarm_list.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace vespera {

// "h:mm": the hour without a leading zero, the minute with two (7:05, 23:59).
QString hmText(const QTime &t);

// The time of day in an entry's first eight characters, "hh:mm:ss"; nothing
// when they are not one. Only its hour and minute take part in matching.
std::optional<QTime> entryTime(const QString &entry);
inline bool isOneShot(const QString &entry) { return entry.endsWith(QLatin1Char('*')); }

// A wave-out volume from a level 0-255: the level's byte in all four bytes
// (200 gives C8C8C8C8). Levels outside 0-255 are taken as the nearest end.
quint32 WaveVolumeFromLevel(int level);

// A stored level: absent gives the default, text that is no number gives 0.
int storedLevel(const std::optional<QString> &value, int defaultLevel = 200);

// A chime is due at second 00 of minutes 00 and 30; a tick that misses that
// second does not catch up.
bool chimeDue(const QTime &t);

// The command line "AL hhmm program..." gives the entry "hh:mm:00" and, from
// its ninth character on, the program to start for every alarm.
std::optional<QString> commandLineAlarm(const QString &commandLine);
QString commandLineProgram(const QString &commandLine);

class AlarmEngine {
public:
    // One pass of the tick. Every entry whose hour and minute are now's
    // fires, in list order; a one-shot entry is first removed from the list
    // (listChanged then stores it). After a firing, the list rests until the
    // minute is over.
    void CheckAlarms(AlarmList &list, const QTime &now, const std::function<void()> &listChanged,
                     const std::function<void()> &fire);

    bool AlarmLatch = false;
    QString FiredMinute; // "h:mm" of the last firing
};

} // namespace vespera

// When alarms fire and chimes sound: the reservation texts, the latch that
// fires a minute once, the command-line alarm and the volume encoding.
#include "alarm_engine.h"

#include <algorithm>

namespace vespera {

QString hmText(const QTime &t)
{
    return QString::number(t.hour()) + QLatin1Char(':')
           + QStringLiteral("%1").arg(t.minute(), 2, 10, QLatin1Char('0'));
}

std::optional<QTime> entryTime(const QString &entry)
{
    const QTime t = QTime::fromString(entry.left(8), QStringLiteral("hh:mm:ss"));
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

quint32 WaveVolumeFromLevel(int level) { return quint32(std::clamp(level, 0, 255)) * 0x01010101u; }

int storedLevel(const std::optional<QString> &value, int defaultLevel)
{
    return value ? value->trimmed().toInt() : defaultLevel;
}

bool chimeDue(const QTime &t) { return t.second() == 0 && (t.minute() == 0 || t.minute() == 30); }

std::optional<QString> commandLineAlarm(const QString &commandLine)
{
    if (!commandLine.startsWith(QLatin1String("AL")))
        return std::nullopt;
    return commandLine.mid(3, 2) + QLatin1Char(':') + commandLine.mid(5, 2) + QStringLiteral(":00");
}

QString commandLineProgram(const QString &commandLine) { return commandLine.mid(8); }

void AlarmEngine::CheckAlarms(AlarmList &list, const QTime &now,
                              const std::function<void()> &listChanged,
                              const std::function<void()> &fire)
{
    const QString minute = hmText(now);
    if (AlarmLatch) {
        // The latch falls at the first tick of another minute; that tick
        // leaves the list alone. (Comparing with "one minute before now"
        // would let a midnight alarm fire again every other second.)
        if (minute != FiredMinute)
            AlarmLatch = false;
        return;
    }
    // Every entry present at the start is looked at once, also when a
    // one-shot entry before it was removed meanwhile.
    const AlarmList pass = list;
    for (const QString &entry : pass) {
        const std::optional<QTime> t = entryTime(entry);
        if (!t || hmText(*t) != minute)
            continue;
        AlarmLatch = true;
        FiredMinute = minute;
        if (isOneShot(entry)) {
            list.removeOne(entry);
            listChanged();
        }
        fire();
    }
}

} // namespace vespera

// When alarms fire and chimes sound: the latch that fires a minute once,
// late and snoozed alarms, and the volume encoding.
#include "alarm_engine.h"

#include <algorithm>

namespace vespera {

QString hmText(const QTime &t)
{
    return QString::number(t.hour()) + QLatin1Char(':')
           + QStringLiteral("%1").arg(t.minute(), 2, 10, QLatin1Char('0'));
}

quint32 waveVolumeFromLevel(int level) { return quint32(std::clamp(level, 0, 255)) * 0x01010101u; }

bool chimeDue(const QTime &t) { return t.second() == 0 && (t.minute() == 0 || t.minute() == 30); }

QDateTime nextChime(const QDateTime &now)
{
    const QTime t = now.time();
    const int secondsIntoHalfHour = (t.minute() % 30) * 60 + t.second();
    return QDateTime(now.date(), QTime(t.hour(), t.minute(), t.second()))
        .addSecs(30 * 60 - secondsIntoHalfHour);
}

namespace {
// A local date and minute, without its zone, so that minutes count as the
// wall clock shows them (a daylight-saving gap is an hour of minutes too).
QDateTime wallMinute(const QDateTime &local)
{
    const QTime t = local.time();
    return QDateTime(local.date(), QTime(t.hour(), t.minute()), Qt::UTC);
}

QTime minuteOf(const QTime &t) { return QTime(t.hour(), t.minute()); }
} // namespace

bool AlarmEngine::fireMinute(AlarmList &list, const QDateTime &minute, bool late,
                             const std::function<void()> &listChanged,
                             const std::function<void(const AlarmRing &)> &fire)
{
    if (m_fired.contains(minute))
        return false; // rang already that day: the clock was set back
    bool fired = false;
    // Every entry present at the start is looked at once, also when a
    // one-shot entry before it was removed meanwhile.
    const AlarmList pass = list;
    for (const Alarm &entry : pass) {
        if (!entry.ringsAt(minute.time()))
            continue;
        fired = true;
        m_fired.insert(minute);
        if (entry.isOneShot()) {
            list.removeOne(entry);
            listChanged();
        }
        fire({minute.time(), late});
    }
    return fired;
}

void AlarmEngine::catchUp(AlarmList &list, const QDateTime &now,
                          const std::function<void()> &listChanged,
                          const std::function<void(const AlarmRing &)> &fire)
{
    const QDateTime minute = wallMinute(now);
    if (!m_lastMinute || minute <= *m_lastMinute)
        return; // the first tick, the same minute, or the clock set back
    // Looked at no further back than a day: what is older is too late anyway.
    QDateTime m = qMax(m_lastMinute->addSecs(60), minute.addDays(-1));
    for (; m < minute; m = m.addSecs(60)) {
        // A minute the wall clock skipped (a daylight-saving gap) is as late
        // as the first minute after the gap.
        QDateTime shown = m;
        while (shown < minute && !QDateTime(shown.date(), shown.time(), Qt::LocalTime).isValid())
            shown = shown.addSecs(60);
        if (shown.secsTo(minute) <= kLatestMinutes * 60)
            fireMinute(list, m, true, listChanged, fire);
    }
}

void AlarmEngine::checkAlarms(AlarmList &list, const QDateTime &now,
                              const std::function<void()> &listChanged,
                              const std::function<void(const AlarmRing &)> &fire)
{
    const QDateTime minute = wallMinute(now);
    catchUp(list, now, listChanged, fire);
    m_lastMinute = minute;
    // Firings of the day before yesterday cannot be met again.
    m_fired.removeIf([&](const QDateTime &m) { return m.daysTo(minute) > 1; });

    for (int i = 0; i < m_snoozed.size();) {
        const QDateTime due = m_snoozed[i];
        if (due > now) {
            ++i;
            continue;
        }
        m_snoozed.removeAt(i);
        const qint64 late = due.secsTo(now);
        if (late <= kLatestMinutes * 60)
            fire({due.time(), late >= 60});
    }

    const QTime nowMinute = minuteOf(now.time());
    if (m_latched) {
        // The latch falls at the first tick of another minute; that tick
        // leaves the list alone. (Comparing with "one minute before now"
        // would let a midnight alarm fire again every other second.)
        if (nowMinute != m_firedMinute) {
            m_latched = false;
            // Not looked at yet: if no other tick comes in this minute, the
            // next one catches it up.
            m_lastMinute = minute.addSecs(-60);
        }
        return;
    }
    if (fireMinute(list, minute, false, listChanged, fire)) {
        m_latched = true;
        m_firedMinute = nowMinute;
    }
}

void AlarmEngine::pass(const QDateTime &now) { m_lastMinute = wallMinute(now); }

void AlarmEngine::snooze(const QDateTime &now)
{
    m_snoozed.append(now.addSecs(kSnoozeMinutes * 60));
}

std::optional<QDateTime> AlarmEngine::nextDue(const AlarmList &list, const QDateTime &now) const
{
    std::optional<QDateTime> first;
    const auto consider = [&first](const QDateTime &due) {
        if (!first || due < *first)
            first = due;
    };
    for (const Alarm &entry : list) {
        const QTime t = entry.time();
        if (!t.isValid())
            continue;
        // Entries ring by hour and minute, from the minute's first second.
        QDateTime due(now.date(), minuteOf(t));
        if (due <= now)
            due = QDateTime(now.date().addDays(1), minuteOf(t));
        consider(due);
    }
    for (const QDateTime &due : m_snoozed)
        consider(qMax(due, now));
    return first;
}

} // namespace vespera

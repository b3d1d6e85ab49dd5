// The clock adjustment group's arithmetic: the whole minute nearest to now,
// shifted by an offset of -59..+59 minutes, as a time of day that wraps
// around midnight either way.
#include "clock_adjust.h"

#include <algorithm>

namespace vespera {

QString adjustTimeText(const QTime &t) { return t.toString(QStringLiteral("HH:mm:ss")); }

QTime adjustTarget(const QTime &now, int offsetMinutes)
{
    const int nearest = now.hour() * 60 + now.minute() + (now.second() >= 30 ? 1 : 0);
    const int minuteOfDay = ((nearest + offsetMinutes) % 1440 + 1440) % 1440;
    return QTime(minuteOfDay / 60, minuteOfDay % 60, 0);
}

void ClockAdjust::tick(const QTime &now)
{
    m_now = now;
    m_target = adjustTarget(now, m_offset);
}

void ClockAdjust::later()
{
    if (m_offset < kMaxOffset)
        ++m_offset;
}

void ClockAdjust::earlier()
{
    if (m_offset > -kMaxOffset)
        --m_offset;
}

} // namespace vespera

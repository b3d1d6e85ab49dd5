// The clock adjustment group's arithmetic: the whole minute nearest to now,
// shifted by an offset of -59..+59 minutes, as a time of day that wraps
// around midnight either way.
#pragma once

#include <QString>
#include <QTime>

namespace vespera {

// "HH:MM:SS", 24-hour, two digits each.
QString adjustTimeText(const QTime &t);

// The whole minute nearest to `now` (from :30 on, the next one), moved by
// `offsetMinutes`; seconds are always 00.
QTime adjustTarget(const QTime &now, int offsetMinutes);

class ClockAdjust {
public:
    static constexpr int kMaxOffset = 59;

    // Every 100 ms: the current time and the time SET would set.
    void tick(const QTime &now);
    void later();   // one minute more, up to +59
    void earlier(); // one minute less, down to -59
    int offset() const { return m_offset; }
    // What SET sets: the target as the last tick shows it, so SET sets the
    // time on the screen also in the moment between ▲ and the next tick.
    QTime target() const { return m_target; }

    QString nowText() const { return adjustTimeText(m_now); }
    QString targetText() const { return adjustTimeText(m_target); }
    QString offsetText() const { return QString::number(m_offset); }

private:
    QTime m_now{0, 0}, m_target{0, 0};
    int m_offset = 0; // from 0 at every opening
};

} // namespace vespera

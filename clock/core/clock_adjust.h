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
    void later(); // one minute more, up to +59
    void earlier(); // one minute less, down to -59
    int offset() const { return offsetText.toInt(); }

    QString nowText = QStringLiteral("00:00:00"); // now
    QString targetText = QStringLiteral("00:00:00"); // the target
    QString offsetText = QStringLiteral("0");        // the offset, from "0" at every opening
};

} // namespace vespera

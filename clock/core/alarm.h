// An alarm reservation as a value: the time of day it rings and whether it
// rings once, read from and written back to its stored "hh:mm:ss[*]" text.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace vespera {

class Alarm {
public:
    Alarm() = default;
    // Seconds are kept (a reservation stores them) but only the hour and
    // minute decide when it rings; milliseconds are dropped.
    Alarm(const QTime &time, bool oneShot);

    // The stored text: "hh:mm:ss", with "*" after it for a one-time alarm.
    // A hand-edited entry in any other form is kept as it was written, so it
    // is shown and stored back unchanged and the user can see and delete it;
    // it rings at the time its first eight characters give, if they give one,
    // and once when it ends in "*".
    static Alarm fromStored(const QString &text);
    QString toStored() const;

    // Invalid for an entry that names no time: it never rings.
    QTime time() const { return m_time; }
    bool isOneShot() const { return m_oneShot; }
    // Whether it rings in the minute of `t`.
    bool ringsAt(const QTime &t) const;

    friend bool operator==(const Alarm &a, const Alarm &b)
    {
        return a.m_time == b.m_time && a.m_oneShot == b.m_oneShot && a.m_asWritten == b.m_asWritten;
    }
    friend bool operator!=(const Alarm &a, const Alarm &b) { return !(a == b); }

private:
    QTime m_time;
    bool m_oneShot = false;
    QString m_asWritten; // a hand-edited text not in the stored form; empty for the rest
};

using AlarmList = QList<Alarm>;

// Each entry's stored text, in list order.
QStringList storedTexts(const AlarmList &list);
// The list those texts read as.
AlarmList alarmsFromStored(const QStringList &texts);

} // namespace vespera

// The hours of the preset-alarm menu: their captions and which are marked.
#pragma once

#include <QDateTime>
#include <QString>
#include <bitset>

namespace vespera {

constexpr int kHours = 24;

// Caption of the menu item for an hour 0-23: the part of the day, then the
// hour on the 12-hour dial (noon counts as "午前１２時").
QString presetHourCaption(int hour);

// Hours at which the menu was opened during this run. Marks only add up:
// they point at the current hour and are never taken back.
class HourMarks {
public:
    void mark(int hour)
    {
        if (hour >= 0 && hour < kHours)
            m_marked.set(std::size_t(hour));
    }
    bool isMarked(int hour) const
    {
        return hour >= 0 && hour < kHours && m_marked.test(std::size_t(hour));
    }

private:
    std::bitset<kHours> m_marked;
};

} // namespace vespera

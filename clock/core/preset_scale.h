// What the preset dial shows and picks: a minute scale for one hour, with
// an offset of minutes that may carry into the next hour.
#pragma once

#include "core/alarm.h"

#include <QString>
#include <QTime>
#include <optional>

namespace vespera {

class PresetScale {
public:
    // Bands of the scale picture, x from 80 (inclusive) to 380 (exclusive).
    static constexpr int kLeft = 80, kRight = 380;
    static constexpr int kHidden = -10; // a marker left of the picture
    // Where the marker of minute or offset m has its left edge.
    static int markerLeft(int m) { return 81 + 5 * m; }

    // Opening: the preset hour and the minute it is now.
    void open(int hour, int currentMinute);
    void mouseMove(int x, int y);
    void mouseDown(int x, int y);
    // True when the double click sets the alarm.
    bool doubleClick() const { return m_picked; }
    // "NOW": the hour and minute it is now.
    void now(int currentHour, int currentMinute);
    // The one-time reservation Set makes.
    Alarm entry() const { return Alarm(QTime(m_presetHour, m_minute), true); }

    int presetHour() const { return m_presetHour; } // 0-23
    int selectedMinute() const { return (m_selectedMarkerLeft - 81) / 5; }

    // What the dial shows: the hour on the 12-hour dial with "AM" or "PM"
    // (noon stays AM 12 and midnight AM 0, as the dial has always read), the
    // minute, and the offset ("00" in a new window until the pointer moves
    // onto the offset bands or off the scale, "0" from then on).
    QString dialHourText() const;
    QString amPmText() const;
    QString minuteText() const { return QString::number(m_minute); }
    QString offsetText() const;
    int shownMarkerLeft() const { return m_shownMarkerLeft; }
    int selectedMarkerLeft() const { return m_selectedMarkerLeft; }
    int offsetMarkerLeft() const { return m_offsetMarkerLeft; }

private:
    void showHour(int hour) { m_shownHour = hour; }
    void showMinute(int minute);
    void pick();

    int m_presetHour = 0;
    int m_shownHour = 0; // 0-23; an offset may carry it past the preset hour
    int m_minute = 0;    // shown
    std::optional<int> m_offset;
    int m_shownMarkerLeft = kHidden, m_selectedMarkerLeft = kHidden, m_offsetMarkerLeft = kHidden;
    bool m_picked = false; // kept from one opening to the next
    QTime m_pickedTime;    // the hour and minute picked, or those of the opening
};

} // namespace vespera

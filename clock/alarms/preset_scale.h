// What the preset dial shows and picks: a minute scale for one hour, with
// an offset of minutes that may carry into the next hour.
#pragma once

#include "core/alarm.h"

#include <QString>

namespace vespera {

// "hh:mm:00", the reservation text of hour h and minute m.
QString presetTimeText(int hour, int minute);

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
    bool doubleClick() const { return picked; }
    // "NOW": the hour and minute it is now.
    void now(int currentHour, int currentMinute);
    // The one-time reservation Set makes.
    Alarm entry() const { return Alarm(QTime(presetHour, minuteText.toInt()), true); }

    int selectedMinute() const { return (selectedMarkerLeft - 81) / 5; }

    int presetHour = 0;                          // the preset hour
    QString dialHourText = QStringLiteral("00"); // hour on the 12-hour dial
    QString amPmText = QStringLiteral("AM");     // "AM" or "PM"
    QString minuteText = QStringLiteral("00");   // minute shown
    QString offsetText = QStringLiteral("00");   // offset shown
    int shownMarkerLeft = kHidden, selectedMarkerLeft = kHidden, offsetMarkerLeft = kHidden;
    bool picked = false; // kept from one opening to the next
    QString pickedText;

private:
    void showHour(int hour);
    void showMinute(int minute);
    void pick();
};

} // namespace vespera

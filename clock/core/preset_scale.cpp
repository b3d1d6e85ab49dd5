// What the preset dial shows and picks: a minute scale for one hour, with
// an offset of minutes that may carry into the next hour.
#include "preset_scale.h"

namespace vespera {

namespace {
bool inScale(int x) { return x >= PresetScale::kLeft && x < PresetScale::kRight; }
bool inMinuteBands(int y) { return y >= 25 && y < 65; }
bool inOffsetBands(int y) { return y >= 80 && y < 108; }
} // namespace

QString PresetScale::dialHourText() const
{
    return QString::number(m_shownHour < 13 ? m_shownHour : m_shownHour - 12);
}

QString PresetScale::amPmText() const
{
    return m_shownHour < 13 ? QStringLiteral("AM") : QStringLiteral("PM");
}

QString PresetScale::offsetText() const
{
    return m_offset ? QString::number(*m_offset) : QStringLiteral("00");
}

void PresetScale::showMinute(int minute)
{
    m_minute = minute;
    m_shownMarkerLeft = markerLeft(minute);
}

void PresetScale::open(int hour, int currentMinute)
{
    m_presetHour = hour;
    showHour(m_presetHour);
    m_selectedMarkerLeft = markerLeft(currentMinute);
    m_shownMarkerLeft = kHidden;
    m_offsetMarkerLeft = kHidden;
    m_pickedTime = QTime(m_presetHour, currentMinute);
    m_minute = currentMinute;
    m_offset.reset(); // a new window's offset; only picked carries over
}

void PresetScale::mouseMove(int x, int y)
{
    const int along = x - kLeft;
    if (inScale(x) && y >= 25 && y < 65) {
        const int minute = y < 41 ? along / 5 : y < 53 ? along / 25 * 5 : along / 75 * 15;
        if (m_minute != minute)
            showMinute(minute);
        return;
    }
    if (inScale(x) && y >= 80 && y < 108) {
        const int offset = y < 96 ? along / 5 : along / 25 * 5;
        if (m_offset == offset)
            return;
        m_offset = offset;
        m_offsetMarkerLeft = markerLeft(offset);
        const int total = selectedMinute() + offset;
        showMinute(total > 59 ? total - 60 : total);
        showHour(total > 59 ? (m_presetHour + 1) % 24 : m_presetHour);
        return;
    }
    // Off the bands: back to what was selected.
    m_picked = false;
    if (QTime(m_presetHour, m_minute) != m_pickedTime) {
        showHour(m_presetHour);
        m_minute = selectedMinute();
        m_shownMarkerLeft = m_selectedMarkerLeft;
    }
    if (m_offset != 0) {
        m_offset = 0;
        m_offsetMarkerLeft = markerLeft(0);
    }
}

void PresetScale::pick()
{
    m_pickedTime = QTime(m_presetHour, m_minute);
    // The selection goes to the minute shown, also when its marker was never
    // drawn (a first move onto the minute already shown moves nothing).
    m_selectedMarkerLeft = markerLeft(m_minute);
    m_shownMarkerLeft = m_selectedMarkerLeft;
    m_picked = true;
}

void PresetScale::mouseDown(int x, int y)
{
    if (!inScale(x))
        return;
    if (inMinuteBands(y)) {
        pick();
    } else if (inOffsetBands(y)) {
        // An offset that carried into the next hour makes that hour the preset one.
        m_presetHour = m_shownHour;
        pick();
    }
}

void PresetScale::now(int currentHour, int currentMinute)
{
    m_presetHour = currentHour;
    m_selectedMarkerLeft = markerLeft(currentMinute);
    showHour(m_presetHour);
    m_minute = selectedMinute();
    m_shownMarkerLeft = m_selectedMarkerLeft;
    m_pickedTime = QTime(m_presetHour, m_minute);
}

} // namespace vespera

// What the preset dial shows and picks: a minute scale for one hour, with
// an offset of minutes that may carry into the next hour.
#include "preset_scale.h"

namespace vespera {

namespace {
bool inScale(int x) { return x >= PresetScale::kLeft && x < PresetScale::kRight; }
bool inMinuteBands(int y) { return y >= 25 && y < 65; }
bool inOffsetBands(int y) { return y >= 80 && y < 108; }
} // namespace

QString presetTimeText(int hour, int minute)
{
    return QStringLiteral("%1:%2:00")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

void PresetScale::showHour(int hour)
{
    // Noon stays AM 12 and midnight AM 0, as the dial has always read.
    amPmText = hour < 13 ? QStringLiteral("AM") : QStringLiteral("PM");
    dialHourText = QString::number(hour < 13 ? hour : hour - 12);
}

void PresetScale::showMinute(int minute)
{
    minuteText = QString::number(minute);
    shownMarkerLeft = markerLeft(minute);
}

void PresetScale::open(int hour, int currentMinute)
{
    presetHour = hour;
    showHour(presetHour);
    selectedMarkerLeft = markerLeft(currentMinute);
    shownMarkerLeft = kHidden;
    offsetMarkerLeft = kHidden;
    pickedText = presetTimeText(presetHour, currentMinute);
    minuteText = QString::number(currentMinute);
    offsetText = QStringLiteral("00"); // a new window's offset; only picked carries over
}

void PresetScale::mouseMove(int x, int y)
{
    const int along = x - kLeft;
    if (inScale(x) && y >= 25 && y < 65) {
        const int minute = y < 41 ? along / 5 : y < 53 ? along / 25 * 5 : along / 75 * 15;
        if (minuteText != QString::number(minute))
            showMinute(minute);
        return;
    }
    if (inScale(x) && y >= 80 && y < 108) {
        const int offset = y < 96 ? along / 5 : along / 25 * 5;
        if (offsetText == QString::number(offset))
            return;
        offsetText = QString::number(offset);
        offsetMarkerLeft = markerLeft(offset);
        const int total = selectedMinute() + offset;
        showMinute(total > 59 ? total - 60 : total);
        showHour(total > 59 ? (presetHour + 1) % 24 : presetHour);
        return;
    }
    // Off the bands: back to what was selected.
    picked = false;
    if (presetTimeText(presetHour, minuteText.toInt()) != pickedText) {
        showHour(presetHour);
        minuteText = QString::number(selectedMinute());
        shownMarkerLeft = selectedMarkerLeft;
    }
    if (offsetText != QLatin1String("0")) {
        offsetText = QStringLiteral("0");
        offsetMarkerLeft = markerLeft(0);
    }
}

void PresetScale::pick()
{
    pickedText = presetTimeText(presetHour, minuteText.toInt());
    // The selection goes to the minute shown, also when its marker was never
    // drawn (a first move onto the minute already shown moves nothing).
    selectedMarkerLeft = markerLeft(minuteText.toInt());
    shownMarkerLeft = selectedMarkerLeft;
    picked = true;
}

void PresetScale::mouseDown(int x, int y)
{
    if (!inScale(x))
        return;
    if (inMinuteBands(y)) {
        pick();
    } else if (inOffsetBands(y)) {
        // An offset that carried into the next hour makes that hour the preset one.
        presetHour = dialHourText.toInt() + (amPmText == QLatin1String("AM") ? 0 : 12);
        pick();
    }
}

void PresetScale::now(int currentHour, int currentMinute)
{
    presetHour = currentHour;
    selectedMarkerLeft = markerLeft(currentMinute);
    showHour(presetHour);
    minuteText = QString::number(selectedMinute());
    shownMarkerLeft = selectedMarkerLeft;
    pickedText = presetTimeText(presetHour, minuteText.toInt());
}

} // namespace vespera

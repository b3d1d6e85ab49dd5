// The typing rules of the alarm reservation editor: the hour and minute
// boxes, the three hour modes, the staged 24-hour texts and the checks of
// "セット". The options dialog feeds it its boxes' key events.
#include "reservation_editor.h"

#include <QCoreApplication>

namespace vespera {

namespace {
// The number a box holds, as the boxes read it: empty is 0.
int value(const QString &text) { return text.toInt(); }

// Whether one more digit could still make a valid number: the text with a
// "0" after it stays within the limit.
bool roomForDigit(const QString &text, int limit)
{
    return value(text + QLatin1Char('0')) <= limit;
}

QString twoDigits(const QString &text) { return text.size() == 1 ? QLatin1Char('0') + text : text; }

QString text(const char *source)
{
    return QCoreApplication::translate("ReservationEditor", source);
}
} // namespace

QString nextHourMode(const QString &mode)
{
    if (mode == QLatin1String("24"))
        return QStringLiteral("AM");
    if (mode == QLatin1String("AM"))
        return QStringLiteral("PM");
    return QStringLiteral("24");
}

int hourTypingLimit(const QString &mode)
{
    if (mode == QLatin1String("AM"))
        return 12;
    if (mode == QLatin1String("PM"))
        return 11;
    return 24;
}

QString stagedHour(const QString &hourText, const QString &mode)
{
    if (mode == QLatin1String("PM"))
        return QString::number(value(hourText) + 12);
    return twoDigits(hourText);
}

KeyAction hourKeyPress(const QString &hourText, QChar key, const QString &mode)
{
    if (!key.isDigit() || key.unicode() > '9')
        return KeyAction::Discard;
    return roomForDigit(hourText, hourTypingLimit(mode)) ? KeyAction::Type
                                                         : KeyAction::EmptyThenType;
}

KeyAction minuteKeyPress(const QString &minuteText, QChar key)
{
    if (!key.isDigit() || key.unicode() > '9')
        return KeyAction::Discard;
    return roomForDigit(minuteText, 59) ? KeyAction::Type : KeyAction::EmptyThenType;
}

AfterKey hourKeyRelease(const QString &hourText, const QString &mode)
{
    AfterKey after{stagedHour(hourText, mode), EditorFocus::Stay};
    if (!roomForDigit(hourText, hourTypingLimit(mode)))
        after.focus = EditorFocus::Minute;
    if (hourText == QLatin1String("0"))
        after = {QStringLiteral("00"), EditorFocus::Minute};
    return after;
}

AfterKey minuteKeyRelease(const QString &minuteText)
{
    AfterKey after{twoDigits(minuteText), EditorFocus::Stay};
    if (!roomForDigit(minuteText, 59))
        after.focus = EditorFocus::Set;
    if (minuteText == QLatin1String("0"))
        after = {QStringLiteral("00"), EditorFocus::Seconds};
    return after;
}

AddOutcome addReservation(const QString &mode, const QString &hourText, const QString &minuteText,
                          const QString &hourPart, const QString &minutePart,
                          const QString &secondPart, int listSize)
{
    const int t = value(hourText), h = value(hourPart);
    bool badHour = false;
    if (mode == QLatin1String("AM"))
        badHour = t > 12 || h < 0;
    else if (mode == QLatin1String("PM"))
        badHour = t > 11 || h < 1;
    else
        badHour = t > 23 || h < 0;
    if (badHour || hourPart.size() != 2 || minutePart.size() != 2)
        return {text(QT_TRANSLATE_NOOP("ReservationEditor", "時間が不正です")), Alarm()};
    if (value(minuteText) > 59 || value(minutePart) < 0)
        return {text(QT_TRANSLATE_NOOP("ReservationEditor", "分が不正です")), Alarm()};
    if (listSize > 10)
        return {text(QT_TRANSLATE_NOOP("ReservationEditor", "10項目以上は登録できません。")),
                Alarm()};
    // Read as a stored entry is: a letter pasted into a box passes the checks
    // above and makes an entry that is kept as typed and never rings.
    return {QString(), Alarm::fromStored(hourPart + QLatin1Char(':') + minutePart + QLatin1Char(':')
                                         + secondPart)};
}

int deleteReservation(AlarmList &list, int selected)
{
    if (selected < 0 || selected >= list.size())
        return -1;
    list.removeAt(selected);
    return selected < list.size() ? selected : -1;
}

} // namespace vespera

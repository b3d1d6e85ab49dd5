// The typing rules of the alarm reservation editor: the hour and minute
// boxes, the three hour modes, the staged 24-hour texts and the checks of
// "セット". The options dialog feeds it its boxes' key events.
#pragma once

#include "alarm_list.h"

#include <QString>

namespace vespera {

// Where the focus goes after a key: nowhere, or on to the next box or button.
enum class EditorFocus { Stay, Minute, Seconds, Set };

// What a key pressed in a box does: dropped, typed, or typed into an
// emptied box (the digit starts a new number).
enum class KeyAction { Discard, Type, EmptyThenType };

// "24", "AM" or "PM", in the order the mode button cycles through them.
QString nextHourMode(const QString &mode);
int hourTypingLimit(const QString &mode); // 24, 12, 11

// The hour in 24-hour form, two digits, from the hour box in a mode; PM
// adds 12, and an empty box counts as 0 there.
QString stagedHour(const QString &hourText, const QString &mode);

KeyAction hourKeyPress(const QString &hourText, QChar key, const QString &mode);
KeyAction minuteKeyPress(const QString &minuteText, QChar key);

// After a key in a box: the new staged text and where the focus goes.
struct AfterKey {
    QString staged;
    EditorFocus focus;
};
AfterKey hourKeyRelease(const QString &hourText, const QString &mode);
AfterKey minuteKeyRelease(const QString &minuteText);

// "セット": the message that refuses the reservation, or an empty text and
// the daily alarm to append.
struct AddOutcome {
    QString refusal;
    Alarm alarm;
};
AddOutcome addReservation(const QString &mode, const QString &hourText, const QString &minuteText,
                          const QString &hourPart, const QString &minutePart,
                          const QString &secondPart, int listSize);

// "削除": removes the selected entry; returns the row selected afterwards,
// the one that moved into its place, or -1.
int deleteReservation(AlarmList &list, int selected);

} // namespace vespera

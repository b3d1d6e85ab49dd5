// Every key the three programs keep in the [pendra] section of the settings
// file, in one place: its name as stored, and what it holds. How each is read
// (and what a missing or hand-edited value means) is said where it is read.
#pragma once

#include <QString>

namespace common::key {

// The design and the face.
inline const QString kSkin = QStringLiteral("skin");        // the design in use
inline const QString kDefaultSkin = QStringLiteral("blue"); // ... when none is stored
inline const QString kCorner =
    QStringLiteral("smode"); // 0-3: top left, bottom left, top right, bottom right
inline const QString kUse24Hour = QStringLiteral("tfmode");
inline const QString kNthWeekday =
    QStringLiteral("scm"); // the week mark counts the weekday's occurrences
inline const QString kView = QStringLiteral("mmode"); // 0 the time, 1 uptime, 2 the running total
inline const QString kDog = QStringLiteral("wan");    // the dog moves

// The window.
inline const QString kHideMode = QStringLiteral("hide");
inline const QString kAlwaysOnTop = QStringLiteral("at"); // on unless "0"
inline const QString kAutoTuck = QStringLiteral("ah");    // on unless "0"
inline const QString kMonitor =
    QStringLiteral("monitor"); // an output's name; empty: the primary one

// Alarms and the chime; the reservations themselves are under "0", "1", ...
inline const QString kAlarmOn = QStringLiteral("al");
inline const QString kChimeOn = QStringLiteral("zihou");
inline const QString kAlarmVolumeOn = QStringLiteral("vol");
inline const QString kAlarmVolume = QStringLiteral("volg");
inline const QString kChimeVolumeOn = QStringLiteral("nvol");
inline const QString kChimeVolume = QStringLiteral("nvolg");
inline const QString kAlarmProgram =
    QStringLiteral("pgm"); // started at an alarm instead of the notice

// The running total: minutes, and which boot's minutes it already holds.
inline const QString kTotal = QStringLiteral("systime");
inline const QString kTotalBoot = QStringLiteral("systimeboot");
inline const QString kTotalCounted = QStringLiteral("systimecounted");

// The program.
inline const QString kWelcomeSeen =
    QStringLiteral("start"); // the version whose welcome was acknowledged
inline const QString kProgramFolder = QStringLiteral("apath");

} // namespace common::key

// The clock's command line: its arguments, read once into what they ask of the clock.
#pragma once

#include "alarm.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vespera {

// What the clock's arguments ask of it.
struct CommandLine {
    // "--options" and the like (see remoteCommands()): for the clock that
    // runs, or for this one. Such a line asks for nothing else.
    QString remoteCommand;
    // "a", as the autostart entry starts the clock: a second start says nothing.
    bool quietSecondStart = false;
    // "AL hhmm program...": an alarm for this run only, never stored, and the
    // program every alarm then starts in place of the notice (empty: the notice).
    std::optional<Alarm> alarm;
    QString alarmProgram;
};

// Reads the arguments that follow the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

// Arguments joined by single blanks; an argument holding a blank or a quote is
// quoted the way QProcess::splitCommand reads it back.
QString joinCommandLine(const QStringList &arguments);

// The four lines shown when the clock is started while it already runs.
QString secondInstanceText();

// What a second start can ask of the clock that runs (the launcher's
// actions use them; a desktop whose pointer cannot reach the face, a
// Wayland session, has them as its way in): each an option "--WORD".
//   options   the options dialog         preset    the preset dial
//   standard  the time and date          uptime    the system's running time
//   total     the running total          hide      hide mode on or off
//   quit      close the clock
const QStringList &remoteCommands();
// The command an option names ("--options" is "options"); empty for any other.
QString remoteCommandOf(const QString &option);

} // namespace vespera

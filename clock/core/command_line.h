// The clock's command line: its arguments as one text, as the rest of the clock reads it.
#pragma once

#include <QString>
#include <QStringList>

namespace vespera {

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

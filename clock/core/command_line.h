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

} // namespace vespera

// Whether the program text of the alarm options names something that can start.
#pragma once

#include <QString>

namespace vespera {

// True when the text, as it stands, is an executable file, or when its first
// word, split as a shell would split it, is one: a path with execute
// permission, or a bare name found on PATH.
bool isStartableProgram(const QString &text);

} // namespace vespera

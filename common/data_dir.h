// Where a program finds its data: the folder it was built or installed into.
#pragma once

#include <QString>

namespace common {

// The program's own folder (not the folder it was started from).
QString programFolder();
// A data file beside the program: designs, sounds, pictures, notes, help.
QString dataFile(const QString &name);
// True when the path names an existing regular file; never fails.
bool FileExists(const QString &path);

} // namespace common

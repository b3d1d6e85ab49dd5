// Where a program finds its data: the folder it was built or installed into.
#pragma once

#include <QString>
#include <QStringList>

namespace common {

// The program's own folder (not the folder it was started from).
QString programFolder();
// A data file: the user's own copy when there is one, else the one beside
// the program (designs, sounds, pictures, notes, help).
QString dataFile(const QString &name);
// The user's own data folder, for the files our programs write
// ($XDG_DATA_HOME/vespera); it may not exist yet.
QString userDataFolder();
// The folders data is looked up in, the user's first, then the program's.
QStringList dataFolders();
// `name` in `folder`, whatever the name: unlike QDir::filePath, a name that
// begins with ":" (Qt's mark of its built-in resources) stays in the folder.
QString pathIn(const QString &folder, const QString &name);
// True when the path names an existing regular file; never fails.
bool fileExists(const QString &path);

} // namespace common

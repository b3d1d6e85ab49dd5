// Where a program finds its data: the folder it was built or installed into.
#include "data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace common {

QString programFolder()
{
    // Overridable so tests can point a program at a folder of their own.
    const QString forced = qEnvironmentVariable("VESPERA_DATA_DIR");
    if (!forced.isEmpty())
        return forced;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application exists (a program reading its command line):
    // the same answer, from where the kernel says the program is.
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).path();
}

QString pathIn(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString dataFile(const QString &name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    const QString own = pathIn(userDataFolder(), name);
    if (fileExists(own))
        return own;
    return pathIn(programFolder(), name);
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/vespera");
}

QStringList dataFolders() { return {userDataFolder(), programFolder()}; }

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace common

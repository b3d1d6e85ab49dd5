// Starting our other programs and bringing a window of theirs to the front.
#include "qt_program_starter.h"
#include "x11_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

QString QtProgramStarter::locate(const QString &name)
{
    // A bare name only: a path could start something that is not ours.
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return QString();
    const QString beside =
        QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
    return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

bool QtProgramStarter::start(const QString &name, const QStringList &arguments)
{
    const QString program = locate(name);
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool QtProgramStarter::startCommand(const QString &command)
{
    const QFileInfo file(command);
    if (file.isFile() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), {});
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

bool QtProgramStarter::activateWindowOf(const QString &program)
{
    return x11::activateWindowOfClass(program);
}

} // namespace platform

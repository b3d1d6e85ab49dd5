// Whether the program text of the alarm options names something that can start.
#include "program_path.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vespera {

namespace {
bool executableFile(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}
} // namespace

bool isStartableProgram(const QString &text)
{
    if (executableFile(text))
        return true; // a path with blanks in it, as the chooser gives it
    const QStringList words = QProcess::splitCommand(text);
    if (words.isEmpty())
        return false;
    const QString program = words.first();
    if (program.contains(QLatin1Char('/')))
        return executableFile(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace vespera

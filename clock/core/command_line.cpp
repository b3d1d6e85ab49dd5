// The clock's command line: its arguments, read once into what they ask of the clock.
#include "command_line.h"

#include <QCoreApplication>

namespace vespera {

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    line.remoteCommand = remoteCommandOf(arguments.value(0));
    if (!line.remoteCommand.isEmpty())
        return line;
    const QString joined = joinCommandLine(arguments);
    line.quietSecondStart = joined == QLatin1String("a");
    if (!joined.startsWith(QLatin1String("AL")))
        return line;
    // Read at fixed places of the joined line, where "AL hhmm program" has its
    // digits and its program, as launchers have always written it. A line that
    // only starts like one ("ALARM", "AL 645") still switches alarms on, with a
    // time that never rings.
    line.alarm = Alarm::fromStored(joined.mid(3, 2) + QLatin1Char(':') + joined.mid(5, 2)
                                   + QStringLiteral(":00"));
    line.alarmProgram = joined.mid(8);
    return line;
}

QString joinCommandLine(const QStringList &arguments)
{
    QStringList parts;
    for (QString a : arguments) {
        const bool plain = !a.isEmpty() && !a.contains(QLatin1Char(' '))
                           && !a.contains(QLatin1Char('\t')) && !a.contains(QLatin1Char('"'));
        if (plain) {
            parts << a;
            continue;
        }
        a.replace(QLatin1String("\""), QLatin1String("\"\"\"")); // a literal quote inside quotes
        parts << QLatin1Char('"') + a + QLatin1Char('"');
    }
    return parts.join(QLatin1Char(' '));
}

QString secondInstanceText()
{
    // The second line is a rule of horizontal bars; the last one's ideographic
    // spaces put "時分" under "0000".
    return QCoreApplication::translate("CommandLine",
                                       "LUMINA-Desktopを終了して再度起動してください。\n"
                                       "――――――――――――――――――\n"
                                       "　　　オプション:パス AL 0000 ファイル名\n"
                                       "　　　　　　　　　　　　　　時分");
}

const QStringList &remoteCommands()
{
    static const QStringList words = {QStringLiteral("options"),  QStringLiteral("preset"),
                                      QStringLiteral("standard"), QStringLiteral("uptime"),
                                      QStringLiteral("total"),    QStringLiteral("hide"),
                                      QStringLiteral("quit")};
    return words;
}

QString remoteCommandOf(const QString &option)
{
    if (!option.startsWith(QLatin1String("--")))
        return QString();
    const QString word = option.mid(2);
    return remoteCommands().contains(word) ? word : QString();
}

} // namespace vespera

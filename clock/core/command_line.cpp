// The clock's command line: its arguments as one text, as the rest of the clock reads it.
#include "command_line.h"

#include <QCoreApplication>

namespace vespera {

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

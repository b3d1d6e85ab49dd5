// The clock's command line: its arguments as one text, as the rest of the clock reads it.
#include "command_line.h"

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
    return QStringLiteral("LUMINA-Desktopを終了して再度起動してください。\n")
           + QString(18, QChar(0x2015)) + QLatin1Char('\n')
           + QString(3, QChar(0x3000)) + QStringLiteral("オプション:パス AL 0000 ファイル名\n")
           + QString(14, QChar(0x3000)) + QStringLiteral("時分");
}

} // namespace vespera

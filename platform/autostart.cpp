// Starting the clock with the user's session.
#include "autostart.h"

#include "common/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// An Exec argument as the desktop entry format reads it: quoted when it
// holds a reserved character, with '"', '`', '$' and '\' escaped inside the
// quotes; '%' is doubled either way, as field codes start with it.
QString execArgument(QString text)
{
    text.replace(QLatin1Char('%'), QLatin1String("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool plain = !text.isEmpty();
    for (QChar c : text)
        plain = plain && !reserved.contains(c);
    if (plain)
        return text;
    QString quoted;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A value of the string type: a reader undoes these escapes before it reads
// the Exec quoting, so each backslash of the quoting is written twice, and
// a line break cannot end the entry's line.
QString stringValue(const QString &text)
{
    QString escaped;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

XdgAutostart::XdgAutostart(const QString &program) : m_program(program) {}

QString XdgAutostart::entryPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/vespera.desktop");
}

QByteArray XdgAutostart::entryFor(const QString &program)
{
    const QString canonical = QFileInfo(program).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("vespera"));
    const bool found = !canonical.isEmpty() && QFileInfo(onPath).canonicalFilePath() == canonical;
    const QString exec = found ? QStringLiteral("vespera") : stringValue(execArgument(program));
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=VESPERA\n"
                             "Comment=Starts the clock with the session\n"
                             "Comment[ja]=ログイン時に時計を起動します\n"
                             "Exec=")
           + exec.toUtf8()
           + QByteArrayLiteral(" a\n"
                               "Icon=vespera\n"
                               "Terminal=false\n"
                               "NoDisplay=true\n"
                               "X-GNOME-Autostart-enabled=true\n");
}

bool XdgAutostart::isEnabled() const
{
    QFile file(entryPath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    // Hidden=true in the entry's own group; other groups (actions) have no say.
    bool inEntry = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.startsWith("Hidden")) {
            const int eq = line.indexOf('=');
            if (eq > 0 && line.left(eq).trimmed() == "Hidden"
                && line.mid(eq + 1).trimmed() == "true")
                return false;
        }
    }
    return true;
}

bool XdgAutostart::setEnabled(bool enabled, QString *error)
{
    const QString path = entryPath();
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return false;
    }
    QString why;
    if (common::writeFileAtomically(path, entryFor(m_program), &why))
        return true;
    if (error)
        *error = why;
    return false;
}

} // namespace platform

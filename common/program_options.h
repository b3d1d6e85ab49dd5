// The options every program answers by itself, before it opens a window or
// reads the settings: --help, --version and an option it does not know.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

class QTranslator;

namespace common {

class ProgramOptions {
public:
    // `usage` is what --help prints, marked with
    // QT_TRANSLATE_NOOP("ProgramOptions", ...): this runs before the
    // application, so its texts come from `translation` itself (null or
    // empty: Japanese).
    ProgramOptions(const QString &program, const char *usage, const QTranslator *translation);
    // Further options the program takes itself ("--no-sandbox").
    void allow(const QString &option) { m_allowed << option; }
    // Only the first argument can be an option: the clock hands the rest of
    // "AL hhmm program arguments" to that program, dashes and all.
    void onlyFirstArgument() { m_onlyFirst = true; }

    // The exit status when the command line was answered here: 0 after
    // --help or --version, 2 after an option we do not know (said on `err`).
    // -1 when the program should start.
    int answer(const QStringList &arguments, std::FILE *out = stdout,
               std::FILE *err = stderr) const;

private:
    QString text(const char *source) const;

    QString m_program;
    const char *m_usage;
    const QTranslator *m_translation;
    QStringList m_allowed;
    bool m_onlyFirst = false;
};

// The arguments after the program's name, before Qt sees them.
QStringList argumentsOf(int argc, char **argv);

} // namespace common

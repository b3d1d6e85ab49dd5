// The options every program answers by itself.
#include "program_options.h"

#include <QTranslator>

namespace common {

namespace {

void print(std::FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

} // namespace

ProgramOptions::ProgramOptions(const QString &program, const char *usage,
                               const QTranslator *translation)
    : m_program(program), m_usage(usage), m_translation(translation)
{
}

QString ProgramOptions::text(const char *source) const
{
    const QString translated =
        m_translation ? m_translation->translate("ProgramOptions", source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

int ProgramOptions::answer(const QStringList &arguments, std::FILE *out, std::FILE *err) const
{
    const QStringList options = m_onlyFirst ? arguments.mid(0, 1) : arguments;
    for (const QString &option : options) {
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            print(out, text(m_usage));
            return 0;
        }
        if (option == QLatin1String("--version")) {
            print(out, m_program + QStringLiteral(" " VESPERA_VERSION "\n"));
            return 0;
        }
    }
    for (const QString &option : options) {
        // A lone "-" is no option (it is how some programs name stdin); it
        // stays the program's to read, as any other plain word.
        if (option.startsWith(QLatin1Char('-')) && option != QLatin1String("-")
            && !m_allowed.contains(option)) {
            print(err, text(QT_TRANSLATE_NOOP("ProgramOptions",
                                              "%1: 不明なオプションです: %2\n"
                                              "使い方は「%1 --help」で表示できます。\n"))
                           .arg(m_program, option));
            return 2;
        }
    }
    return -1;
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace common

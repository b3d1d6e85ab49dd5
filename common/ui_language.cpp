// The language of the programs' texts.
#include "ui_language.h"

#include "data_dir.h"

#include <QFileInfo>
#include <QTranslator>

namespace common {

namespace {

// "en", "en_GB.UTF-8", "en@boldquot": the language is what comes before the
// territory, the codeset and the modifier.
QByteArray languageOf(const QByteArray &locale)
{
    QByteArray name = locale;
    for (char end : {'_', '.', '@'}) {
        const int at = name.indexOf(end);
        if (at >= 0)
            name.truncate(at);
    }
    return name.toLower();
}

bool isPlainC(const QByteArray &locale)
{
    return locale == "C" || locale == "POSIX" || locale.startsWith("C.");
}

} // namespace

UiLanguage uiLanguageFrom(const QByteArray &language, const QByteArray &lcAll,
                          const QByteArray &lcMessages, const QByteArray &lang)
{
    // LANGUAGE is a list of wishes: the first we have a translation for (or
    // Japanese, or C) decides; one naming only languages we lack passes on.
    for (const QByteArray &entry : language.split(':')) {
        if (isPlainC(entry))
            return UiLanguage::Japanese;
        const QByteArray wanted = languageOf(entry);
        if (wanted == "en")
            return UiLanguage::English;
        if (wanted == "ja")
            return UiLanguage::Japanese;
    }
    for (const QByteArray &locale : {lcAll, lcMessages, lang}) {
        if (!locale.isEmpty())
            return languageOf(locale) == "en" ? UiLanguage::English : UiLanguage::Japanese;
    }
    return UiLanguage::Japanese;
}

UiLanguage uiLanguage()
{
    return uiLanguageFrom(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"),
                          qgetenv("LANG"));
}

QString localizedFileName(const QString &name, UiLanguage language)
{
    if (language == UiLanguage::Japanese)
        return name;
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return name + QStringLiteral(".en");
    return name.left(name.size() - suffix.size()) + QStringLiteral("en.") + suffix;
}

bool loadTranslation(QTranslator &translator)
{
    if (uiLanguage() != UiLanguage::English)
        return false;
    return translator.load(QStringLiteral("vespera_en"), programFolder());
}

} // namespace common

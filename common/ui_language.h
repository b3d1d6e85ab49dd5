// The language of the programs' texts: the Japanese they are written in, or
// the English translation shipped beside them.
#pragma once

#include <QByteArray>
#include <QString>

class QTranslator;

namespace common {

enum class UiLanguage { Japanese, English };

// The language the user's messages setting asks for: LANGUAGE (a list, the
// first entry we have a translation for wins), then the first set of LC_ALL,
// LC_MESSAGES and LANG. "C" and "POSIX" keep Japanese, which is also what
// every language we have no translation for gets.
UiLanguage uiLanguageFrom(const QByteArray &language, const QByteArray &lcAll,
                          const QByteArray &lcMessages, const QByteArray &lang);
// The same, read from this process's environment.
UiLanguage uiLanguage();

// A data file in the user's language: "help1.html" becomes "help1.en.html"
// in English. Japanese files keep their names.
QString localizedFileName(const QString &name, UiLanguage language);

// Loads the translation the environment asks for from the program's folder;
// false when the texts stay Japanese (asked for, or the translation missing).
bool loadTranslation(QTranslator &translator);

} // namespace common

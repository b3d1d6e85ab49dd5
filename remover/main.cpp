// vesclean — removes every setting the clock and the design browser stored,
// after one question.
#include "remover_window.h"

#include "common/program_options.h"
#include "common/settings_store.h"
#include "common/ui_language.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/single_instance.h"
#include "platform/x11_window.h"

#include <QApplication>
#include <QTranslator>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP(
    "ProgramOptions", "使い方: vesclean\n"
                      "時計とデザインブラウザーが保存した設定を、確認のうえですべて削除します。\n"
                      "\n"
                      "  -h, --help          この説明を表示して終了します\n"
                      "      --version       バージョンを表示して終了します\n"
                      "\n"
                      "詳しくは man vesclean をご覧ください。\n");

} // namespace

int main(int argc, char *argv[])
{
    QTranslator translation;
    const bool translated = common::loadTranslation(translation);
    const int answered = common::ProgramOptions(QStringLiteral("vesclean"), kUsage, &translation)
                             .answer(common::argumentsOf(argc, argv));
    if (answered >= 0)
        return answered;

    platform::x11::preferX11(); // centred as it says, also in a Wayland session
    QApplication app(argc, argv);
    if (translated)
        QApplication::installTranslator(&translation);
    QApplication::setApplicationName(QStringLiteral("vesclean"));
    QApplication::setWindowIcon(platform::programIcon());
    common::SettingsStore store;
    platform::QtMessages messages;
    platform::LocalInstanceGuard clock(platform::kClockInstance);
    vesclean::RemoverWindow window(store, messages, &clock);
    window.exec();
    return 0;
}

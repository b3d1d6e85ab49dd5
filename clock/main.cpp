// vespera — the desktop clock program: one instance per user, then the clock window.
#include "app/clock_window.h"
#include "app/other_windows.h"
#include "core/command_line.h"

#include "common/data_dir.h"
#include "common/program_options.h"
#include "common/settings_store.h"
#include "common/ui_language.h"
#include "platform/autostart.h"
#include "platform/clock_source.h"
#include "platform/glyph_surface.h"
#include "platform/help_viewer.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/qt_desktop.h"
#include "platform/qt_program_starter.h"
#include "platform/qt_sound.h"
#include "platform/random_source.h"
#include "platform/screen_watch.h"
#include "platform/single_instance.h"
#include "platform/system_time.h"
#include "platform/termination.h"
#include "platform/x11_window.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP(
    "ProgramOptions",
    "使い方: vespera [a | AL hhmm プログラム [引数...] | --指示]\n"
    "画面の隅に置く、着せ替えできる時計です。\n"
    "\n"
    "  a                   時計が動いていなければ起動します（動いていても何も表示しません）\n"
    "  AL hhmm プログラム  この回だけ hh時mm分にアラームを加え、アラームのたびに\n"
    "                      通知の代わりにプログラムを（引数とともに）起動します\n"
    "\n"
    "動いている時計への指示（動いていなければ起動してから）:\n"
    "      --options       オプションを開きます\n"
    "      --preset        プリセットアラームを開きます\n"
    "      --standard, --uptime, --total\n"
    "                      時刻・システム駆動時間・積算駆動時間を表示します\n"
    "      --hide          「隠す」を切り替えます\n"
    "      --quit          時計を終了します\n"
    "\n"
    "  -h, --help          この説明を表示して終了します\n"
    "      --version       バージョンを表示して終了します\n"
    "\n"
    "設定: $XDG_CONFIG_HOME/kestrel.ini（既定は ~/.config/kestrel.ini）\n"
    "詳しくは man vespera をご覧ください。\n");

// Half a second: a window manager takes a window on in milliseconds, a
// busy session start in a good deal more.
constexpr int kIconDelayMs = 500;

void prepareEnvironment()
{
    platform::x11::preferX11();
    // Without shared memory Qt paints without a round trip to the X server,
    // which halves the clock's wake-ups per second.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace

int main(int argc, char *argv[])
{
    QTranslator translation;
    const bool translated = common::loadTranslation(translation);
    common::ProgramOptions options(QStringLiteral("vespera"), kUsage, &translation);
    options.onlyFirstArgument();
    for (const QString &word : vespera::remoteCommands())
        options.allow(QStringLiteral("--") + word);
    const int answered = options.answer(common::argumentsOf(argc, argv));
    if (answered >= 0)
        return answered;

    prepareEnvironment();
    QApplication app(argc, argv);
    if (translated)
        QApplication::installTranslator(&translation);
    QApplication::setApplicationName(QStringLiteral("pendra"));
    QApplication::setQuitOnLastWindowClosed(false);

    // "--options" and the like: for the clock that runs, or for this one.
    const vespera::CommandLine commandLine = vespera::parseCommandLine(app.arguments().mid(1));
    const QString &command = commandLine.remoteCommand;
    platform::QtMessages messages;
    platform::LocalInstanceGuard instance(platform::kClockInstance);
    if (!instance.claim()) {
        if (!command.isEmpty()) {
            if (instance.sendCommand(command))
                return 0;
            std::fprintf(stderr, "vespera: the clock that runs did not answer\n");
            return 1;
        }
        if (!commandLine.quietSecondStart) {
            QApplication::setWindowIcon(platform::programIcon());
            messages.information(QStringLiteral("Desktop"), vespera::secondInstanceText());
        }
        return 0;
    }
    if (command == QLatin1String("quit"))
        return 0; // no clock runs: nothing to close

    common::SettingsStore store;
    platform::SystemClockSource time;
    platform::QtDesktop desktop;
    platform::StdRandomSource random;
    platform::QtProgramStarter programs;
    platform::QtSound sound(common::dataFolders());
    platform::XdgAutostart autostart(QCoreApplication::applicationFilePath());
    const vespera::ClockPlatform seams{&time, &desktop, &random, &programs, &sound, &autostart};
    vespera::ClockWindow clock(store, seams, commandLine);
    if (clock.bypassesWindowManager())
        qWarning("vespera: this window manager (wlroots) would float the clock in the middle of "
                 "the screen; it is placed past it instead, so it stays above other windows and "
                 "cannot see panels that reserve space.");
    platform::TimedatedSystemTime systemTime;
    platform::DesktopHelpViewer help(common::programFolder(), translated
                                                                  ? common::UiLanguage::English
                                                                  : common::UiLanguage::Japanese);
    vespera::OtherWindows windows(clock, store, seams, &messages, &systemTime, &help);
    platform::XcbGlyphSurface surface(&clock);
    clock.setGlyphSurface(&surface);

    if (!clock.load()) {
        QApplication::setWindowIcon(platform::programIcon());
        messages.information(QStringLiteral("pendra"),
                             QCoreApplication::translate(
                                 "main", "デザイン「blue」が見つからないか、読み込めません。\n"
                                         "探したフォルダ: %1")
                                 .arg(common::dataFolders().join(QStringLiteral(", "))));
        return 1;
    }
    // The window goes up first: what follows is wanted by nothing the first
    // frame shows, and each step of it would put off the clock's appearance.
    clock.show();
    // Some window managers clamp the first placement of a window; place it once more.
    QTimer::singleShot(300, &clock, &vespera::ClockWindow::placeAgain);

    // The clock ends the program at once: its other windows go with it
    // without closing (quit() would close each first, and a dialog would
    // store its edits, ask a question or refuse, and a notice would ring).
    QObject::connect(&clock, &vespera::ClockWindow::unloaded, &app,
                     [] { QCoreApplication::exit(0); });
    platform::TerminationWatcher termination;
    QObject::connect(&termination, &platform::TerminationWatcher::terminationRequested, &clock,
                     &vespera::ClockWindow::unload);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &clock,
                     [&clock](QSessionManager &) { clock.saveSettingsNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &clock, &vespera::ClockWindow::unload);
    QObject::connect(&instance, &platform::InstanceGuard::activationRequested, &clock, [&clock] {
        clock.raise();
        clock.activateWindow();
        clock.onActivated();
    });
    QObject::connect(&instance, &platform::InstanceGuard::commandRequested, &clock,
                     &vespera::ClockWindow::runCommand);

    platform::ScreenWatch screenWatch;
    clock.setScreenHidden(screenWatch.hidden());
    QObject::connect(&screenWatch, &platform::ScreenWatch::hiddenChanged, &clock,
                     &vespera::ClockWindow::setScreenHidden);

    // A panel that comes, goes or moves changes the work area, and so does a
    // monitor that comes or goes: place the clock anew at once rather than
    // leave it under the panel or off the screens.
    platform::x11::WorkAreaWatcher workAreas;
    QObject::connect(&workAreas, &platform::x11::WorkAreaWatcher::changed, &clock,
                     &vespera::ClockWindow::workAreaChanged);
    auto followScreen = [&clock](QScreen *screen) {
        QObject::connect(screen, &QScreen::availableGeometryChanged, &clock,
                         &vespera::ClockWindow::workAreaChanged);
        QObject::connect(screen, &QScreen::geometryChanged, &clock,
                         &vespera::ClockWindow::workAreaChanged);
    };
    for (QScreen *screen : QGuiApplication::screens())
        followScreen(screen);
    // Queued: a screen on its way out is still listed while it is removed.
    auto replace = [&clock] {
        QTimer::singleShot(0, &clock, &vespera::ClockWindow::workAreaChanged);
    };
    QObject::connect(&app, &QGuiApplication::screenAdded, &clock,
                     [followScreen, replace](QScreen *s) {
                         followScreen(s);
                         replace();
                     });
    QObject::connect(&app, &QGuiApplication::screenRemoved, &clock, replace);
    QObject::connect(&app, &QGuiApplication::primaryScreenChanged, &clock, replace);

    // The icon once the window is up: its three sizes took 2 ms to decode,
    // and went to the X server with the window ((48² + 128² + 256²) × 4
    // bytes, 337 kB), where the window manager reads them as it takes the
    // window on; sent just after the window, they still held up the window
    // manager's work on it by a millisecond. The clock's own window shows no
    // icon, and windows opened before take it when it comes.
    QTimer::singleShot(kIconDelayMs, &app,
                       [] { QApplication::setWindowIcon(platform::programIcon()); });
    if (!command.isEmpty()) // started for a command: the clock is up, now do it
        QTimer::singleShot(0, &clock, [&clock, command] { clock.runCommand(command); });
    return app.exec();
}

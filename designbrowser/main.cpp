// vesweb — the design browser: one instance per user, the design site in a
// window, and the catalogue we ship served from inside when no other site is set;
// without a window, a design written to one file or installed from one.
#include "apply_gate.h"
#include "browser_window.h"
#include "catalogue_site.h"
#include "design_file_offer.h"
#include "design_session.h"
#include "file_chooser.h"
#include "loopback_server.h"

#include "common/atomic_file.h"
#include "common/data_dir.h"
#include "common/program_options.h"
#include "common/settings_store.h"
#include "common/ui_language.h"
#include "design/design_package.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/qt_program_starter.h"
#include "platform/single_instance.h"
#include "platform/x11_window.h"

#include <QApplication>
#include <QTranslator>
#include <QWebEngineProfile>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP(
    "ProgramOptions",
    "使い方: vesweb [--no-sandbox] [デザインファイル]\n"
    "       vesweb --export 名前 ファイル\n"
    "       vesweb --install ファイル\n"
    "時計のデザインをカタログから選んで適用するデザインブラウザーです。\n"
    "\n"
    "      --export 名前 ファイル\n"
    "                      デザインを 1 つのファイル（.vsdesign）に書き出して終了します\n"
    "      --install ファイル\n"
    "                      デザインファイルのデザインを自分のデザインに加えて終了します\n"
    "                      （同じ名前があれば 名前-2 などにします）\n"
    "      --no-sandbox    ウェブエンジンをサンドボックスなしで動かします（root で使うとき）\n"
    "  -h, --help          この説明を表示して終了します\n"
    "      --version       バージョンを表示して終了します\n"
    "\n"
    "環境変数 VESWEB_SITE: ほかのデザインサイトの http アドレス\n"
    "詳しくは man vesweb をご覧ください。\n");

// VESWEB_SITE names another design site (an absolute http or https address
// of its root); without it the catalogue we ship is used.
QUrl configuredSite()
{
    const QString text = qEnvironmentVariable("VESWEB_SITE");
    if (text.isEmpty())
        return QUrl();
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty())
        return url;
    std::fprintf(stderr,
                 "vesweb: VESWEB_SITE is not an http address, using the catalogue we ship: %s\n",
                 qPrintable(text));
    return QUrl();
}

// What the command line asks of vesweb beyond the options every program
// answers: the window, or a design file written or installed without one.
struct Request {
    enum Kind { Browse, Export, Install, Wrong } kind = Browse;
    QString name;             // the design to export
    QString file;             // the design file to write or to install
    QString designFileToOpen; // vesweb FILE, as a file manager opens a design file
    const char *wrong = "";   // what is wrong with the command line, for Wrong
};

Request requestOf(QStringList words)
{
    words.removeAll(QStringLiteral("--no-sandbox"));
    const QString exportOption = QStringLiteral("--export");
    const QString installOption = QStringLiteral("--install");
    Request request;
    if (words.value(0) == exportOption) {
        request.kind = words.size() == 3 ? Request::Export : Request::Wrong;
        request.wrong = "--export takes a design's name and a file";
        request.name = words.value(1);
        request.file = words.value(2);
    } else if (words.value(0) == installOption) {
        request.kind = words.size() == 2 ? Request::Install : Request::Wrong;
        request.wrong = "--install takes one design file";
        request.file = words.value(1);
    } else if (words.contains(exportOption) || words.contains(installOption) || words.size() > 1) {
        request.kind = Request::Wrong;
        request.wrong = "one design file at most, and --export or --install first and alone";
    } else {
        request.designFileToOpen = words.value(0);
    }
    return request;
}

void say(std::FILE *to, const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), to);
    std::fflush(to);
}

// --export and --install: no window and no settings, so they run beside a
// browser or a clock that runs, and without a display.
int runFileRequest(const Request &request, int argc, char *argv[])
{
    QCoreApplication app(argc, argv); // decodes the pictures; finds the shipped designs
    QString error;
    if (request.kind == Request::Export) {
        const QByteArray bytes = vespera::exportDesign(common::dataFolders(), request.name, &error);
        if (bytes.isEmpty() || !common::writeFileAtomically(request.file, bytes, &error)) {
            say(stderr,
                QStringLiteral("vesweb: cannot export \"%1\": %2").arg(request.name, error));
            return 1;
        }
        say(stdout,
            QStringLiteral("vesweb: exported design \"%1\" to %2").arg(request.name, request.file));
        return 0;
    }
    const std::optional<vespera::DesignPackage> package =
        vespera::readDesignPackageFile(request.file, &error);
    QString installedAs;
    if (!package
        || !vespera::installDesignPackage(*package, common::userDataFolder(), common::dataFolders(),
                                          &installedAs, &error)) {
        say(stderr, QStringLiteral("vesweb: cannot install %1: %2").arg(request.file, error));
        return 1;
    }
    say(stdout,
        QStringLiteral("vesweb: installed design \"%1\" from %2").arg(installedAs, request.file));
    return 0;
}

// Whether the user asked for the web engine without its sandbox, by the
// engine's own variable or the option that sets it.
bool sandboxOffByChoice()
{
    return qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") == QLatin1String("1");
}

} // namespace

int main(int argc, char *argv[])
{
    QTranslator translation;
    const bool translated = common::loadTranslation(translation);
    common::ProgramOptions options(QStringLiteral("vesweb"), kUsage, &translation);
    options.allow(QStringLiteral("--no-sandbox"));
    options.allow(QStringLiteral("--export"));
    options.allow(QStringLiteral("--install"));
    const QStringList arguments = common::argumentsOf(argc, argv);
    const int answered = options.answer(arguments);
    if (answered >= 0)
        return answered;
    const Request request = requestOf(arguments);
    if (request.kind == Request::Wrong) {
        const QString usage = translation.translate("ProgramOptions", kUsage);
        std::fprintf(stderr, "vesweb: %s\n", request.wrong);
        std::fputs(qPrintable(usage.isEmpty() ? QString::fromUtf8(kUsage) : usage), stderr);
        return 2;
    }
    if (request.kind != Request::Browse)
        return runFileRequest(request, argc, argv);

    // The web engine reads its own options only after --webEngineArgs, and
    // its variable always: the option is passed on as the variable.
    if (arguments.contains(QStringLiteral("--no-sandbox")))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    platform::x11::preferX11();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (translated)
        QApplication::installTranslator(&translation);
    QApplication::setApplicationName(QStringLiteral("vesweb"));
    QApplication::setWindowIcon(platform::programIcon());
    platform::QtMessages messages;

    // The web engine cannot keep pages in its sandbox when run as root. A
    // site's pages are not shown without it unless the user says so.
    if (geteuid() == 0 && !sandboxOffByChoice()) {
        const QString why = QStringLiteral(
            "vesweb: as root the web engine cannot keep a site's pages in its sandbox.\n"
            "Run it as an ordinary user, or, to run it as root without the sandbox,\n"
            "set QTWEBENGINE_DISABLE_SANDBOX=1 or give the option --no-sandbox.\n");
        std::fputs(qPrintable(why), stderr);
        messages.information(
            QStringLiteral("vesweb"),
            QCoreApplication::translate("main",
                                        "管理者（root）ではデザインブラウザーを安全に動かせません。"
                                        "一般のユーザーで起動してください。\n\n")
                + why);
        return 1;
    }

    platform::LocalInstanceGuard instance(QStringLiteral("vesweb"));
    if (!instance.claim()) {
        // A design file opened while the browser runs is offered here, then
        // the running one comes to the front; nothing else is shown.
        if (!request.designFileToOpen.isEmpty())
            vesweb::offerDesignFile(request.designFileToOpen, messages, common::userDataFolder(),
                                    common::dataFolders());
        instance.activateRunning();
        return 0;
    }

    vesweb::LoopbackServer server;
    if (!server.listen()) {
        messages.information(
            QStringLiteral("vesweb"),
            QCoreApplication::translate("main", "デザインの受け取り口を開けませんでした。"));
        return 1;
    }
    vesweb::ApplyGate gate(vesweb::kApplyUrl, server);
    QUrl site = configuredSite();
    std::unique_ptr<vesweb::CatalogueSite> catalogue;
    if (site.isEmpty()) {
        catalogue = std::make_unique<vesweb::CatalogueSite>(server, vesweb::kApplyUrl,
                                                            common::dataFolders());
        site = server.base();
    }

    common::SettingsStore store;
    vesweb::DesignSession session(store, common::userDataFolder(), common::dataFolders());
    platform::LocalInstanceGuard clock(platform::kClockInstance);
    platform::QtProgramStarter programs;
    // Cookies of a site are kept between runs; its pages are small and not
    // worth a disk cache in the user's home.
    QWebEngineProfile profile(QStringLiteral("vesweb"));
    profile.setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    gate.watch(&profile);
    vesweb::QtFileChooser files;
    vesweb::BrowserWindow form(session, {&messages, &clock, &programs, &files}, &profile, site);
    QObject::connect(&gate, &vesweb::ApplyGate::applyRequested, &form,
                     &vesweb::BrowserWindow::onApplyRequested);
    QObject::connect(&instance, &platform::InstanceGuard::activationRequested, &form, [&form] {
        form.showNormal();
        form.raise();
        form.activateWindow();
    });

    form.show();
    form.load();
    // A design file the browser was opened with is offered over the catalogue.
    if (!request.designFileToOpen.isEmpty()) {
        QObject::connect(
            &form, &vesweb::BrowserWindow::firstPageShown, &form,
            [&form, &request] { form.installDesignFile(request.designFileToOpen); },
            Qt::QueuedConnection);
    }
    return app.exec();
}

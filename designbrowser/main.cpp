// vesweb — the design browser: one instance per user, the design site in a
// window, and the catalogue we ship served from inside when no other site is set.
#include "apply_gate.h"
#include "browser_window.h"
#include "catalogue_site.h"
#include "design_session.h"
#include "loopback_server.h"

#include "common/data_dir.h"
#include "common/program_options.h"
#include "common/settings_store.h"
#include "common/ui_language.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/program_starter.h"
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
    "使い方: vesweb [--no-sandbox]\n"
    "時計のデザインをカタログから選んで適用するデザインブラウザーです。\n"
    "\n"
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

// Whether the user asked for the web engine without its sandbox, by the
// engine's own variable or its own option (which the engine then reads).
bool sandboxOffByChoice(const QStringList &arguments)
{
    return qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") == QLatin1String("1")
           || arguments.contains(QStringLiteral("--no-sandbox"));
}

} // namespace

int main(int argc, char *argv[])
{
    QTranslator translation;
    const bool translated = common::loadTranslation(translation);
    common::ProgramOptions options(QStringLiteral("vesweb"), kUsage, &translation);
    options.allow(QStringLiteral("--no-sandbox"));
    const int answered = options.answer(common::argumentsOf(argc, argv));
    if (answered >= 0)
        return answered;

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
    if (geteuid() == 0 && !sandboxOffByChoice(app.arguments())) {
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
        instance.activateRunning(); // the running one comes to the front; nothing is shown
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
    profile.setUrlRequestInterceptor(&gate);
    vesweb::BrowserWindow form(session, {&messages, &clock, &programs}, &profile, site);
    QObject::connect(&gate, &vesweb::ApplyGate::applyRequested, &form,
                     &vesweb::BrowserWindow::onApplyRequested);
    QObject::connect(&instance, &platform::InstanceGuard::activationRequested, &form, [&form] {
        form.showNormal();
        form.raise();
        form.activateWindow();
    });

    form.show();
    form.load();
    return app.exec();
}

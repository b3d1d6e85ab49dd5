// vesweb — the design browser: one instance per user, the design site in a
// window, and the catalogue we ship served from inside when no other site is set.
#include "apply_gate.h"
#include "browser_window.h"
#include "catalogue_site.h"
#include "design_session.h"

#include "common/data_dir.h"
#include "common/settings_store.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/program_starter.h"
#include "platform/single_instance.h"
#include "platform/x11_window.h"

#include <QApplication>
#include <QHttpServer>
#include <QWebEngineProfile>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    // The engine's sandbox refuses to run as root; a root session (a test
    // machine, a kiosk) still gets its browser, without the sandbox.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        std::fputs("vesweb: running as root, the web engine's sandbox is off\n", stderr);
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    platform::x11::preferX11();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesweb"));
    QApplication::setWindowIcon(platform::programIcon());

    platform::LocalInstanceGuard instance(QStringLiteral("vesweb"));
    if (!instance.claim()) {
        instance.activateRunning(); // the running one comes to the front; nothing is shown
        return 0;
    }

    platform::QtMessages messages;
    QHttpServer server;
    const quint16 port = server.listen(QHostAddress::LocalHost, 0);
    if (port == 0) {
        messages.information(QStringLiteral("vesweb"),
                             QStringLiteral("デザインの受け取り口を開けませんでした。"));
        return 1;
    }
    const QUrl loopback(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    vesweb::ApplyGate gate(vesweb::kApplyUrl, server, loopback);
    QUrl site = configuredSite();
    std::unique_ptr<vesweb::CatalogueSite> catalogue;
    if (site.isEmpty()) {
        catalogue = std::make_unique<vesweb::CatalogueSite>(server, loopback, vesweb::kApplyUrl,
                                                            common::dataFolders());
        site = loopback;
    }

    common::SettingsStore store;
    vesweb::DesignSession session(store, common::userDataFolder(), common::dataFolders());
    platform::LocalInstanceGuard clock(QStringLiteral("pendra"));
    platform::QtProgramStarter programs;
    // Cookies of a site are kept between runs; its pages are small and not
    // worth a disk cache in the user's home.
    QWebEngineProfile profile(QStringLiteral("vesweb"));
    profile.setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile.setUrlRequestInterceptor(&gate);
    vesweb::Form1 form(session, {&messages, &clock, &programs}, &profile, site);
    QObject::connect(&gate, &vesweb::ApplyGate::applyRequested, &form,
                     &vesweb::Form1::BeforeNavigate2);
    QObject::connect(&instance, &platform::InstanceGuard::activationRequested, &form, [&form] {
        form.showNormal();
        form.raise();
        form.activateWindow();
    });

    form.show();
    form.Form_Load();
    return app.exec();
}

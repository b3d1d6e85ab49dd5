// The design browser's window.
#include "browser_window.h"

#include "design_file_offer.h"
#include "design_session.h"
#include "file_chooser.h"

#include "common/atomic_file.h"
#include "design/design_files.h"
#include "design/design_package.h"

#include "platform/messages.h"
#include "platform/program_starter.h"
#include "platform/qt_desktop.h"
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

Q_LOGGING_CATEGORY(lcLoad, "vesweb.load", QtWarningMsg)

namespace vesweb {

namespace {
const QString kTitle = QStringLiteral("vesweb");
constexpr QSize kClientSize(642, 352);
} // namespace

BrowserWindow::BrowserWindow(DesignSession &session, const BrowserPlatform &platform,
                             QWebEngineProfile *profile, const QUrl &siteBase, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_platform(platform), m_siteBase(siteBase),
      m_view(new QWebEngineView(this))
{
    setWindowTitle(QStringLiteral("VESPERA"));
    m_view->setPage(new QWebEnginePage(profile, m_view));
    setCentralWidget(m_view); // the browser always fills the client area
    QAction *homeAction = menuBar()->addAction(tr("□ホーム"));
    connect(homeAction, &QAction::triggered, this, &BrowserWindow::onHome);
    if (m_platform.files) {
        connect(menuBar()->addAction(tr("デザインを書き出す…")), &QAction::triggered, this,
                &BrowserWindow::exportDesign);
        connect(menuBar()->addAction(tr("デザインファイルを取り込む…")), &QAction::triggered, this,
                &BrowserWindow::onInstallDesignFile);
    }

    restartTimer.setSingleShot(true);
    restartTimer.setInterval(500);
    connect(&restartTimer, &QTimer::timeout, this, &BrowserWindow::onRestartClock);

    // Apply answers end in aborted loads; only pages that arrived count.
    // Changes of a page's address in place (a fragment, the history) load
    // nothing and leave the page as it was.
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok)
            listenToThePage();
        if (!ok || m_shown || m_view->url().isEmpty()
            || m_view->url() == QUrl(QStringLiteral("about:blank")))
            return;
        m_shown = true;
        qCInfo(lcLoad) << "first page shown:" << m_view->url().toString();
        emit firstPageShown();
    });

    resize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    platform::centreOnScreen(this);
}

void BrowserWindow::load()
{
    m_view->setUrl(QUrl(QStringLiteral("about:blank")));
    m_session.load();
    onHome();
}

void BrowserWindow::listenToThePage()
{
    m_pageIgnored = false;
    m_noesInARow = 0;
}

void BrowserWindow::onHome()
{
    listenToThePage();
    QWebEngineHttpRequest request(m_siteBase, QWebEngineHttpRequest::Post);
    request.setHeader(QByteArrayLiteral("Content-type"),
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setPostData(m_session.outboundBody());
    QCoreApplication::processEvents();
    m_view->load(request);
}

void BrowserWindow::onApplyRequested(const QString &, const QByteArray &postData)
{
    // A page that sends its form again while the question is open, or soon
    // after it was answered, gets no second question.
    if (m_asking || m_pageIgnored || !m_quietUntil.hasExpired())
        return;
    m_asking = true;
    askToApply(postData);
    // From the end of what the form brought up: its messages count as part
    // of the question.
    m_quietUntil.setRemainingTime(m_quietMs);
    m_asking = false;
}

void BrowserWindow::askToApply(const QByteArray &postData)
{
    if (!m_platform.messages->question(kTitle, tr("設定を変更してもよろしいですか？"))) {
        if (++m_noesInARow < 2)
            return;
        m_pageIgnored = true;
        m_platform.messages->information(
            kTitle, tr("このページからの設定の変更は、ホームに戻るか別のページを開くまで"
                       "受け付けません。"));
        return;
    }
    m_noesInARow = 0;
    if (m_platform.clock->activateRunning()) {
        m_platform.messages->notice(kTitle, tr("時計が起動しています。時計を終了させてから、"
                                               "もう一度設定を押してください。"));
        return;
    }
    // Making a design under the name of one of the user's own replaces it: ask.
    const auto made = m_session.designMadeBy(postData);
    if (made && m_session.replacesOwnDesign(*made)
        && !m_platform.messages->question(
            kTitle,
            tr("デザイン「%1」はすでにあります。置き換えてもよろしいですか？").arg(made->name)))
        return;
    QString failure;
    if (m_session.apply(postData, &failure))
        restartTimer.start();
    else
        m_platform.messages->information(kTitle, failure);
}

void BrowserWindow::exportDesign()
{
    const QStringList designs = vespera::installedDesigns(m_session.folders());
    const QString name = m_platform.files->chooseDesign(this, designs, m_session.snapshot().skin);
    if (name.isEmpty())
        return;
    const QString path =
        m_platform.files->fileToSave(this, name + QLatin1String(vespera::kDesignPackageExtension));
    if (path.isEmpty())
        return;
    QString why;
    const QByteArray bytes = vespera::exportDesign(m_session.folders(), name, &why);
    if (bytes.isEmpty() || !common::writeFileAtomically(path, bytes, &why)) {
        m_platform.messages->information(
            kTitle, tr("デザイン「%1」を書き出せませんでした。\n%2").arg(name, why));
        return;
    }
    m_platform.messages->information(kTitle,
                                     tr("デザイン「%1」を %2 に書き出しました。").arg(name, path));
}

void BrowserWindow::onInstallDesignFile()
{
    const QString path = m_platform.files->fileToOpen(this);
    if (!path.isEmpty())
        installDesignFile(path);
}

void BrowserWindow::installDesignFile(const QString &path)
{
    if (offerDesignFile(path, *m_platform.messages, m_session.userFolder(), m_session.folders()))
        onHome(); // the catalogue lists it
}

void BrowserWindow::onRestartClock()
{
    restartTimer.stop();
    if (!m_platform.programs->start(QStringLiteral("vespera")))
        m_platform.messages->information(kTitle, tr("時計（vespera）を起動できませんでした。"));
}

} // namespace vesweb

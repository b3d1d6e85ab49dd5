// The design browser's window with the real web engine: the catalogue we
// ship, an apply sent from its page and what it stores, the refusal while
// the clock runs, which addresses are taken as an apply, and the bytes the
// window posts to a site.
#include "app/clock_window.h"
#include "common/shift_jis.h"
#include "design/design_files.h"
#include "design/design_package.h"
#include "design/design_picture.h"
#include "designbrowser/apply_gate.h"
#include "designbrowser/browser_window.h"
#include "designbrowser/catalogue_site.h"
#include "designbrowser/design_session.h"
#include "designbrowser/file_chooser.h"
#include "designbrowser/loopback_server.h"
#include "designbrowser/preview.h"
#include "designbrowser/studio.h"
#include "fakes/clock_probe.h"
#include "fakes/fake_platform.h"
#include "fakes/test_files.h"
#include "painter/recipe.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenuBar>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

using namespace vesweb;

namespace {

constexpr int kPatience = 60000; // a first page on a slow, shared machine

// A site that keeps every POST it is sent, as raw bytes, and answers each
// with a small page.
class RecordingSite : public QObject {
public:
    QList<QByteArray> heads, bodies;
    QTcpServer server;

    RecordingSite()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
        });
    }
    QUrl base() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    }

private:
    void read(QTcpSocket *s)
    {
        QByteArray &got = m_pending[s];
        got += s->readAll();
        const int end = got.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = got.left(end);
        qsizetype length = 0;
        for (const QByteArray &line : head.split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        if (got.size() < end + 4 + length)
            return;
        if (head.startsWith("POST")) {
            heads << head;
            bodies << got.mid(end + 4, length);
        }
        m_pending.remove(s);
        const QByteArray page = "<html><body><h1>site</h1></body></html>";
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                 "Content-Length: "
                 + QByteArray::number(page.size()) + "\r\n\r\n" + page);
        s->disconnectFromHost();
    }
    QHash<QTcpSocket *, QByteArray> m_pending;
};

// Answers of its own where the window asks which design and which file.
class FakeFileChooser : public FileChooser {
public:
    QString design, save, open;
    QStringList offered;
    QString chooseDesign(QWidget *, const QStringList &designs, const QString &) override
    {
        offered = designs;
        return design;
    }
    QString fileToSave(QWidget *, const QString &) override { return save; }
    QString fileToOpen(QWidget *) override { return open; }
};

// A multipart form as a browser submits it.
QByteArray multipart(const QString &key, const QString &value)
{
    return common::toShiftJis(
        QStringLiteral(
            "--b\r\nContent-Disposition: form-data; name=\"vsr%1\"\r\n\r\n%2\r\n--b--\r\n")
            .arg(key, value));
}

} // namespace

class TestBrowserWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<common::SettingsStore> m_store;
    std::unique_ptr<DesignSession> m_session;
    std::unique_ptr<LoopbackServer> m_server;
    std::unique_ptr<ApplyGate> m_gate;
    std::unique_ptr<CatalogueSite> m_catalogue;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<BrowserWindow> m_browser;
    fakes::FakeMessages m_messages;
    fakes::FakeInstanceGuard m_clock;
    fakes::FakeProgramStarter m_programs;
    FakeFileChooser m_files;
    QUrl m_loopback;
    bool m_shown = false;

    // The user's folder is where the clock looks too: $XDG_DATA_HOME/vespera.
    QString user() const { return m_dir->filePath("vespera"); }
    QString shipped() const { return m_dir->filePath("shipped"); }

    // A window on `site`, or on the catalogue we ship when it is empty.
    void open(QUrl site = QUrl())
    {
        m_server = std::make_unique<LoopbackServer>();
        QVERIFY(m_server->listen());
        m_loopback = m_server->base();
        m_gate = std::make_unique<ApplyGate>(kApplyUrl, *m_server);
        if (site.isEmpty()) {
            m_catalogue = std::make_unique<CatalogueSite>(*m_server, kApplyUrl,
                                                          QStringList{user(), shipped()});
            site = m_loopback;
        }
        m_session =
            std::make_unique<DesignSession>(*m_store, user(), QStringList{user(), shipped()});
        m_profile = std::make_unique<QWebEngineProfile>(); // off the record
        m_gate->watch(m_profile.get());
        m_browser = std::make_unique<BrowserWindow>(*m_session, seams(), m_profile.get(), site);
        connect(m_gate.get(), &ApplyGate::applyRequested, m_browser.get(),
                &BrowserWindow::onApplyRequested);
        connect(m_browser.get(), &BrowserWindow::firstPageShown, this, [this] { m_shown = true; });
        m_browser->show();
        m_browser->load();
        QTRY_VERIFY_WITH_TIMEOUT(m_shown, kPatience);
    }
    BrowserPlatform seams() { return {&m_messages, &m_clock, &m_programs, &m_files}; }

    QVariant js(const QString &script)
    {
        QVariant result;
        bool done = false;
        m_browser->browser()->page()->runJavaScript(script, [&](const QVariant &v) {
            result = v;
            done = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, kPatience); }();
        return result;
    }
    void pressApply(const QString &skin)
    {
        js(QStringLiteral("[...document.forms].find(f => f.vsrskin && f.vsrskin.value == '%1')"
                          ".querySelector('button').click()")
               .arg(skin));
    }
    QString stored(const QString &key) { return m_store->getSetting("pendra", key); }

    // A raw request to the loopback server, and its whole answer. The server
    // answers on this thread: wait with the event loop running.
    QByteArray ask(const QByteArray &request, qint64 bodyBytes = 0)
    {
        QTcpSocket socket;
        QByteArray answer;
        connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, quint16(m_loopback.port()));
        socket.write(request + QByteArray(bodyBytes, 'x'));
        // Until the server closes, or one whole answer is in.
        auto whole = [&] {
            const int end = answer.indexOf("\r\n\r\n");
            if (end < 0)
                return false;
            qsizetype length = 0;
            for (const QByteArray &line : answer.left(end).split('\n'))
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            return answer.size() >= end + 4 + length;
        };
        (void)QTest::qWaitFor(
            [&] { return socket.state() == QAbstractSocket::UnconnectedState || whole(); },
            kPatience);
        return answer;
    }
    QByteArray post(const QByteArray &path, const QByteArray &body,
                    const QByteArray &type = "application/x-www-form-urlencoded")
    {
        return ask("POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:"
                   + QByteArray::number(m_loopback.port()) + "\r\nContent-Type: " + type
                   + "\r\nContent-Length: " + QByteArray::number(body.size())
                   + "\r\nConnection: close\r\n\r\n" + body);
    }

    // The files in a folder, hidden ones too.
    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QByteArray hashOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
                   : QByteArray();
    }

    // The studio, opened from the catalogue's first page.
    void openStudio()
    {
        js("document.getElementById('studio').submit()");
        QTRY_VERIFY_WITH_TIMEOUT(js("!!document.getElementById('make')").toBool(), kPatience);
    }
    // A control of the studio changed as a user changes it.
    void setInStudio(const QString &key, const QString &value)
    {
        js(QStringLiteral("{const c = document.querySelector('[data-key=\"%1\"]'); c.value = '%2';"
                          "c.dispatchEvent(new Event('input'));}")
               .arg(key, value));
    }
    void makeInStudio(const QString &name)
    {
        js(QStringLiteral("document.getElementById('name').value = '%1';"
                          "document.querySelector('#make button').click()")
               .arg(name));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(shipped());
        const QString bin = QStringLiteral(VESPERA_BIN_DIR);
        for (const char *side : {".vss", ".vsr"}) {
            QFile::copy(bin + "/blue" + side, shipped() + "/blue" + side);
            QFile::copy(bin + "/night" + side, shipped() + "/夜空" + side);
            fakes::writeFile(shipped() + "/broken" + side, "not a picture");
        }
        QFile::copy(bin + "/blue.recipe", shipped() + "/blue.recipe");
        m_store = std::make_unique<common::SettingsStore>(
            common::SettingsStore::atPath(m_dir->filePath("kestrel.ini")));
        qputenv("XDG_DATA_HOME", m_dir->path().toUtf8());
        qputenv("VESPERA_DATA_DIR", shipped().toUtf8());
        m_messages = fakes::FakeMessages();
        m_clock.running = false;
        m_clock.activations = 0;
        m_programs = fakes::FakeProgramStarter();
        m_programs.installed << "vespera";
        m_shown = false;
    }
    void cleanup()
    {
        m_browser.reset(); // the page goes before its profile
        m_profile.reset();
        m_catalogue.reset();
        m_gate.reset();
        m_server.reset();
    }

    void catalogueShowsEveryDesignWithItsPreview()
    {
        QCOMPARE(vespera::installedDesigns({user(), shipped()}),
                 QStringList({"blue", "broken", "夜空"}));
        const QImage preview = QImage::fromData(designPreviewPng(shipped() + "/blue.vss"));
        QCOMPARE(preview.size(), QSize(440, 59));
        QVERIFY(designPreviewPng(shipped() + "/broken.vss").isEmpty());

        open();
        QCOMPARE(js("[...document.forms].filter(f => f.vsrskin).length").toInt(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(js("document.images[0].naturalWidth").toInt(), 440, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(js("document.images[2].naturalWidth").toInt(), 440, kPatience);
        QVERIFY(js("document.body.innerText").toString().contains("いまのデザイン：blue"));
    }

    // In English: the menu, the catalogue page and the question.
    // On a screen smaller than the window (a small one at 200 %) it shrinks
    // to the screen, its title bar on it.
    void fitsASmallScreen()
    {
        open();
        const QRect room = m_browser->screen()->availableGeometry();
        QVERIFY2(room.contains(m_browser->geometry()),
                 qPrintable(QString("%1,%2 %3x%4 in %5x%6+%7+%8")
                                .arg(m_browser->x())
                                .arg(m_browser->y())
                                .arg(m_browser->width())
                                .arg(m_browser->height())
                                .arg(room.width())
                                .arg(room.height())
                                .arg(room.x())
                                .arg(room.y())));
        QVERIFY(room.contains(m_browser->frameGeometry())); // the title bar too
    }

    void inEnglish()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("vespera_en"), QStringLiteral(VESPERA_BIN_DIR)));
        QCoreApplication::installTranslator(&english);
        open();
        QCOMPARE(m_browser->menuBar()->actions().value(0)->text(), QString("□Home"));
        QCOMPARE(js("document.documentElement.lang").toString(), QString("en"));
        QVERIFY(js("document.body.innerText").toString().contains("Design in use: blue"));
        pressApply("blue");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.asked, QStringList("vesweb|Change the settings?"),
                                  kPatience);
        QCoreApplication::removeTranslator(&english);
    }

    // The clock is not running: the design is stored, the page stays as it
    // was, and the clock is started once, half a second later.
    void applyFromThePageStoresAndRestartsTheClock()
    {
        open();
        const int history = m_browser->browser()->history()->count();
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(stored("skin"), QString("夜空"), kPatience);
        QCOMPARE(m_messages.asked, QStringList("vesweb|設定を変更してもよろしいですか？"));
        QFile record(user() + "/blue.vsn");
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll(), common::toShiftJis("夜空,,,,,,夜空.vss\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(m_programs.started, QStringList("vespera"), kPatience);
        QVERIFY(!m_browser->restartPending());
        QCOMPARE(m_browser->browser()->url(), m_loopback);
        QCOMPARE(m_browser->browser()->history()->count(), history);
        QCOMPARE(js("[...document.forms].filter(f => f.vsrskin).length").toInt(), 3);
    }

    void refusedWhileTheClockRunsAndNoStoresNothing()
    {
        open();
        m_browser->setQuietTime(0);
        m_clock.running = true;
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.noticed.size(), 1, kPatience);
        QVERIFY(m_messages.noticed[0].contains("時計が起動しています。"));
        QCOMPARE(m_clock.activations, 1);

        m_clock.running = false;
        m_messages.answer = false;
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.asked.size(), 2, kPatience);
        QVERIFY(!m_browser->restartPending());
        QCOMPARE(stored("skin"), QString());
        QVERIFY(!QFile::exists(user() + "/blue.vsn"));
        QCOMPARE(m_programs.started, QStringList());
    }

    // When the settings cannot be written (another program holds them past
    // the wait), the apply says so and leaves everything as it was: no
    // design record, and no clock started.
    void aFailedApplyStoresNothingAndStartsNoClock()
    {
        open();
        const QByteArray settings = fakes::readFile(m_store->filePath());
        fakes::HeldLock other(m_store->filePath());
        QVERIFY(other.held());
        m_store->setLockWait(100);
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.shown.size(), 1, kPatience);
        QVERIFY2(m_messages.shown[0].contains("設定を保存できませんでした"),
                 qPrintable(m_messages.shown[0]));
        QVERIFY(!m_browser->restartPending());
        QCOMPARE(m_programs.started, QStringList());
        QCOMPARE(fakes::readFile(m_store->filePath()), settings);
        QVERIFY(!QFileInfo::exists(user() + "/blue.vsn"));
    }

    // The address without its final "/" is the same address to the engine;
    // pictures, frames, forms sent by GET and addresses with a query are
    // not applies: only a form the page itself posts.
    void onlyAFormPostedByThePageIsTaken()
    {
        open();
        const QString submit = QStringLiteral(
            "var f = document.createElement('form'); f.method = '%2';"
            "f.enctype = 'multipart/form-data'; f.action = '%1';"
            "var i = document.createElement('input'); i.name = 'vsrwan'; i.value = '1';"
            "f.appendChild(i); document.body.appendChild(f); f.submit();");
        js(submit.arg("http://apply.vespera.invalid", "post"));
        QTRY_COMPARE_WITH_TIMEOUT(stored("wan"), QString("1"), kPatience);

        QSignalSpy loads(m_browser->browser(), &QWebEngineView::loadFinished);
        js("new Image().src = 'http://apply.vespera.invalid/';"
           "var fr = document.createElement('iframe'); fr.src = 'http://apply.vespera.invalid/';"
           "document.body.appendChild(fr);");
        js(submit.arg("http://apply.vespera.invalid/", "get"));
        QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), kPatience);
        cleanup(); // a fresh window for the last one
        m_shown = false;
        open();
        QSignalSpy more(m_browser->browser(), &QWebEngineView::loadFinished);
        js(submit.arg("http://apply.vespera.invalid/?x=1", "post"));
        QTRY_VERIFY_WITH_TIMEOUT(!more.isEmpty(), kPatience);
        QCOMPARE(m_messages.asked.size(), 1);
    }

    // A form in a frame never applies, though it is of the page's own site
    // and sends the page itself to the apply address: only a form of the
    // page's own document does.
    void framesNeverApply_data()
    {
        QTest::addColumn<QString>("frame");
        const QString form =
            "<form method=post enctype=multipart/form-data target=_top "
            "action=http://apply.vespera.invalid/><input name=vsrwan value=1></form>";
        QTest::newRow("sent by its own script")
            << "<iframe srcdoc='" + form + "<script>document.forms[0].submit()</script>'></iframe>";
        QTest::newRow("sandboxed, allowed to send the page away")
            << "<iframe sandbox='allow-forms allow-scripts allow-top-navigation "
               "allow-same-origin' srcdoc='"
                   + form + "<script>document.forms[0].submit()</script>'></iframe>";
        QTest::newRow("sent by the page's script")
            << "<iframe srcdoc='" + form
                   + "' onload='this.contentDocument.forms[0].submit()'></iframe>";
    }
    void framesNeverApply()
    {
        QFETCH(QString, frame);
        open();
        m_browser->setQuietTime(0);
        QSignalSpy loads(m_browser->browser(), &QWebEngineView::loadFinished);
        js("document.body.insertAdjacentHTML('beforeend', "
           + QJsonDocument(QJsonArray{frame}).toJson(QJsonDocument::Compact) + "[0])");
        // The page was sent to the apply address, and stays as it was.
        QTRY_VERIFY_WITH_TIMEOUT(loads.contains(QVariantList{false}), kPatience);
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(stored("skin"), QString("夜空"), kPatience);
        QCOMPARE(m_messages.asked.size(), 1);
        QCOMPARE(stored("wan"), QString());
    }

    // A page that sends its form again and again after a "no" is not asked
    // again until the quiet time is over.
    void noQuietsThePage()
    {
        open();
        m_browser->setQuietTime(1500);
        m_messages.answer = false;
        QElapsedTimer since;
        pressApply("夜空");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.asked.size(), 1, kPatience);
        since.start();
        for (int i = 0; i < 3; ++i)
            m_browser->onApplyRequested(kApplyUrl, multipart("skin", "blue"));
        if (since.elapsed() < 1500) // else the machine was too slow to tell
            QCOMPARE(m_messages.asked.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT((m_browser->onApplyRequested(kApplyUrl, multipart("skin", "blue")),
                                  m_messages.asked.size() == 2),
                                 kPatience);
        QCOMPARE(stored("skin"), QString());
    }

    // After two "no"s in a row the page is not asked again, and told so
    // once, until the user goes Home or the page is left for another
    // (changing its own address in place is not leaving it); a "yes"
    // between them starts the count again.
    void twoNoesIgnoreThePage()
    {
        open();
        m_browser->setQuietTime(0);
        const auto sent = [this] { m_browser->onApplyRequested(kApplyUrl, multipart("wan", "1")); };
        m_messages.answers = {false, true, false};
        for (int i = 0; i < 3; ++i)
            sent();
        QCOMPARE(m_messages.shown, QStringList());
        m_messages.answer = false;
        for (int i = 0; i < 5; ++i)
            sent();
        QCOMPARE(m_messages.asked.size(), 4);
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY2(m_messages.shown[0].contains("受け付けません"), qPrintable(m_messages.shown[0]));

        js("history.pushState({}, '', '/elsewhere'); location.hash = 'x'");
        QTRY_VERIFY_WITH_TIMEOUT(m_browser->browser()->url().hasFragment(), kPatience);
        sent();
        QCOMPARE(m_messages.asked.size(), 4);

        QSignalSpy loads(m_browser->browser(), &QWebEngineView::loadFinished);
        js(QStringLiteral("location.href = '%1?another'").arg(m_loopback.toString()));
        QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty() && loads.last().value(0).toBool(), kPatience);
        for (int i = 0; i < 3; ++i)
            sent();
        QCOMPARE(m_messages.asked.size(), 6);
        QCOMPARE(m_messages.shown.size(), 2);

        m_browser->onHome();
        sent();
        QCOMPARE(m_messages.asked.size(), 7);
    }

    // A "yes" quiets the page as long as a "no" does.
    void yesQuietsThePageToo()
    {
        open();
        m_browser->setQuietTime(kPatience);
        m_browser->onApplyRequested(kApplyUrl, multipart("wan", "1"));
        QCOMPARE(stored("wan"), QString("1"));
        m_browser->onApplyRequested(kApplyUrl, multipart("wan", "2"));
        QCOMPARE(m_messages.asked.size(), 1);
        QCOMPARE(stored("wan"), QString("1"));
    }

    // The loopback server answers only requests addressed to it, and cuts
    // off a request bigger than any of ours.
    void loopbackServerTakesOnlyItsOwnRequests()
    {
        open();
        const QByteArray port = QByteArray::number(m_loopback.port());
        const QByteArray ours =
            ask("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + port + "\r\nConnection: close\r\n\r\n");
        QVERIFY2(ours.startsWith("HTTP/1.1 200"), ours.left(200).constData());
        QVERIFY(ask("GET / HTTP/1.1\r\nHost: localhost:" + port + "\r\nConnection: close\r\n\r\n")
                    .startsWith("HTTP/1.1 200"));
        for (const QByteArray &host : {QByteArray("evil.example"), "evil.example:" + port,
                                       QByteArray("127.0.0.1:1"), QByteArray()}) {
            const QByteArray answer =
                ask("GET / HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n");
            QVERIFY2(answer.startsWith("HTTP/1.1 421") && !answer.contains("vsrskin"),
                     answer.left(200).constData());
        }
        const QByteArray big = ask("POST / HTTP/1.1\r\nHost: 127.0.0.1:" + port
                                       + "\r\nContent-Length: 4194304\r\n\r\n",
                                   4 * 1024 * 1024);
        QVERIFY2(big.startsWith("HTTP/1.1 413") || big.isEmpty(), big.left(200).constData());
        // A request within the limit still gets its page.
        const QByteArray form = "des=night&name=x";
        QVERIFY(ask("POST / HTTP/1.1\r\nHost: 127.0.0.1:" + port + "\r\nContent-Length: "
                    + QByteArray::number(form.size()) + "\r\nConnection: close\r\n\r\n" + form)
                    .startsWith("HTTP/1.1 200"));
    }

    // The loopback server holds a few connections at once: one beyond them
    // is closed as it comes, and all a connection sent is let go when it
    // closes, so that the server takes connections again.
    void loopbackServerHoldsFewConnections()
    {
        LoopbackServer server(4, kPatience);
        QVERIFY(server.listen());
        const QByteArray start =
            "POST / HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.base().port())
            + "\r\nContent-Length: 70000\r\n\r\n";
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 12; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            clients.back()->connectToHost(QHostAddress::LocalHost, quint16(server.base().port()));
            clients.back()->write(start + QByteArray(60000, 'x')); // most of a request
        }
        const auto closed = [&] {
            return std::count_if(clients.begin(), clients.end(), [](const auto &c) {
                return c->state() == QAbstractSocket::UnconnectedState;
            });
        };
        QTRY_COMPARE_WITH_TIMEOUT(closed(), 8, kPatience);
        QCOMPARE(server.openConnections(), 4);

        clients.clear();
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, kPatience);
        QTcpSocket again;
        again.connectToHost(QHostAddress::LocalHost, quint16(server.base().port()));
        QVERIFY(again.waitForConnected(kPatience));
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 1, kPatience);
    }

    // A connection that sends nothing whole (idle, or a request dribbled in
    // too slowly to be the browser's) is closed after a while.
    void loopbackServerClosesIdleConnections()
    {
        LoopbackServer server(LoopbackServer::kMaxConnections, 200);
        QVERIFY(server.listen());
        QTcpSocket idle, slow;
        for (QTcpSocket *client : {&idle, &slow})
            client->connectToHost(QHostAddress::LocalHost, quint16(server.base().port()));
        QTimer dribble;
        connect(&dribble, &QTimer::timeout, [&] { slow.write("G"); });
        dribble.start(20);
        QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QAbstractSocket::UnconnectedState, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(slow.state(), QAbstractSocket::UnconnectedState, kPatience);
        dribble.stop();
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, kPatience);
    }

    // Made in the studio: a colour changed, a name given, applied after the
    // question; the pictures land in the user's folder, the clock is
    // started in the new design, and Home comes back to it in the studio.
    void studioMakesADesignAndHomeReopensIt()
    {
        open();
        m_browser->setQuietTime(0);
        openStudio();
        QCOMPARE(js("document.getElementById('name').value").toString(), QString("blue-2"));
        setInStudio("face", "#ff0000");
        setInStudio("digits", "dots");
        // The live preview follows every change.
        QTRY_VERIFY_WITH_TIMEOUT(js("document.getElementById('preview').complete && "
                                    "document.getElementById('preview').naturalWidth == 440")
                                     .toBool(),
                                 kPatience);
        makeInStudio("mine");
        QTRY_COMPARE_WITH_TIMEOUT(stored("skin"), QString("mine"), kPatience);
        QCOMPARE(m_messages.asked, QStringList("vesweb|設定を変更してもよろしいですか？"));
        QTRY_COMPARE_WITH_TIMEOUT(m_programs.started, QStringList("vespera"), kPatience);
        QCOMPARE(vespera::installedDesigns({user()}), QStringList("mine"));
        for (const char *suffix : {".vss", ".vsr", "@2x.vss", "@2x.vsr"})
            QVERIFY2(!vespera::readDesignPicture(user() + "/mine" + suffix).isNull(), suffix);
        // The face as the clock shows it: the new colour between the date and the time.
        const QImage face = designPreview(vespera::readDesignPicture(user() + "/mine.vss"));
        QCOMPARE(face.pixelColor(186, 46), QColor("#ff0000"));
        // The clock starts in it and shows it.
        {
            fakes::FakeClock time;
            fakes::FakeDesktop desktop;
            fakes::FakeRandom random;
            vespera::ClockWindow clock(*m_store, {&time, &desktop, &random},
                                       vespera::CommandLine());
            QVERIFY(clock.load());
            clock.show();
            QVERIFY(vespera::probe(clock).skinPath().endsWith("/vespera/mine.vss"));
            QCOMPARE(clock.grab().toImage().pixelColor(186, 46), QColor("#ff0000"));
        }
        QFile recipe(user() + "/mine.recipe");
        QVERIFY(recipe.open(QIODevice::ReadOnly));
        const auto made = painter::parseRecipe(recipe.readAll());
        QVERIFY(made && made->face == QColor("#ff0000")
                && made->digits == painter::DigitStyle::Dots);

        // The page made before Home has the same controls: wait for the new one.
        QSignalSpy home(m_browser->browser(), &QWebEngineView::loadFinished);
        m_browser->onHome();
        QTRY_VERIFY_WITH_TIMEOUT(!home.isEmpty() && home.last().value(0).toBool(), kPatience);
        QTRY_VERIFY_WITH_TIMEOUT(js("!!document.getElementById('make')").toBool(), kPatience);
        QCOMPARE(js("document.getElementById('name').value").toString(), QString("mine"));
        QCOMPARE(js("document.querySelector('[data-key=face]').value").toString(),
                 QString("#ff0000"));

        // Made again under the same name: replacing asks first, and "no" keeps it.
        const QByteArray before = hashOf(user() + "/mine.vss");
        setInStudio("face", "#00ff00");
        m_messages.answers = {true, false};
        makeInStudio("mine");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.asked.size(), 3, kPatience);
        QVERIFY(m_messages.asked[2].contains("置き換えてもよろしいですか"));
        QTest::qWait(200);
        QCOMPARE(hashOf(user() + "/mine.vss"), before);
    }

    // Digits from a font: the studio offers the families fontconfig has.
    void studioOffersTheInstalledFonts()
    {
        QProcess fcList;
        fcList.start("fc-list", {":", "family"});
        if (!fcList.waitForFinished(60000) || fcList.exitCode() != 0)
            QSKIP("fc-list is not installed");
        QStringList listed;
        for (const QByteArray &line : fcList.readAllStandardOutput().split('\n'))
            listed << QString::fromUtf8(line.split(',').first()).trimmed();
        const QStringList offered = digitFontFamilies();
        QVERIFY(!offered.isEmpty());
        for (const QString &family :
             {QString("DejaVu Sans"), QString("DejaVu Serif"), QString("Noto Sans CJK JP")}) {
            if (listed.contains(family))
                QVERIFY2(offered.contains(family), qPrintable(family));
        }
    }

    // A shipped design is never painted over, whatever the name typed.
    void studioNeverReplacesAShippedDesign()
    {
        open();
        openStudio();
        const QStringList shippedBefore = filesIn(shipped());
        const QByteArray blue = hashOf(shipped() + "/blue.vss");
        setInStudio("ink", "#123456");
        makeInStudio("blue");
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.shown.size(), 1, kPatience);
        QVERIFY2(m_messages.shown[0].contains("付属のデザイン"), qPrintable(m_messages.shown[0]));
        QCOMPARE(filesIn(shipped()), shippedBefore);
        QCOMPARE(hashOf(shipped() + "/blue.vss"), blue);
        QCOMPARE(stored("skin"), QString());
        QCOMPARE(filesIn(user()), QStringList());
        QVERIFY(!m_browser->restartPending());
        QCOMPARE(m_programs.started, QStringList());
    }

    // Whatever reaches the loopback server straight, from another program
    // or a page that found the port, writes nothing: the studio's page and
    // its previews are answered, an apply is not taken.
    void loopbackServerWritesNothing()
    {
        open();
        const QString field = painter::recipeField(painter::Recipe());
        const QByteArray made = "--b\r\nContent-Disposition: form-data; name=\"vsrskin\"\r\n\r\n"
                                "mine\r\n--b\r\nContent-Disposition: form-data; name=\"vsrc_mn\""
                                "\r\n\r\n"
                                + field.toLatin1() + "\r\n--b--\r\n";
        QVERIFY(
            post("/", "view=studio&des=blue&c_mn=" + field.toLatin1()).startsWith("HTTP/1.1 200"));
        QVERIFY(post("/", made, "multipart/form-data; boundary=b").startsWith("HTTP/1.1 200"));
        const QByteArray preview =
            ask("GET /studio/preview.png?r=" + field.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1:"
                + QByteArray::number(m_loopback.port()) + "\r\nConnection: close\r\n\r\n");
        QVERIFY2(preview.startsWith("HTTP/1.1 200") && preview.contains("\x89PNG"),
                 preview.left(200).constData());
        QVERIFY(post("/studio/preview.png", made, "multipart/form-data; boundary=b")
                    .startsWith("HTTP/1.1 404"));
        QVERIFY(
            post("/apply/0123456789abcdef0123456789abcdef", made, "multipart/form-data; boundary=b")
                .startsWith("HTTP/1.1 404"));
        QVERIFY(!post("/preview/../../mine.vss", made).startsWith("HTTP/1.1 200"));
        QTest::qWait(300);
        QCOMPARE(filesIn(user()), QStringList());
        QCOMPARE(filesIn(shipped()).size(), 7);
        QCOMPARE(stored("skin"), QString());
        QCOMPARE(m_messages.asked, QStringList());
    }

    // Through the catalogue's window: a design written to one file, and that
    // file installed again, shown and asked about first, under a free name.
    void exportAndInstallThroughTheWindow()
    {
        open();
        m_files.design = "夜空";
        m_files.save = m_dir->filePath("night.vsdesign");
        m_browser->exportDesign();
        QVERIFY(m_files.offered.contains("blue") && m_files.offered.contains("夜空"));
        QCOMPARE(m_messages.shown.size(), 1);
        const auto package = vespera::readDesignPackageFile(m_files.save);
        QVERIFY(package && package->name == "夜空");

        m_messages.answer = false;
        m_browser->installDesignFile(m_files.save);
        QCOMPARE(m_messages.asked, QStringList("vesweb|デザイン「夜空」をインストールしますか？"));
        QCOMPARE(filesIn(user()), QStringList());

        m_messages.answer = true;
        m_browser->installDesignFile(m_files.save);
        QCOMPARE(vespera::installedDesigns({user()}), QStringList("夜空-2"));
        QVERIFY(m_messages.shown.last().contains("「夜空-2」としてインストールしました"));
        QCOMPARE(vespera::readDesignPicture(user() + "/夜空-2.vss"),
                 vespera::readDesignPicture(shipped() + "/夜空.vss"));
        // The catalogue lists it at once.
        QTRY_COMPARE_WITH_TIMEOUT(js("[...document.forms].filter(f => f.vsrskin).length").toInt(),
                                  4, kPatience);
        QCOMPARE(stored("skin"), QString()); // installing is not applying
    }

    // A file that is no design file is refused with its reason, before any question.
    void aBrokenDesignFileIsRefused()
    {
        open();
        const QString path = m_dir->filePath("broken.vsdesign");
        QVERIFY(fakes::writeFile(path, "VESPERA-DESIGN 1\nname ../evil\nend\n"));
        m_browser->installDesignFile(path);
        QCOMPARE(m_messages.asked, QStringList());
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown[0].contains("broken.vsdesign"));
        QCOMPARE(filesIn(user()), QStringList());
    }

    // What reaches a site, byte for byte: at start-up, and after an apply.
    void postsTheDesignToTheSite()
    {
        m_store->saveSetting("pendra", "skin", "夜");
        m_store->saveSetting("pendra", "hide", "-3");
        m_store->saveSetting("pendra", "wan", "2");
        QDir().mkpath(user());
        fakes::writeFile(user() + "/夜.vsn", common::toShiftJis("名前,a b&c,,,,,f 1\r\n"));
        RecordingSite site;
        open(site.base());
        m_browser->setQuietTime(0);
        QCOMPARE(site.bodies.size(), 1);
        QCOMPARE(site.bodies[0], QByteArray("des=%96%E9&name=%96%BC%91%4F&c_mn=a b&c&c_bg=&c_ms="
                                            "&c_mw=&c_bs=&fname=f+1&hide=-3&wan=2"));
        QVERIFY(site.heads[0].startsWith("POST / HTTP/1.1\r\n"));
        // Header names are not case-sensitive; the value is ours, exactly.
        QVERIFY(
            site.heads[0].contains("\r\nContent-Type: application/x-www-form-urlencoded\r\n")
            || site.heads[0].contains("\r\nContent-type: application/x-www-form-urlencoded\r\n"));

        // The clock is started after every apply, a body without fields too.
        m_browser->onApplyRequested(kApplyUrl, QByteArray());
        QVERIFY(m_browser->restartPending());
        QTRY_COMPARE_WITH_TIMEOUT(m_programs.started, QStringList("vespera"), kPatience);

        m_browser->onApplyRequested(kApplyUrl, multipart("name", "x y"));
        m_browser->onHome();
        QTRY_COMPARE_WITH_TIMEOUT(site.bodies.size(), 2, kPatience);
        QVERIFY(site.bodies[1].startsWith("des=%96%E9&name=x+y&c_mn=a b&c&"));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); // tests may run as root
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestBrowserWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browser_window.moc"

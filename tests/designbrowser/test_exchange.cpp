// The exchange with the design site: the encoder, the posted body, the
// design file both ways, the scan of an applied form, and hostile input.
#include "common/shift_jis.h"
#include "designbrowser/catalogue.h"
#include "designbrowser/design_session.h"
#include "designbrowser/exchange.h"
#include "fakes/test_files.h"
#include "painter/recipe.h"

#include <QTemporaryDir>
#include <QtTest>
#include <thread>

using namespace vesweb;

namespace {

// A form as a browser submits it, one part per field.
QByteArray multipart(const QList<QPair<QString, QString>> &fields)
{
    QString body;
    for (const auto &f : fields)
        body +=
            QStringLiteral("-----b\r\nContent-Disposition: form-data; name=\"vsr%1\"\r\n\r\n%2\r\n")
                .arg(f.first, f.second);
    body += QStringLiteral("-----b--\r\n");
    return common::toShiftJis(body);
}

// How many files this process has open at `path`.
int openedHere(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    int n = 0;
    for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files))
        n += fd.symLinkTarget() == canonical ? 1 : 0;
    return n;
}

} // namespace

class TestExchange : public QObject {
    Q_OBJECT

private slots:

    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("plain") << "blue"
                               << "blue";
        QTest::newRow("blank") << "a b"
                               << "a+b";
        QTest::newRow("reserved") << "a&b=c"
                                  << "a%26b%3Dc";
        QTest::newRow("others") << "~/%+"
                                << "%7E%2F%25%2B";
        QTest::newRow("kept") << "*._-"
                              << "*._-";
        QTest::newRow("hiragana") << "あ"
                                  << "%82%A0";
        QTest::newRow("half-width katakana") << "ｱ"
                                             << "%B1";
        QTest::newRow("full-width A") << "Ａ"
                                      << "%82%60";
        QTest::newRow("full-width blank") << "　"
                                          << "%81%40";
        QTest::newRow("not in the code page") << "a😀b"
                                              << "a%3Fb";
        QTest::newRow("empty") << ""
                               << "";
    }
    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        QCOMPARE(urlEncode(text), encoded);
    }

    void outbound()
    {
        DesignRecord record;
        record.name() = "def";
        QCOMPARE(outboundBody(DesignSnapshot{}, record),
                 QByteArray("des=blue&name=def&c_mn=&c_bg=&c_ms=&c_mw=&c_bs=&fname=&hide=0&wan=0"));
        record.name() = "a b&c";
        record.fields[1] = "a b&c";
        record.fields[2] = "桜";
        record.fields[6] = "x y";
        const QByteArray body = outboundBody(DesignSnapshot{"sakura", -1, 1}, record);
        QCOMPARE(body, QByteArray("des=sakura&name=a+b%26c&c_mn=a b&c&c_bg=")
                           + common::toShiftJis("桜")
                           + "&c_ms=&c_mw=&c_bs=&fname=x+y&hide=-1&wan=1");
    }

    void designFile()
    {
        DesignRecord record;
        record.fields = {"夜桜", "1", "2", "", "4", "5", "night.vsr"};
        const QByteArray bytes = designFileBytes(record);
        QCOMPARE(bytes, common::toShiftJis("夜桜,1,2,,4,5,night.vsr") + "\r\n");
        QCOMPARE(bytes.count("\r\n"), 1);
        QCOMPARE(readDesignFile(bytes).fields, record.fields);
    }

    void readingDesignFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("empty") << QByteArray() << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("short") << QByteArray("a,b\r\n")
                               << QStringList{"a", "b", "", "", "", "", ""};
        QTest::newRow("blanks skipped")
            << QByteArray("  a,\t b,c") << QStringList{"a", "b", "c", "", "", "", ""};
        QTest::newRow("quoted") << QByteArray("\"x, y\",\"\",z")
                                << QStringList{"x, y", "", "z", "", "", "", ""};
        QTest::newRow("unclosed quote")
            << QByteArray("\"abc,d") << QStringList{"abc,d", "", "", "", "", "", ""};
        QTest::newRow("more than seven") << QByteArray("1,2,3,4,5,6,7,8,9\r\n")
                                         << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("bad bytes") << QByteArray("\x81,\xff\xfe,ok")
                                   << QStringList{"\uFFFD", "\uFFFD\uFFFD", "ok", "", "", "", ""};
    }
    void readingDesignFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        const DesignRecord record = readDesignFile(bytes);
        QStringList got;
        for (const QString &f : record.fields)
            got << f;
        QCOMPARE(got, fields);
    }

    void applying()
    {
        DesignRecord record;
        const AppliedForm form = applyDesign(multipart({{"name", "桜"},
                                                        {"c_mn", "1"},
                                                        {"skin", "sakura"},
                                                        {"Name", "case"},
                                                        {"c_mn", "2"},
                                                        {"wan", ""}}),
                                             record);
        QVERIFY(form.withinLimits());
        QVERIFY(form.designChanged);
        QCOMPARE(record.name(), QString("桜"));
        QCOMPARE(record.fields[1], QString("2")); // the later value wins
        QCOMPARE(form.settings, (QVector<QPair<QString, QString>>{
                                    {"skin", "sakura"}, {"Name", "case"}, {"wan", ""}}));
    }

    // A site may carry the design and its look, and keys the clock does not
    // know; never alarms, sounds, programs, the running total or the
    // program's own bookkeeping, in any spelling.
    void whatASiteMaySet_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("allowed");
        for (const char *key : {"skin", "wan", "tfmode", "scm", "mmode", "smode", "at", "ah",
                                "hide", "c_unknown", "theme2"})
            QTest::newRow(key) << QString(key) << true;
        for (const char *key : {"pgm",
                                "PGM",
                                "al",
                                "Al",
                                "zihou",
                                "vol",
                                "volg",
                                "nvol",
                                "nvolg",
                                "systime",
                                "SysTime",
                                "systimeboot",
                                "systimecounted",
                                "start",
                                "apath",
                                "monitor",
                                " pgm ",
                                "0",
                                "11",
                                "123",
                                "",
                                " "})
            QTest::newRow(qPrintable(QStringLiteral("refused '%1'").arg(key)))
                << QString(key) << false;
    }
    void whatASiteMaySet()
    {
        QFETCH(QString, key);
        QFETCH(bool, allowed);
        QCOMPARE(siteMaySet(key), allowed);
        DesignRecord record;
        const AppliedForm form = applyDesign(multipart({{key, "1"}, {"skin", "night"}}), record);
        QCOMPARE(form.settings.size(), allowed ? 2 : 1);
        QCOMPARE(form.settings.last(), (QPair<QString, QString>("skin", "night")));
    }

    // A form over a limit is refused whole: no setting, no design field.
    void formsOverTheLimitsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QList<QPair<QString, QString>> many;
        for (int i = 0; i < kMaxApplyFields; ++i)
            many.append({QStringLiteral("k%1").arg(i), "v"});
        QTest::newRow("all the fields there may be") << multipart(many);
        many.append(qMakePair(QStringLiteral("one"), QStringLiteral("more")));
        QTest::newRow("one field too many") << multipart(many);
        // Counted in the bytes the files hold: a setting in UTF-8 (3 bytes
        // for a kanji), a field of the design record in Shift-JIS (2).
        const QString longest(kMaxApplyText, 'x');
        const QString longestKanjiSetting(kMaxApplyText / 3, QChar(u'桜'));
        const QString longestKanjiField(kMaxApplyText / 2, QChar(u'桜'));
        QTest::newRow("longest value") << multipart({{"name", longest}, {"skin", longest}});
        QTest::newRow("longest in kanji")
            << multipart({{"name", longestKanjiField}, {"skin", longestKanjiSetting}});
        QTest::newRow("value too long") << multipart({{"skin", longest + "x"}});
        QTest::newRow("kanji value too long") << multipart({{"skin", longestKanjiSetting + "桜"}});
        QTest::newRow("kana value too long by bytes")
            << multipart({{"skin", QString(kMaxApplyText, QChar(u'あ'))}});
        QTest::newRow("design field too long") << multipart({{"name", longest + "x"}});
        QTest::newRow("kanji design field too long")
            << multipart({{"name", longestKanjiField + "桜"}});
        QTest::newRow("key too long") << multipart({{longest + "x", "1"}});
        QTest::newRow("kanji key too long") << multipart({{longestKanjiSetting + "桜", "1"}});
        // A textarea of many lines is one value, however long its first line.
        QStringList lines;
        for (int i = 0; i < 10; ++i)
            lines << QString(500, QLatin1Char('a' + i));
        QTest::newRow("many lines too long") << multipart({{"skin", lines.join("\r\n")}});
        QByteArray big = multipart({{"skin", "night"}});
        big += QByteArray(kMaxApplyBody - big.size() + 1, ' ');
        QTest::newRow("body too big") << big;
    }
    void formsOverTheLimitsChangeNothing()
    {
        QFETCH(QByteArray, body);
        const bool fits = !QByteArray(QTest::currentDataTag()).contains("too");
        DesignRecord record;
        record.name() = "before";
        const AppliedForm form = applyDesign(body, record);
        QCOMPARE(form.withinLimits(), fits);
        if (fits) {
            QVERIFY(!form.settings.isEmpty());
            return;
        }
        QVERIFY(form.settings.isEmpty());
        QVERIFY(!form.designChanged);
        QCOMPARE(record.name(), QString("before"));
    }

    // A value is its whole part, up to the next boundary, whatever the
    // part's headers.
    void valuesAreReadWhole()
    {
        DesignRecord record;
        const QByteArray body = common::toShiftJis(QStringLiteral(
            "-----b\r\nContent-Disposition: form-data; name=\"vsrskin\"\r\n\r\nnight-----b\r\n"
            "-----b\r\nContent-Disposition: form-data; name=\"vsrfname\"; filename=\"a.txt\"\r\n"
            "Content-Type: text/plain\r\n\r\n夜, \"x\".vsr\r\n-----b--\r\n"));
        const AppliedForm form = applyDesign(body, record);
        QCOMPARE(form.settings, (QVector<QPair<QString, QString>>{{"skin", "night-----b"}}));
        QCOMPARE(record.fields[6], QString("夜, \"x\".vsr"));
    }

    // The settings file and the design record keep a value on one line: a
    // value with a line break refuses the whole form, never stored cut.
    void lineBreaksRefuseTheForm_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("LF") << "skin"
                            << "line1\nline2";
        QTest::newRow("CR LF") << "skin"
                               << "line1\r\nline2";
        QTest::newRow("CR") << "skin"
                            << "line1\rline2";
        QTest::newRow("design field") << "name"
                                      << "夜\n桜";
    }
    void lineBreaksRefuseTheForm()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        DesignRecord record;
        record.name() = "before";
        const AppliedForm form =
            applyDesign(multipart({{"wan", "1"}, {key, value}, {"c_mn", "2"}}), record);
        QVERIFY(form.settings.isEmpty());
        QVERIFY(!form.designChanged);
        QCOMPARE(record.name(), QString("before"));
        QCOMPARE(record.fields[1], QString());
    }

    void brokenBodiesEnd()
    {
        DesignRecord record;
        auto nothing = [&](const QByteArray &body) {
            const AppliedForm form = applyDesign(body, record);
            return form.settings.isEmpty() && !form.designChanged;
        };
        const QByteArray head = "--b\r\nContent-Disposition: form-data; ";
        QVERIFY(nothing("no fields here"));
        QVERIFY(nothing("name=\"vsrname\"\r\n\r\nx\r\n--b--\r\n"));     // no boundary first
        QVERIFY(nothing(head + "name=\"vsrname"));                      // no closing quote
        QVERIFY(nothing(head + "name=\"vsrname\"\r\n\r\nvalue"));       // no boundary after it
        QVERIFY(nothing(head + "name=\"vsrname\"\r\n\r\nvalue\r\n--")); // a boundary cut short
        QVERIFY(nothing(head + "name=\"vsrname\""));                    // nothing after the quote
        const AppliedForm odd =
            applyDesign(head + "name=\"vsrskin\"\r\n\r\n\xff\xfe\x81\r\n--b--\r\n", record);
        QCOMPARE(odd.settings.size(), 1); // bytes that are no Shift-JIS: replaced, not fatal
        QVERIFY(odd.settings.first().second.contains(QChar(0xFFFD)));
        QVERIFY(record.name().isEmpty());

        // Markers without quotes, as many as fit, end at once.
        QByteArray flood = head;
        while (flood.size() + 9 <= kMaxApplyBody)
            flood += "name=\"vsr";
        QVERIFY(nothing(flood));
        // Boundaries without a part between them, as many as fit.
        QByteArray empty;
        while (empty.size() + 5 <= kMaxApplyBody)
            empty += "--b\r\n";
        QVERIFY(nothing(empty));
    }

    void filesAreNamedOnlyBySafeSkins()
    {
        QCOMPARE(designFilePath("/data", "blue"), QString("/data/blue.vsn"));
        QCOMPARE(designFilePath("/data", "桜"), QString("/data/桜.vsn"));
        // ":" begins Qt's resource paths, which would leave the folder.
        QCOMPARE(designFilePath("/data", ":x"), QString("/data/:x.vsn"));
        for (const char *bad : {"", "../evil", "a/b", "..", "a\\b"})
            QCOMPARE(designFilePath("/data", bad), QString());
    }

    // The bundled catalogue reads what the browser posts and offers forms
    // whose fields the scan takes back.
    void catalogueRoundTrip()
    {
        DesignRecord record;
        record.name() = "夜 桜&";
        const QMap<QString, QString> posted =
            parseUrlEncodedForm(outboundBody(DesignSnapshot{"night", 0, 1}, record));
        QCOMPARE(posted.value("des"), QString("night"));
        QCOMPARE(posted.value("name"), QString("夜 桜&"));
        QCOMPARE(posted.value("wan"), QString("1"));

        CataloguePage page{
            "night", "夜 桜&", {"blue", "\"><script>"}, "http://apply.invalid/", "/preview/"};
        const QString html = common::fromShiftJis(cataloguePage(page));
        QVERIFY(html.contains("charset=Shift_JIS"));
        // The design in use is named once: by the record's name when there is one.
        QVERIFY(html.contains("いまのデザイン：<b>夜 桜&amp;</b></p>"));
        page.currentName = "def";
        QVERIFY(
            common::fromShiftJis(cataloguePage(page)).contains("いまのデザイン：<b>night</b></p>"));
        QCOMPARE(html.count("action=\"http://apply.invalid/\""), 2);
        QVERIFY(html.contains("name=\"vsrskin\" value=\"blue\""));
        QVERIFY(html.contains("src=\"/preview/blue.png\""));
        QVERIFY(!html.contains("<script>"));
        QVERIFY(html.contains("&quot;&gt;&lt;script&gt;"));
    }

    void snapshot()
    {
        QTemporaryDir dir;
        common::SettingsStore store = common::SettingsStore::atPath(dir.filePath("kestrel.ini"));
        DesignSnapshot s = readSnapshot(store);
        QCOMPARE(s.skin, QString("blue"));
        QCOMPARE(s.hide, 0);
        store.saveSetting("pendra", "skin", "night");
        store.saveSetting("pendra", "hide", "1");
        store.saveSetting("pendra", "wan", "lots");
        s = readSnapshot(store);
        QCOMPARE(s.skin, QString("night"));
        QCOMPARE(s.hide, 1);
        QCOMPARE(s.dog, 0);
    }

    // A run of the browser: the record is looked up in the user's folder,
    // then the shipped one, and always written into the user's.
    void session()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user"), shipped = dir.filePath("shipped");
        QDir().mkpath(shipped);
        common::SettingsStore store = common::SettingsStore::atPath(dir.filePath("kestrel.ini"));
        store.saveSetting("pendra", "skin", "night");
        DesignSession run(store, user, {user, shipped});
        run.load();
        QCOMPARE(run.record().name(), QString("def"));
        QVERIFY(run.outboundBody().startsWith("des=night&name=def&"));

        QVERIFY(fakes::writeFile(shipped + "/night.vsn", "shipped,1\r\n"));
        run.load();
        QCOMPARE(run.record().name(), QString("shipped"));
        QVERIFY(fakes::writeFile(shipped + "/night.vsn", ""));
        run.load(); // an empty record is a record: all its fields empty
        QCOMPARE(run.record().name(), QString());

        // The new skin is stored, the record keeps the start-up skin's name.
        QVERIFY(run.apply(multipart({{"skin", "blue"}, {"name", "夜"}, {"c_mn", "7"}})));
        QCOMPARE(store.getSetting("pendra", "skin"), QString("blue"));
        QFile record(user + "/night.vsn");
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll(), common::toShiftJis("夜,7,,,,,\r\n"));
        QCOMPARE(run.snapshot().skin, QString("night"));
        QVERIFY(run.outboundBody().startsWith("des=night&name=%96%E9&c_mn=7&"));
    }

    void sessionReportsWhatItCouldNotStore()
    {
        QTemporaryDir dir;
        common::SettingsStore store = common::SettingsStore::atPath(dir.filePath("kestrel.ini"));
        store.saveSetting("pendra", "skin", "../../evil");
        DesignSession run(store, dir.filePath("user"), {dir.filePath("user")});
        run.load();
        QString failure;
        // A record that cannot be written: nothing of the apply is stored.
        QVERIFY(!run.apply(multipart({{"wan", "1"}, {"name", "x"}}), &failure));
        QVERIFY(failure.contains("デザイン情報を保存できませんでした"));
        QCOMPARE(store.value("pendra", "wan"), std::nullopt);
        QVERIFY(!QFileInfo::exists(dir.filePath("evil.vsn")));
        // Settings alone need no record.
        QVERIFY(run.apply(multipart({{"wan", "1"}, {"hide", "1"}}), &failure));
        QVERIFY(failure.isEmpty());

        // Over a limit: refused, said so, nothing stored.
        QVERIFY(!run.apply(multipart({{"wan", "2"}, {"skin", QString(kMaxApplyText + 1, 'x')}}),
                           &failure));
        QVERIFY(failure.contains("大きすぎる"));
        QCOMPARE(store.getSetting("pendra", "wan"), QString("1"));
        // A line break: refused, said so, nothing stored, not even the first line.
        QVERIFY(!run.apply(multipart({{"wan", "2"}, {"skin", "line1\nline2"}}), &failure));
        QVERIFY2(failure.contains("改行"), qPrintable(failure));
        QCOMPARE(store.getSetting("pendra", "wan"), QString("1"));
        QCOMPARE(store.getSetting("pendra", "skin"), QString("../../evil"));
    }

    // An apply is stored whole or not at all: when the settings cannot be
    // written (another program holds their lock past the wait), neither
    // the design record nor a design the form makes is written.
    void aFailedSettingsWriteStoresNothing()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user"), ini = dir.filePath("kestrel.ini");
        common::SettingsStore store = common::SettingsStore::atPath(ini);
        store.saveSetting("pendra", "skin", "blue");
        DesignSession run(store, user, {user});
        run.load();
        painter::Recipe recipe;
        QVERIFY(run.apply(multipart(
            {{"skin", "mine"}, {"c_mn", painter::recipeField(recipe)}, {"name", "old"}})));
        const QByteArray settings = fakes::readFile(ini);
        const QByteArray record = fakes::readFile(user + "/blue.vsn");
        const QByteArray picture = fakes::readFile(user + "/mine.vss");
        const QByteArray posted = run.outboundBody();

        fakes::HeldLock other(ini);
        QVERIFY(other.held());
        store.setLockWait(100);
        recipe.face = QColor("#ff0000");
        QString failure;
        QVERIFY(!run.apply(multipart({{"skin", "mine"},
                                      {"c_mn", painter::recipeField(recipe)},
                                      {"name", "new"},
                                      {"wan", "1"}}),
                           &failure));
        QVERIFY2(failure.contains("設定を保存できませんでした"), qPrintable(failure));
        QCOMPARE(fakes::readFile(ini), settings);
        QCOMPARE(fakes::readFile(user + "/blue.vsn"), record);
        QCOMPARE(fakes::readFile(user + "/mine.vss"), picture);
        QCOMPARE(run.outboundBody(), posted);
        // A design made new goes again.
        QVERIFY(!run.apply(multipart({{"skin", "other"}, {"c_mn", painter::recipeField(recipe)}})));
        QVERIFY(!QFileInfo::exists(user + "/other.vss"));
    }

    // The record takes its place last; when it cannot (here a folder took
    // its place while the settings were being written), the settings are
    // put back as they were.
    void aRecordThatCannotTakeItsPlaceTakesTheSettingsBack()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user"), ini = dir.filePath("kestrel.ini");
        common::SettingsStore store = common::SettingsStore::atPath(ini);
        store.saveSettings("pendra", {{"skin", "blue"}, {"hide", "0"}});
        DesignSession run(store, user, {user});
        run.load();
        const QByteArray settings = fakes::readFile(ini);

        auto other = std::make_unique<fakes::HeldLock>(ini);
        QVERIFY(other->held());
        std::thread meanwhile([&] {
            // Once the apply waits for the lock, its record is ready.
            QDeadlineTimer patience(60000);
            while (openedHere(ini + ".lock") < 2 && !patience.hasExpired())
                QThread::msleep(10);
            QDir().mkpath(user + "/blue.vsn/inside");
            other->release();
        });
        QString failure;
        const bool stored =
            run.apply(multipart({{"name", "x"}, {"hide", "1"}, {"wan", "1"}}), &failure);
        meanwhile.join();
        QVERIFY(!stored);
        QVERIFY2(failure.contains("デザイン情報を保存できませんでした"), qPrintable(failure));
        QCOMPARE(store.getSetting("pendra", "hide"), QString("0"));
        QCOMPARE(store.value("pendra", "wan"), std::nullopt);
        QCOMPARE(fakes::readFile(ini), settings);
    }

    // The design record is written only as a file of its own: a link at its
    // place (to a file a site must not write, think of a shell's start-up
    // file) or anything else that is no file is left alone, and said so.
    void designRecordNeverWritesThroughALink()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user");
        QDir().mkpath(user);
        QVERIFY(fakes::writeFile(dir.filePath("precious"), "mine\n"));
        QVERIFY(QFile::link(dir.filePath("precious"), user + "/blue.vsn"));
        QVERIFY(QDir().mkpath(user + "/night.vsn"));
        common::SettingsStore store = common::SettingsStore::atPath(dir.filePath("kestrel.ini"));
        for (const char *skin : {"blue", "night"}) {
            store.saveSetting("pendra", "skin", skin);
            DesignSession run(store, user, {user});
            run.load();
            QString failure;
            QVERIFY(!run.apply(multipart({{"name", "evil"}}), &failure));
            QVERIFY2(failure.contains("デザイン情報を保存できませんでした"), qPrintable(failure));
        }
        QFile precious(dir.filePath("precious"));
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("mine\n"));
        QVERIFY(QFileInfo(user + "/blue.vsn").isSymLink());
    }
};

QTEST_MAIN(TestExchange)
#include "test_exchange.moc"

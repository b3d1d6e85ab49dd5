// The exchange with the design site: the encoder, the posted body, the
// design file both ways, the scan of an applied form, and hostile input.
#include "common/shift_jis.h"
#include "designbrowser/catalogue.h"
#include "designbrowser/design_session.h"
#include "designbrowser/exchange.h"
#include "fakes/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

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

} // namespace

class TestExchange : public QObject {
    Q_OBJECT

    QList<QPair<QString, QString>> m_saved;
    std::function<void(const QString &, const QString &)> saver()
    {
        return [this](const QString &k, const QString &v) { m_saved.append({k, v}); };
    }

private slots:
    void init() { m_saved.clear(); }

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
        QCOMPARE(UrlEncode(text), encoded);
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
        const bool changed = ApplyDesign(multipart({{"name", "桜"},
                                                    {"c_mn", "1"},
                                                    {"skin", "sakura"},
                                                    {"Name", "case"},
                                                    {"c_mn", "2"},
                                                    {"wan", ""}}),
                                         record, saver());
        QVERIFY(changed);
        QCOMPARE(record.name(), QString("桜"));
        QCOMPARE(record.fields[1], QString("2")); // the later value wins
        QCOMPARE(m_saved, (QList<QPair<QString, QString>>{
                              {"skin", "sakura"}, {"Name", "case"}, {"wan", ""}}));
    }

    void aSiteCannotSetProgramsOrAlarms()
    {
        DesignRecord record;
        QVERIFY(!ApplyDesign(multipart({{"pgm", "/bin/sh -c evil"},
                                        {"PGM", "x"},
                                        {"0", "07:00:00"},
                                        {"11", ""},
                                        {"", "x"},
                                        {"skin", "night"}}),
                             record, saver()));
        QCOMPARE(m_saved, (QList<QPair<QString, QString>>{{"skin", "night"}}));
    }

    void brokenBodiesEnd()
    {
        DesignRecord record;
        QVERIFY(!ApplyDesign("no fields here", record, saver()));
        QVERIFY(!ApplyDesign("name=\"vsrname", record, saver())); // no closing quote
        QVERIFY(!ApplyDesign("name=\"vsrname\"\r\n\r\nvalue without its CR", record, saver()));
        QVERIFY(!ApplyDesign("name=\"vsrname\"", record, saver())); // nothing after the quote
        QVERIFY(
            !ApplyDesign(QByteArray("name=\"vsrskin\"\r\n\r\n\xff\xfe\x81\r\n"), record, saver()));
        QCOMPARE(m_saved.size(), 1); // the bytes that are no Shift-JIS: replaced, not fatal
        QVERIFY(m_saved.first().second.contains(QChar(0xFFFD)));
        QVERIFY(record.name().isEmpty());

        // Megabytes of markers without quotes end at once.
        QByteArray flood;
        for (int i = 0; i < 200000; ++i)
            flood += "name=\"vsr";
        QVERIFY(!ApplyDesign(flood, record, saver()));
        QByteArray many;
        for (int i = 0; i < 20000; ++i)
            many += "name=\"vsrk\"\r\n\r\nv\r\n";
        m_saved.clear();
        ApplyDesign(many, record, saver());
        QCOMPARE(m_saved.size(), 20000);
    }

    void filesAreNamedOnlyBySafeSkins()
    {
        QCOMPARE(designFilePath("/data", "blue"), QString("/data/blue.vsn"));
        QCOMPARE(designFilePath("/data", "桜"), QString("/data/桜.vsn"));
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
        QVERIFY(html.contains("いまのデザイン：<b>night</b>（夜 桜&amp;）"));
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
        store.SaveSetting("pendra", "skin", "night");
        store.SaveSetting("pendra", "hide", "1");
        store.SaveSetting("pendra", "wan", "lots");
        s = readSnapshot(store);
        QCOMPARE(s.skin, QString("night"));
        QCOMPARE(s.hide, 1);
        QCOMPARE(s.wan, 0);
    }

    // A run of the browser: the record is looked up in the user's folder,
    // then the shipped one, and always written into the user's.
    void session()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user"), shipped = dir.filePath("shipped");
        QDir().mkpath(shipped);
        common::SettingsStore store = common::SettingsStore::atPath(dir.filePath("kestrel.ini"));
        store.SaveSetting("pendra", "skin", "night");
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
        QCOMPARE(store.GetSetting("pendra", "skin"), QString("blue"));
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
        store.SaveSetting("pendra", "skin", "../../evil");
        DesignSession run(store, dir.filePath("user"), {dir.filePath("user")});
        run.load();
        QString failure;
        QVERIFY(!run.apply(multipart({{"wan", "1"}, {"name", "x"}}), &failure));
        QVERIFY(failure.contains("デザイン情報を保存できませんでした"));
        QCOMPARE(store.GetSetting("pendra", "wan"), QString("1"));
        QVERIFY(!QFileInfo::exists(dir.filePath("evil.vsn")));
        // Settings alone need no record.
        QVERIFY(run.apply(multipart({{"hide", "1"}}), &failure));
        QVERIFY(failure.isEmpty());
    }
};

QTEST_MAIN(TestExchange)
#include "test_exchange.moc"

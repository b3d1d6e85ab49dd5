// The settings store: absent against empty, names without case, odd values,
// damaged files and two programs writing at once.
#include "common/data_dir.h"
#include "common/ini_document.h"
#include "common/settings_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using common::SettingsStore;

class TestSettingsStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name = QStringLiteral("kestrel.ini")) const
    {
        return m_dir.filePath(name);
    }
    void writeFile(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private slots:
    // Data files: the user's own copy first, then the one beside the programs.
    void dataLookupPrefersTheUsersCopy()
    {
        QTemporaryDir user, shipped;
        qputenv("XDG_DATA_HOME", user.path().toUtf8());
        qputenv("VESPERA_DATA_DIR", shipped.path().toUtf8());
        QVERIFY(QDir().mkpath(user.filePath("vespera")));
        for (const QString &path : {user.filePath("vespera/a.wav"), shipped.filePath("a.wav"),
                                    shipped.filePath("b.wav")}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(common::dataFile("a.wav"), user.filePath("vespera/a.wav"));
        QCOMPARE(common::dataFile("b.wav"), shipped.filePath("b.wav"));
        QCOMPARE(common::dataFile("c.wav"), shipped.filePath("c.wav"));
        QCOMPARE(common::dataFolders(), QStringList({user.filePath("vespera"), shipped.path()}));
        qunsetenv("VESPERA_DATA_DIR");
    }

    void init() { QFile::remove(path()); }

    void absentGivesDefaultButEmptyIsKept()
    {
        SettingsStore s = SettingsStore::atPath(path());
        QCOMPARE(s.GetSetting("pendra", "nvolg", 200), QString("200"));
        QCOMPARE(s.GetSetting("pendra", "skin", "blue"), QString("blue"));
        QCOMPARE(s.GetSetting("pendra", "pgm"), QString());
        QVERIFY(!s.value("pendra", "pgm").has_value());

        QVERIFY(s.SaveSetting("pendra", "pgm", ""));
        QVERIFY(s.value("pendra", "pgm").has_value());
        QCOMPARE(s.GetSetting("pendra", "pgm", "fallback"), QString());
    }

    void namesCompareWithoutCase()
    {
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.SaveSetting("Pendra", "Systime", "1234"));
        QCOMPARE(s.GetSetting("pendra", "systime"), QString("1234"));
        QCOMPARE(s.GetSetting("PENDRA", "SYSTIME"), QString("1234"));

        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("[pendra]") && text.contains("systime=1234"), text.constData());
    }

    void deletingKeysAndSections()
    {
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(!s.DeleteSetting("pendra", "0")); // absent: a quiet failure
        s.SaveSetting("pendra", "0", "07:30:00");
        s.SaveSetting("Pendra", "Systime", "5");
        s.SaveSetting("other", "keep", "yes");
        QVERIFY(s.DeleteSetting("pendra", "0"));
        QVERIFY(!s.value("pendra", "0"));

        // The remover's delete of "pendra" takes the total of "Pendra" with it.
        QVERIFY(s.DeleteSection("pendra"));
        QVERIFY(!s.value("Pendra", "Systime"));
        QCOMPARE(s.GetSetting("other", "keep"), QString("yes"));
        QVERIFY(!s.DeleteSection("pendra"));
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "blue";
        QTest::newRow("program with args") << "/usr/bin/foo --bar \"x y\"";
        QTest::newRow("leading and trailing blanks") << "  spaced  ";
        QTest::newRow("newlines") << "line1\nline2\r\n[pendra]\nal=1";
        QTest::newRow("quotes and backslashes") << "\"C:\\path\\\"";
        QTest::newRow("japanese") << "デザイン 青";
        QTest::newRow("equals and semicolon") << "a=b;c#d";
        QTest::newRow("control chars") << QString::fromLatin1("a\x01"
                                                              "b\x7f");
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.SaveSetting("pendra", "v", value));
        s.SaveSetting("pendra", "after", "intact");
        QCOMPARE(s.GetSetting("pendra", "v"), value);
        QCOMPARE(s.GetSetting("pendra", "after"), QString("intact"));
    }

    void hostileKeysStayInTheirPlace()
    {
        // Keys come from design sites too; none may break the file's structure.
        SettingsStore s = SettingsStore::atPath(path());
        const QString key = QStringLiteral("x]\n[pendra]\nal=1\n%41=");
        QVERIFY(s.SaveSetting("pendra", key, "v"));
        QCOMPARE(s.GetSetting("pendra", key), QString("v"));
        QVERIFY(!s.value("pendra", "al"));
        QVERIFY(!s.value("pendra", "a"));
    }

    void damagedFileYieldsWhatCanBeRead()
    {
        static const char damaged[] = "garbage before any section\n"
                                      "[pendra]\r\n"
                                      "smode=3\r\n"
                                      "no equals sign here\n"
                                      "=orphan value\n"
                                      "\xff\xfe\x00binary\n"
                                      "tfmode = 1 \n"
                                      "[broken section\n"
                                      "al=1\n"
                                      "[pendra]\n"
                                      "skin=\"unterminated\n"
                                      "zihou=1\n";
        writeFile(path(), QByteArray(damaged, sizeof damaged - 1));
        SettingsStore s = SettingsStore::atPath(path());
        QCOMPARE(s.GetSetting("pendra", "smode"), QString("3"));
        QCOMPARE(s.GetSetting("pendra", "tfmode"), QString("1"));
        QCOMPARE(s.GetSetting("pendra", "zihou"), QString("1"));
        QVERIFY(!s.value("pendra", "al")); // filed under a broken header: not guessed
        QCOMPARE(s.GetSetting("pendra", "skin"), QString("\"unterminated"));

        // A write keeps every readable key.
        QVERIFY(s.SaveSetting("pendra", "wan", "1"));
        QCOMPARE(s.GetSetting("pendra", "smode"), QString("3"));
        QCOMPARE(s.GetSetting("pendra", "zihou"), QString("1"));
        QCOMPARE(s.GetSetting("pendra", "wan"), QString("1"));
    }

    void unreadableOrMissingFileGivesDefaults()
    {
        SettingsStore missing = SettingsStore::atPath(m_dir.filePath("no/such/dir/kestrel.ini"));
        QCOMPARE(missing.GetSetting("pendra", "smode", 0), QString("0"));
        QVERIFY(missing.SaveSetting("pendra", "smode", "2")); // creates the folders
        QCOMPARE(missing.GetSetting("pendra", "smode"), QString("2"));
    }

    void fileFollowsXdgConfigHome()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        SettingsStore s;
        QCOMPARE(s.filePath(), m_dir.filePath("kestrel.ini"));
        qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
        QCOMPARE(SettingsStore().filePath(), QDir::homePath() + "/.config/kestrel.ini");
        qunsetenv("XDG_CONFIG_HOME");
    }

    void writesLeaveNoTemporaryFiles()
    {
        SettingsStore s = SettingsStore::atPath(path());
        for (int i = 0; i < 5; ++i)
            s.SaveSetting("pendra", QString::number(i), "x");
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files, QStringList{"kestrel.ini"});
    }

    void twoWritersAtOnceLoseNothing()
    {
        const int count = 150;
        QProcess a, b;
        a.start(STORE_WRITER, {path(), "a", QString::number(count)});
        b.start(STORE_WRITER, {path(), "b", QString::number(count)});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        SettingsStore s = SettingsStore::atPath(path());
        for (int i = 0; i < count; ++i) {
            QCOMPARE(s.GetSetting("pendra", "a" + QString::number(i)), QString::number(i));
            QCOMPARE(s.GetSetting("pendra", "b" + QString::number(i)), QString::number(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"

// The settings store: absent against empty, names without case, odd values,
// damaged and hand-edited files, writes that fail, and programs writing at once.
#include "common/data_dir.h"
#include "common/ini_document.h"
#include "common/settings_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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
    static QByteArray readFile(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
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
        QCOMPARE(s.getSetting("pendra", "nvolg", 200), QString("200"));
        QCOMPARE(s.getSetting("pendra", "skin", "blue"), QString("blue"));
        QCOMPARE(s.getSetting("pendra", "pgm"), QString());
        QVERIFY(!s.value("pendra", "pgm").has_value());

        QVERIFY(s.saveSetting("pendra", "pgm", ""));
        QVERIFY(s.value("pendra", "pgm").has_value());
        QCOMPARE(s.getSetting("pendra", "pgm", "fallback"), QString());
    }

    void namesCompareWithoutCase()
    {
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.saveSetting("Pendra", "Systime", "1234"));
        QCOMPARE(s.getSetting("pendra", "systime"), QString("1234"));
        QCOMPARE(s.getSetting("PENDRA", "SYSTIME"), QString("1234"));

        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("[pendra]") && text.contains("systime=1234"), text.constData());
    }

    void deletingKeysAndSections()
    {
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(!s.deleteSetting("pendra", "0")); // absent: a quiet failure
        s.saveSetting("pendra", "0", "07:30:00");
        s.saveSetting("Pendra", "Systime", "5");
        s.saveSetting("other", "keep", "yes");
        QVERIFY(s.deleteSetting("pendra", "0"));
        QVERIFY(!s.value("pendra", "0"));

        // The remover's delete of "pendra" takes the total of "Pendra" with it.
        QVERIFY(s.deleteSection("pendra"));
        QVERIFY(!s.value("Pendra", "Systime"));
        QCOMPARE(s.getSetting("other", "keep"), QString("yes"));
        QVERIFY(!s.deleteSection("pendra"));
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
        QVERIFY(s.saveSetting("pendra", "v", value));
        s.saveSetting("pendra", "after", "intact");
        QCOMPARE(s.getSetting("pendra", "v"), value);
        QCOMPARE(s.getSetting("pendra", "after"), QString("intact"));
    }

    void hostileKeysStayInTheirPlace()
    {
        // Keys come from design sites too; none may break the file's
        // structure or read back as another key, values neither.
        SettingsStore s = SettingsStore::atPath(path());
        const QString key = QStringLiteral("x]\n[pendra]\nal=1\n%41=");
        QVERIFY(s.saveSetting("pendra", key, "v"));
        QCOMPARE(s.getSetting("pendra", key), QString("v"));
        QVERIFY(!s.value("pendra", "al"));
        QVERIFY(!s.value("pendra", "a"));
        const QString marked = QString(QChar(0xFEFF)) + "pgm";
        QVERIFY(s.saveSetting("pendra", marked, marked));
        QVERIFY(!s.value("pendra", "pgm"));
        QCOMPARE(s.getSetting("pendra", marked), marked);
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
        QCOMPARE(s.getSetting("pendra", "smode"), QString("3"));
        QCOMPARE(s.getSetting("pendra", "tfmode"), QString("1"));
        QCOMPARE(s.getSetting("pendra", "zihou"), QString("1"));
        QVERIFY(!s.value("pendra", "al")); // filed under a broken header: not guessed
        QCOMPARE(s.getSetting("pendra", "skin"), QString("\"unterminated"));

        // A write keeps every readable key, and every line it could not
        // read stays where it was: the new key goes into its own section,
        // not under the broken header.
        QVERIFY(s.saveSetting("pendra", "wan", "1"));
        QCOMPARE(s.getSetting("pendra", "smode"), QString("3"));
        QCOMPARE(s.getSetting("pendra", "zihou"), QString("1"));
        QCOMPARE(s.getSetting("pendra", "wan"), QString("1"));
        const QByteArray text = readFile(path());
        QVERIFY2(text.startsWith("garbage before any section\n\n[pendra]\nsmode=3\n"
                                 "no equals sign here\n=orphan value\n"),
                 text.constData());
        QVERIFY2(text.contains("\n[broken section\nal=1\n"), text.constData());
        QVERIFY(text.indexOf("wan=1") < text.indexOf("[broken section"));
        QVERIFY(text.contains("\xff\xfe"));
    }

    // Comments and lines a person added by hand survive every rewrite, and a
    // file written by an editor that begins with a byte-order mark loses
    // neither its first section nor anything else.
    void handEditsAndByteOrderMarkSurviveRewrites()
    {
        writeFile(path(), "\xEF\xBB\xBF; my clock\r\n[pendra]\r\n# alarms below\r\n"
                          "0=07:00 mo\r\nal=1\r\nmine=kept\r\n");
        SettingsStore s = SettingsStore::atPath(path());
        QCOMPARE(s.getSetting("pendra", "al"), QString("1"));
        QCOMPARE(s.getSetting("pendra", "0"), QString("07:00 mo"));
        QVERIFY(s.saveSetting("pendra", "zihou", "1"));
        QVERIFY(s.deleteSetting("pendra", "0"));
        QCOMPARE(readFile(path()), QByteArray("; my clock\n\n[pendra]\n# alarms below\n"
                                              "al=1\nmine=kept\nzihou=1\n"));
    }

    // A file that exists but cannot be read counts as empty for readers, but
    // is never overwritten: its keys would be lost.
    void unreadableFileIsNeverOverwritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("write-only file") << "write-only";
        QTest::newRow("folder at its place") << "folder";
        QTest::newRow("pipe at its place") << "pipe";
    }
    void unreadableFileIsNeverOverwritten()
    {
        QFETCH(QString, kind);
        const QString p = path("kind-" + kind + ".ini");
        if (kind == "write-only") {
            if (geteuid() == 0)
                QSKIP("root reads a write-only file");
            writeFile(p, "[pendra]\nal=1\n[other]\nx=1\n");
            QVERIFY(QFile::setPermissions(p, QFile::WriteOwner));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(p));
        } else {
            QCOMPARE(mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        }
        SettingsStore s = SettingsStore::atPath(p);
        QCOMPARE(s.getSetting("pendra", "al", "0"), QString("0"));
        QVERIFY(!s.saveSetting("pendra", "zihou", "1"));
        QVERIFY2(s.lastError().contains(p), qPrintable(s.lastError()));
        QVERIFY(!s.deleteSection("pendra"));
        QVERIFY(!s.lastError().isEmpty());
        if (kind == "write-only") {
            QVERIFY(QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(p), QByteArray("[pendra]\nal=1\n[other]\nx=1\n"));
        }
    }

    // A write that cannot be made changes nothing and says so.
    void failedWriteLeavesTheFileAndSaysWhy()
    {
        writeFile(path("blocker"), "not a folder");
        SettingsStore inFile = SettingsStore::atPath(path("blocker") + "/kestrel.ini");
        QVERIFY(!inFile.saveSetting("pendra", "al", "1"));
        QVERIFY(!inFile.lastError().isEmpty());

        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.saveSetting("pendra", "al", "1"));
        QVERIFY(s.lastError().isEmpty());
        QVERIFY(!s.deleteSetting("pendra", "absent")); // nothing to do is no failure
        QVERIFY(s.lastError().isEmpty());
    }

    // The file behind a symbolic link is replaced; the link and the file's
    // permissions stay.
    void linkAndPermissionsAreKept()
    {
        QVERIFY(QDir().mkpath(path("real")));
        writeFile(path("real/kestrel.ini"), "[pendra]\nal=1\n");
        QVERIFY(
            QFile::setPermissions(path("real/kestrel.ini"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(path("real/kestrel.ini"), path("linked.ini")));
        SettingsStore s = SettingsStore::atPath(path("linked.ini"));
        QVERIFY(s.saveSetting("pendra", "wan", "1"));
        QVERIFY(QFileInfo(path("linked.ini")).isSymLink());
        QCOMPARE(readFile(path("real/kestrel.ini")), QByteArray("[pendra]\nal=1\nwan=1\n"));
        QCOMPARE(QFile::permissions(path("real/kestrel.ini")),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    // Two links to one file lock beside that file, so their writes wait for
    // each other.
    void linksToOneFileShareItsLock()
    {
        QVERIFY(QDir().mkpath(path("shared")));
        writeFile(path("shared/kestrel.ini"), "[pendra]\nal=1\n");
        QVERIFY(QFile::link(path("shared/kestrel.ini"), path("one.ini")));
        QVERIFY(QFile::link(path("one.ini"), path("two.ini"))); // a chain of links
        QProcess holder;
        holder.start(STORE_WRITER, {path("one.ini"), "hold", "3000", "theirs"});
        QVERIFY(holder.waitForReadyRead(30000));
        SettingsStore two = SettingsStore::atPath(path("two.ini"));
        two.setLockWait(200);
        QVERIFY(!two.saveSetting("pendra", "ours", "1"));
        QVERIFY2(two.lastError().contains("held"), qPrintable(two.lastError()));
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(readFile(path("shared/kestrel.ini")), QByteArray("[pendra]\nal=1\ntheirs=held\n"));
        QVERIFY(QFile::exists(path("shared/kestrel.ini.lock")));
        QVERIFY(!QFile::exists(path("one.ini.lock")) && !QFile::exists(path("two.ini.lock")));
    }

    // A write that changes nothing leaves the file alone; a batch of writes
    // replaces it once, reads in the batch see its writes, and a change that
    // gives up leaves nothing of itself.
    void batchesWriteOnceAndUnchangedNever()
    {
        writeFile(path(), "[pendra]\nal=1\nskin=blue\n");
        const auto identity = [this] {
            struct stat st {};
            ::stat(QFile::encodeName(path()).constData(), &st);
            return QPair<qulonglong, qlonglong>(st.st_ino, st.st_mtim.tv_nsec + st.st_mtim.tv_sec);
        };
        const auto untouched = identity();
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.saveSetting("pendra", "al", "1"));
        QVERIFY(s.saveSettings("pendra", {{"skin", "blue"}, {"al", "1"}}));
        QCOMPARE(identity(), untouched);

        {
            SettingsStore::Batch batch(s);
            QVERIFY(s.saveSetting("pendra", "zihou", "1"));
            QVERIFY(s.deleteSetting("pendra", "al"));
            QVERIFY(!s.change([](common::IniDocument &doc) {
                doc.set("pendra", "half", "1");
                return false;
            }));
            QCOMPARE(s.getSetting("pendra", "zihou"), QString("1"));
            QCOMPARE(readFile(path()), QByteArray("[pendra]\nal=1\nskin=blue\n"));
            {
                SettingsStore::Batch inner(s); // joins the one under way
                QVERIFY(s.saveSetting("pendra", "skin", "night"));
                QVERIFY(inner.commit());
            }
            QCOMPARE(readFile(path()), QByteArray("[pendra]\nal=1\nskin=blue\n"));
            QVERIFY(batch.commit());
        }
        QCOMPARE(readFile(path()), QByteArray("[pendra]\nskin=night\nzihou=1\n"));
        {
            SettingsStore::Batch nothing(s);
            QVERIFY(s.saveSetting("pendra", "skin", "night"));
        }
        QCOMPARE(readFile(path()), QByteArray("[pendra]\nskin=night\nzihou=1\n"));

        // A batch that cannot take the lock fails every write in it, and
        // its commit, and the file stays as it was.
        QProcess holder;
        holder.start(STORE_WRITER, {path(), "hold", "3000", "theirs"});
        QVERIFY(holder.waitForReadyRead(30000));
        s.setLockWait(200);
        {
            SettingsStore::Batch batch(s);
            QVERIFY(!s.saveSetting("pendra", "skin", "blue"));
            QVERIFY(!s.saveSetting("pendra", "al", "0"));
            QVERIFY(!batch.commit());
            QVERIFY2(s.lastError().contains("held"), qPrintable(s.lastError()));
        }
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(readFile(path()), QByteArray("[pendra]\nskin=night\nzihou=1\ntheirs=held\n"));
    }

    void unreadableOrMissingFileGivesDefaults()
    {
        SettingsStore missing = SettingsStore::atPath(m_dir.filePath("no/such/dir/kestrel.ini"));
        QCOMPARE(missing.getSetting("pendra", "smode", 0), QString("0"));
        QVERIFY(missing.saveSetting("pendra", "smode", "2")); // creates the folders
        QCOMPARE(missing.getSetting("pendra", "smode"), QString("2"));
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
            s.saveSetting("pendra", QString::number(i), "x");
        // The lock file stays: the lock is on it, not in it.
        const QStringList ours = {"kestrel.ini*", ".kestrel.ini*"};
        const QStringList files = QDir(m_dir.path()).entryList(ours, QDir::Files | QDir::Hidden);
        QCOMPARE(files, QStringList({"kestrel.ini", "kestrel.ini.lock"}));

        // What a write cut short by a crash left is cleared by the next.
        writeFile(path(".kestrel.ini.k3x9q"), "[pendra]\nhalf");
        writeFile(path(".kestrel.ini.notes~"), "someone else's");
        QVERIFY(s.saveSetting("pendra", "x", "y"));
        QCOMPARE(QDir(m_dir.path()).entryList(ours, QDir::Files | QDir::Hidden),
                 QStringList({".kestrel.ini.notes~", "kestrel.ini", "kestrel.ini.lock"}));
    }

    // A write waits for another program's write and keeps its key; a lock
    // held past the wait fails the write and leaves the file alone. Whatever
    // is at the lock's place, a lock no process holds never delays a write.
    void lockIsWaitedForAndNeverWrittenPast()
    {
        writeFile(path(), "[pendra]\nal=1\n");
        QProcess holder;
        holder.start(STORE_WRITER, {path(), "hold", "1500", "theirs"});
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readAll(), QByteArray("locked\n"));
        SettingsStore s = SettingsStore::atPath(path());
        QVERIFY(s.saveSetting("pendra", "ours", "1"));
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(holder.exitCode(), 0);
        QCOMPARE(s.getSetting("pendra", "theirs"), QString("held"));
        QCOMPARE(s.getSetting("pendra", "ours"), QString("1"));

        holder.start(STORE_WRITER, {path(), "hold", "3000", "late"});
        QVERIFY(holder.waitForReadyRead(30000));
        s.setLockWait(200);
        QVERIFY(!s.saveSetting("pendra", "ours", "2"));
        QVERIFY2(s.lastError().contains("held"), qPrintable(s.lastError()));
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(s.getSetting("pendra", "late"), QString("held"));
        QCOMPARE(s.getSetting("pendra", "ours"), QString("1"));

        // No process holds these: a short wait is enough.
        for (const QByteArray &lock :
             {QByteArray(), QByteArray("garbage\x01\n"), QByteArray("99999999\nvespera\nhost\n")}) {
            writeFile(path("kestrel.ini.lock"), lock);
            QVERIFY(s.saveSetting("pendra", "ours", QString::number(lock.size())));
        }
        QVERIFY(QFile::remove(path("kestrel.ini.lock")));
        QVERIFY(QDir().mkpath(path("kestrel.ini.lock")));
        QVERIFY(s.saveSetting("pendra", "ours", "folder"));
        QCOMPARE(s.getSetting("pendra", "ours"), QString("folder"));
        QVERIFY(QDir(path("kestrel.ini.lock")).removeRecursively());
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
            QCOMPARE(s.getSetting("pendra", "a" + QString::number(i)), QString::number(i));
            QCOMPARE(s.getSetting("pendra", "b" + QString::number(i)), QString::number(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"

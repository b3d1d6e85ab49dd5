// The popup menu: its tree and captions, the marks of the preset hours, the preset hour,
// and the commands and check marks behind the entries.
#include "core/preset_hours.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "fakes/find_child.h"
#include "platform/autostart.h"

#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

using fakes::child;
using namespace vespera;

namespace {

// The tree as text: one line per entry, two blanks per level, "-" for a separator.
void describe(const QMenu *menu, int depth, QStringList &lines)
{
    for (const QAction *a : menu->actions()) {
        if (!a->isVisible())
            continue;
        lines << QString(depth * 2, QLatin1Char(' ')) + (a->isSeparator() ? "-" : a->text());
        if (a->menu())
            describe(a->menu(), depth + 1, lines);
    }
}

QList<int> markedHours(const ClockWindow &clock)
{
    const QList<QAction *> presetHours = fakes::children<QAction>(clock, "presetHours");
    QList<int> hours;
    for (int h = 0; h < kHours; ++h)
        if (presetHours[h]->isChecked())
            hours << h;
    return hours;
}

} // namespace

class TestClockMenu : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

    void at(int h, int m) { m_clock.time.setTime(QTime(h, m)); }
    void openMenu(ClockWindow &clock)
    {
        probe(clock).face().onMouseDown(Qt::RightButton, {});
        QVERIFY(child<QMenu>(clock, "root")->isVisible());
        child<QMenu>(clock, "root")->hide();
    }

private slots:
    void init() { reset(); }

    void treeAndCaptions()
    {
        auto clock = start();
        QStringList lines;
        describe(child<QMenu>(*clock, "root"), 0, lines);
        QStringList expected{"表示",   "  標準", "  システム駆動時間",   "  積算駆動時間", "  -",
                             "  隠す", "設定",   "  プリセットアラーム", "    ●　現在",    "    -"};
        for (int h = 0; h < kHours; ++h)
            expected << "    " + presetHourCaption(h);
        expected << "    -"
                 << "    ●　現在"
                 << "  積算カウンターリセット"
                 << "  積算禁止"
                 << "  表示するモニター"
                 << "常に手前"
                 << "自動的に隠す"
                 << "終了";
        QCOMPARE(lines, expected);
        QCOMPARE(child<QMenu>(*clock, "root")->title(), QString("メニュー"));
    }

    void hourCaptionMarkedWhenOpened_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0:30") << QTime(0, 30) << QString("深夜　午前　０時");
        QTest::newRow("7:00") << QTime(7, 0) << QString("朝　　 午前　７時");
        QTest::newRow("12:05") << QTime(12, 5) << QString("真昼　午前１２時");
        QTest::newRow("14:59") << QTime(14, 59) << QString("昼　　 午後　２時");
        QTest::newRow("23:59") << QTime(23, 59) << QString("夜　　 午後１１時");
    }
    void hourCaptionMarkedWhenOpened()
    {
        QFETCH(QTime, time);
        QFETCH(QString, caption);
        auto clock = start();
        m_clock.time.setTime(time);
        openMenu(*clock);
        const QList<int> marked = markedHours(*clock);
        QCOMPARE(marked.size(), 1);
        QCOMPARE(fakes::children<QAction>(*clock, "presetHours")[marked.first()]->text(), caption);
    }

    void marksAccumulateDuringARun()
    {
        auto clock = start();
        at(9, 0);
        openMenu(*clock);
        at(10, 0);
        probe(*clock).face().onAlarmButton(); // the preset hours alone mark too
        child<QMenu>(*clock, "presetMenu")->hide();
        QCOMPARE(markedHours(*clock), (QList<int>{9, 10}));
        // Choosing an hour does not mark it.
        fakes::children<QAction>(*clock, "presetHours")[15]->trigger();
        openMenu(*clock);
        QCOMPARE(markedHours(*clock), (QList<int>{9, 10}));
    }

    void presetHourGoesToPAH()
    {
        auto clock = start();
        QSignalSpy preset(clock.get(), &ClockWindow::presetAlarmRequested);
        at(7, 45);
        child<QAction>(*clock, "presetNow")->trigger();
        QCOMPARE(probe(*clock).preset().presetHour(), std::optional<int>(7));
        at(23, 5);
        child<QAction>(*clock, "presetNowBelow")->trigger();
        QCOMPARE(probe(*clock).preset().presetHour(), std::optional<int>(23));
        fakes::children<QAction>(*clock, "presetHours")[0]->trigger();
        QCOMPARE(probe(*clock).preset().presetHour(), std::optional<int>(0));
        fakes::children<QAction>(*clock, "presetHours")[15]->trigger();
        QCOMPARE(probe(*clock).preset().presetHour(), std::optional<int>(15));
        QCOMPARE(preset.count(), 4);
    }

    void checkMarksFollowTheState()
    {
        set("at", "0");
        set("hide", "1");
        auto clock = start();
        openMenu(*clock);
        auto entry = [&clock](const char *name) { return child<QAction>(*clock, name); };
        QVERIFY(!entry("alwaysOnTop")->isChecked());
        QVERIFY(entry("hideMode")->isChecked() && entry("autoTuck")->isChecked()
                && !entry("dontCount")->isChecked());

        entry("alwaysOnTop")->trigger();
        entry("autoTuck")->trigger();
        entry("hideMode")->trigger();
        entry("dontCount")->trigger();
        QVERIFY(clock->flags().alwaysOnTop && !clock->flags().autoTuck && !clock->flags().hideMode
                && probe(*clock).dontCount());
        openMenu(*clock);
        QVERIFY(entry("alwaysOnTop")->isChecked() && !entry("autoTuck")->isChecked());
        QVERIFY(!entry("hideMode")->isChecked() && entry("dontCount")->isChecked());

        entry("quit")->trigger();
        QVERIFY(probe(*clock).isUnloaded());
        QCOMPARE(stored("at"), QString("1"));
        QCOMPARE(stored("ah"), QString("0"));
        QCOMPARE(stored("hide"), QString("0"));
    }

    // A switch or a view chosen in the menu is stored at once, as a session
    // that ends without closing the clock needs; the other entries store
    // nothing of their own.
    void entriesStoreTheirSwitches_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key"); // empty: nothing is written
        QTest::addColumn<QString>("value");
        QTest::newRow("hide") << "hideMode"
                              << "hide"
                              << "1";
        QTest::newRow("always on top") << "alwaysOnTop"
                                       << "at"
                                       << "0";
        QTest::newRow("auto tuck") << "autoTuck"
                                   << "ah"
                                   << "0";
        QTest::newRow("uptime") << "uptimeView"
                                << "mmode"
                                << "1";
        QTest::newRow("total") << "totalView"
                               << "mmode"
                               << "2";
        QTest::newRow("standard") << "standardView"
                                  << "mmode"
                                  << "0";
        QTest::newRow("don't count") << "dontCount"
                                     << ""
                                     << "";
        QTest::newRow("reset total") << "resetTotal"
                                     << ""
                                     << "";
    }
    void entriesStoreTheirSwitches()
    {
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QFETCH(QString, value);
        auto clock = start();
        const int writes = m_store->writeCount();
        child<QAction>(*clock, entry.toLatin1().constData())->trigger();
        QCOMPARE(m_store->writeCount() - writes, key.isEmpty() ? 0 : 1);
        if (!key.isEmpty())
            QCOMPARE(stored(key), value);
    }

    void viewEntriesSwitchTheFace()
    {
        auto clock = start();
        child<QAction>(*clock, "uptimeView")->trigger();
        QCOMPARE(probe(*clock).view(), View::Uptime);
        child<QAction>(*clock, "totalView")->trigger();
        QCOMPARE(probe(*clock).view(), View::Total);
        child<QAction>(*clock, "standardView")->trigger();
        QCOMPARE(probe(*clock).view(), View::Standard);
        set("systime", "50");
        child<QAction>(*clock, "resetTotal")->trigger();
        QCOMPARE(probe(*clock).storedTotal(), QString("0"));
    }

    // The monitors are listed when the menu opens; a pick moves the clock to
    // that monitor's corner at once and is stored; a stored monitor that is
    // missing leaves the clock on the primary one, and it goes back to its
    // own when that comes again.
    void monitorChoice()
    {
        m_desktop.others["HDMI-2"] = platform::WorkArea{1280, 30, 2304, 798};
        set("smode", "2");
        auto clock = start();
        QCOMPARE(clock->pos(), QPoint(1280 - 438, 3));
        openMenu(*clock);
        QMenu *monitors = child<QMenu>(*clock, "monitorMenu");
        QStringList captions;
        for (const QAction *a : monitors->actions())
            captions << a->text() + (a->isChecked() ? "*" : "");
        QCOMPARE(captions,
                 (QStringList{"プライマリモニター*", "FAKE-1（1280×800）", "HDMI-2（1024×768）"}));

        monitors->actions().at(2)->trigger();
        QCOMPARE(clock->pos(), QPoint(2304 - 438, 30 + 3));
        QCOMPARE(stored("monitor"), QString("HDMI-2"));
        probe(*clock).face().onMouseMove({}); // still tucks at the new place
        QCOMPARE(clock->pos(), QPoint(2304 - 12, 30 + 3));

        m_desktop.others.clear(); // unplugged
        clock->workAreaChanged();
        QCOMPARE(clock->pos(), QPoint(1280 - 438, 3));
        QCOMPARE(stored("monitor"), QString("HDMI-2"));
        openMenu(*clock);
        QVERIFY(monitors->actions().at(0)->isChecked());

        m_desktop.others["HDMI-2"] = platform::WorkArea{1280, 0, 2304, 768};
        clock->workAreaChanged();
        QCOMPARE(clock->pos(), QPoint(2304 - 438, 3));
        clock.reset();
        auto again = start(); // and starts there
        QCOMPARE(again->pos(), QPoint(2304 - 438, 3));
        openMenu(*again);
        child<QMenu>(*again, "monitorMenu")->actions().at(0)->trigger();
        QCOMPARE(stored("monitor"), QString());
        QCOMPARE(again->pos(), QPoint(1280 - 438, 3));
    }

    // "ログイン時に起動" shows whether the session will start the clock, read
    // from the entry itself at each popup, and adds or removes that entry.
    void startAtLogin()
    {
        qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
        const QString entry = m_config->filePath("autostart/vespera.desktop");
        platform::XdgAutostart autostart("/opt/my clock/vespera");
        ClockWindow clock(
            *m_store,
            ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, nullptr, &autostart},
            CommandLine());
        QVERIFY(clock.load());
        QAction *item = child<QAction>(clock, "startAtLogin");
        QVERIFY(item->isVisible());
        QCOMPARE(child<QMenu>(clock, "settingsMenu")->actions().last(), item);
        QCOMPARE(item->text(), QString("ログイン時に起動"));

        openMenu(clock);
        QVERIFY(!item->isChecked());
        item->trigger();
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        file.close();
        // A path with a blank is quoted, as the desktop entry format asks.
        QVERIFY2(text.contains("\nExec=\"/opt/my clock/vespera\" a\n"), text.constData());
        // Inside the quotes '$' and a backslash are escaped, and the escaping
        // backslashes once more as the string type asks; a line break stays
        // on the entry's line.
        QVERIFY(platform::XdgAutostart::entryFor("/opt/a$b\\c\nd/vespera")
                    .contains("\nExec=\"/opt/a\\\\$b\\\\\\\\c\\nd/vespera\" a\n"));
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty())
            QCOMPARE(QProcess::execute(validator, {entry}), 0);
        openMenu(clock);
        QVERIFY(item->isChecked());

        // A desktop's session settings switch an entry off with Hidden=true.
        QVERIFY(file.open(QIODevice::Append));
        file.write("Hidden=true\n");
        file.close();
        openMenu(clock);
        QVERIFY(!item->isChecked());
        item->trigger(); // on again: our own entry replaces it
        openMenu(clock);
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(!QFile::exists(entry));
        openMenu(clock);
        QVERIFY(!item->isChecked());
        qunsetenv("XDG_CONFIG_HOME");
    }

    // A failure to write the entry is said, and the mark stays off.
    void startAtLoginFailureIsReported()
    {
        qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
        QFile blocker(m_config->filePath("autostart")); // a file where the folder belongs
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        platform::XdgAutostart autostart("/usr/bin/vespera");
        ClockWindow clock(
            *m_store,
            ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, nullptr, &autostart},
            CommandLine());
        QVERIFY(clock.load());
        QSignalSpy failures(&clock, &ClockWindow::failureReported);
        child<QAction>(clock, "startAtLogin")->trigger();
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.at(0).at(0).toString().startsWith(
            "ログイン時に起動するように設定できませんでした。"));
        openMenu(clock);
        QVERIFY(!child<QAction>(clock, "startAtLogin")->isChecked());
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_MAIN(TestClockMenu)
#include "test_clock_menu.moc"

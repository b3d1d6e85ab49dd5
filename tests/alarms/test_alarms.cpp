// The alarm engine and its storage, the chime, and the alarm notice, on fake
// time, a fake sound device and a settings file of their own.
#include "alarms/alarm_notice.h"
#include "app/other_windows.h"
#include "core/alarm_engine.h"
#include "core/alarm_list.h"
#include "design/glyph_atlas.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "fakes/test_files.h"
#include "platform/qt_sound.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <ctime>

using namespace vespera;

class TestAlarms : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

    fakes::FakeSound m_sound;

    std::unique_ptr<ClockWindow> startWith(const QString &commandLine = QString())
    {
        auto clock = std::make_unique<ClockWindow>(
            *m_store, ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound},
            parseCommandLine(QProcess::splitCommand(commandLine)));
        clock->load();
        return clock;
    }
    void tickAt(ClockWindow &clock, const QTime &t)
    {
        m_clock.time.setTime(t);
        probe(clock).onTick();
    }
    QStringList storedKeys(int upTo)
    {
        QStringList keys;
        for (int i = 0; i <= upTo; ++i)
            keys << stored(QString::number(i));
        return keys;
    }

private slots:
    void init()
    {
        reset();
        m_sound = fakes::FakeSound();
    }

    void entryTimes_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("minute"); // empty: never fires
        QTest::newRow("daily") << "07:30:00"
                               << "7:30";
        QTest::newRow("one-shot") << "21:05:00*"
                                  << "21:05";
        QTest::newRow("midnight") << "00:00:00"
                                  << "0:00";
        QTest::newRow("seconds carried") << "23:59:41"
                                         << "23:59";
        QTest::newRow("one-digit hour") << "7:30:00"
                                        << "";
        QTest::newRow("hour 24") << "24:00:00"
                                 << "";
        QTest::newRow("minute 60") << "07:60:00"
                                   << "";
        QTest::newRow("words") << "ab:cd:ef"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void entryTimes()
    {
        QFETCH(QString, entry);
        QFETCH(QString, minute);
        const QTime t = Alarm::fromStored(entry).time();
        QCOMPARE(t.isValid() ? hmText(t) : QString(), minute);
    }

    void bothEntriesOfAMinuteFireAndTheOneShotGoes()
    {
        set("0", "07:30:00");
        set("1", "07:30:00*");
        set("2", "08:00:00");
        set("al", "1");
        auto clock = startWith();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 30, 10));
        QCOMPARE(notices.count(), 2);
        QCOMPARE(storedTexts(probe(*clock).alarms()), (QStringList{"07:30:00", "08:00:00"}));
        QCOMPARE(storedKeys(3), (QStringList{"07:30:00", "08:00:00", "", "<absent>"}));
    }

    // Entries edited by hand into another form ring by their first eight
    // characters, and the clock's own rewrite of the list keeps them as written.
    void handEditedEntriesAreKeptAsWritten()
    {
        set("0", "ab:cd:ef");
        set("1", "07:30:00 wake");
        set("2", "07:30:00*");
        set("3", "7:30:00");
        set("al", "1");
        auto clock = startWith();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 30, 10));
        QCOMPARE(notices.count(), 2);
        QCOMPARE(storedKeys(4),
                 (QStringList{"ab:cd:ef", "07:30:00 wake", "7:30:00", "", "<absent>"}));
    }

    void theLatchRestsTheListForTheMinute()
    {
        set("0", "07:30:00");
        set("1", "07:31:00");
        set("al", "1");
        auto clock = startWith();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 30, 0));
        tickAt(*clock, QTime(7, 30, 59));
        QCOMPARE(notices.count(), 1);
        tickAt(*clock, QTime(7, 31, 0)); // the latch falls; the list rests
        QCOMPARE(notices.count(), 1);
        tickAt(*clock, QTime(7, 31, 1));
        QCOMPARE(notices.count(), 2);
    }

    void latchAcrossMidnight()
    {
        AlarmEngine engine;
        AlarmList list = alarmsFromStored({"23:59:00", "00:00:00"});
        int fired = 0;
        auto check = [&](int h, int m, int s) {
            const QDate day = h == 23 ? QDate(2026, 12, 6) : QDate(2026, 12, 7);
            const QDateTime now(day, QTime(h, m, s));
            engine.checkAlarms(
                list, now, [] {}, [&](const AlarmRing &) { ++fired; });
        };
        check(23, 59, 0);
        check(23, 59, 59);
        QCOMPARE(fired, 1);
        check(0, 0, 0); // falls, rests
        QCOMPARE(fired, 1);
        // A midnight alarm fires once in its minute, not every other second.
        for (int s = 1; s < 60; ++s)
            check(0, 0, s);
        QCOMPARE(fired, 2);
    }

    // Minutes no tick saw ring late, once each, with their own time, up to
    // half an hour late; a one-shot one goes as when on time.
    void minutesNoTickSawRingLate_data()
    {
        QTest::addColumn<QTime>("wakeAt");
        QTest::addColumn<QStringList>("rings");
        QTest::addColumn<QStringList>("left");
        const QStringList all{"06:50:00", "07:30:00", "07:40:00*", "07:45:00", "09:00:00"};
        QTest::newRow("a suspend of 50 minutes")
            << QTime(7, 50, 10) << QStringList{"7:30 late", "7:40 late", "7:45 late"}
            << QStringList{"06:50:00", "07:30:00", "07:45:00", "09:00:00"};
        QTest::newRow("past the limit for one")
            << QTime(8, 5, 0) << QStringList{"7:40 late", "7:45 late"}
            << QStringList{"06:50:00", "07:30:00", "07:45:00", "09:00:00"};
        QTest::newRow("past the limit for all") << QTime(8, 16, 0) << QStringList{} << all;
        QTest::newRow("onto an alarm's minute")
            << QTime(7, 45, 30) << QStringList{"7:30 late", "7:40 late", "7:45"}
            << QStringList{"06:50:00", "07:30:00", "07:45:00", "09:00:00"};
    }
    void minutesNoTickSawRingLate()
    {
        QFETCH(QTime, wakeAt);
        QFETCH(QStringList, rings);
        QFETCH(QStringList, left);
        AlarmEngine engine;
        AlarmList list =
            alarmsFromStored({"06:50:00", "07:30:00", "07:40:00*", "07:45:00", "09:00:00"});
        QStringList rang;
        int stored = 0;
        auto tick = [&](const QTime &t) {
            engine.checkAlarms(
                list, QDateTime(QDate(2026, 12, 7), t), [&] { ++stored; },
                [&](const AlarmRing &r) { rang << hmText(r.time) + (r.late ? " late" : ""); });
        };
        tick(QTime(7, 0, 0));
        tick(wakeAt);
        QCOMPARE(rang, rings);
        QCOMPARE(storedTexts(list), left);
        QCOMPARE(stored, left.size() < 5 ? 1 : 0);
        for (int s = 1; s < 3; ++s) // the following ticks ring nothing again
            tick(wakeAt.addSecs(s));
        QCOMPARE(rang, rings);
    }

    // The clock set back over a minute that rang does not ring it again
    // that day; the next day it rings as usual.
    void settingTheClockBackDoesNotRingAgain()
    {
        AlarmEngine engine;
        AlarmList list = alarmsFromStored({"07:30:00"});
        int rang = 0;
        auto tick = [&](const QDateTime &t) {
            engine.checkAlarms(
                list, t, [] {}, [&](const AlarmRing &) { ++rang; });
        };
        const QDate today(2026, 12, 7);
        tick(QDateTime(today, QTime(7, 30, 0)));
        tick(QDateTime(today, QTime(7, 35, 0)));
        tick(QDateTime(today, QTime(7, 29, 55))); // set back
        for (int s = 56; s < 60; ++s)
            tick(QDateTime(today, QTime(7, 29, s)));
        for (int s = 0; s < 60; ++s)
            tick(QDateTime(today, QTime(7, 30, s)));
        QCOMPARE(rang, 1);
        tick(QDateTime(today.addDays(1), QTime(7, 29, 59)));
        tick(QDateTime(today.addDays(1), QTime(7, 30, 0)));
        QCOMPARE(rang, 2);
    }

    // With the zone's daylight-saving changes: an alarm in the skipped hour
    // rings just after it (late), one in the repeated hour rings once.
    void daylightSavingChanges()
    {
        if (!QFile::exists("/usr/share/zoneinfo/Europe/Berlin"))
            QSKIP("no zone data for Europe/Berlin");
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        AlarmEngine engine;
        AlarmList list = alarmsFromStored({"02:00:00", "02:30:00", "03:00:00", "03:01:00"});
        QStringList rang;
        auto run = [&](QDateTime t, int seconds) {
            for (int i = 0; i < seconds; ++i, t = t.addSecs(1))
                engine.checkAlarms(
                    list, t, [] {},
                    [&](const AlarmRing &r) { rang << hmText(r.time) + (r.late ? " late" : ""); });
        };
        // 29 March 2026: 2:00 is 3:00.
        run(QDateTime(QDate(2026, 3, 29), QTime(1, 58, 0)), 4 * 60);
        QCOMPARE(rang, (QStringList{"2:00 late", "2:30 late", "3:00", "3:01"}));
        // 25 October 2026: 3:00 is 2:00 again; every second of both 2:30s.
        rang.clear();
        run(QDateTime(QDate(2026, 10, 25), QTime(1, 59, 0)), 2 * 3600 + 3 * 60);
        QCOMPARE(rang, (QStringList{"2:00", "2:30", "3:00", "3:01"}));
        qputenv("TZ", oldZone);
        tzset();
    }

    // The notice of an alarm that rings late shows the alarm's time and says
    // it is late; "スヌーズ" (or S) rings it again five minutes on, also
    // after the options dialog has reloaded the list, and stores nothing.
    void lateNoticeAndSnooze()
    {
        set("0", "07:30:00");
        set("al", "1");
        auto clock = startWith();
        OtherWindows windows(*clock, *m_store,
                             ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound});
        tickAt(*clock, QTime(7, 0, 0));
        m_clock.advance(20 * 60 + 5); // asleep until 7:20, then the clock set on to 7:41
        m_clock.time.setTime(QTime(7, 41, 5));
        probe(*clock).onTick();
        QVERIFY(windows.notice());
        QCOMPARE(windows.notice()->findChild<QLabel *>("timeLabel")->text(), QString("AM 07:30"));
        QVERIFY(!windows.notice()->findChild<QLabel *>("lateLabel")->isHidden());
        QCOMPARE(windows.notice()->findChild<QLabel *>("lateLabel")->text(),
                 QString("（遅れて通知）"));

        QTest::keyClick(windows.notice(), Qt::Key_S);
        QTRY_VERIFY(!windows.notice());
        probe(*clock).options().reloadAlarmList(); // as the options dialog does when it closes
        QCOMPARE(storedTexts(probe(*clock).alarms()), QStringList{"07:30:00"});
        QCOMPARE(storedKeys(1), (QStringList{"07:30:00", "<absent>"})); // nothing new stored
        tickAt(*clock, QTime(7, 46, 4));
        QVERIFY(!windows.notice());
        tickAt(*clock, QTime(7, 46, 5));
        QVERIFY(windows.notice());
        QVERIFY(windows.notice()->findChild<QLabel *>("lateLabel")->isHidden());
        windows.notice()->findChild<QPushButton *>("snoozeButton")->click();
        QTRY_VERIFY(!windows.notice());
        tickAt(*clock, QTime(7, 51, 5));
        QVERIFY(windows.notice());
        windows.notice()->findChild<QPushButton *>("okButton")->click(); // OK ends it for good
        tickAt(*clock, QTime(7, 56, 5));
        QTRY_VERIFY(!windows.notice());
    }

    // A notice that rang while the computer slept starts its series again
    // once, instead of a burst of the sounds it missed.
    void noticeAfterASuspendStartsOver()
    {
        VolumeOverrides volumes(&m_sound);
        AlarmNotice notice(volumes, *m_store, &m_clock, false);
        m_clock.advance(4);
        notice.onRepeat();
        m_clock.advance(4);
        notice.onRepeat();
        QCOMPARE(notice.playCount(), 2);
        m_clock.advance(3600); // asleep
        notice.onRepeat();
        QCOMPARE(notice.playCount(), 1);
        QCOMPARE(m_sound.played.size(), size_t(4));
        for (int i = 0; i < 4; ++i) {
            m_clock.advance(4);
            notice.onRepeat();
        }
        QVERIFY(!notice.repeatTimer().isActive());
        QCOMPARE(m_sound.played.size(), size_t(8));
    }

    void alarmsOffFireNothing()
    {
        set("0", "07:30:00");
        auto clock = startWith();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 30, 0));
        QCOMPARE(notices.count(), 0);
    }

    // What passed while alarms were off stays unrung: switched on again at
    // 7:45, the clock does not take 7:30 for a minute it missed.
    void alarmsSwitchedOnAgainDoNotRingWhatPassed()
    {
        set("0", "07:30:00");
        set("1", "07:46:00");
        set("al", "1");
        auto clock = startWith();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 0, 0));
        probe(*clock).face().onAlarmMark(); // off
        tickAt(*clock, QTime(7, 30, 0));
        tickAt(*clock, QTime(7, 45, 0));
        probe(*clock).face().onAlarmMark(); // on again
        tickAt(*clock, QTime(7, 45, 1));
        QCOMPARE(notices.count(), 0);
        tickAt(*clock, QTime(7, 46, 0)); // what comes after rings on time
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.at(0).at(0).toTime(), QTime(7, 46));
        QCOMPARE(notices.at(0).at(1).toBool(), false);
    }

    void whatAnAlarmStarts_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("pgm");
        QTest::addColumn<QString>("started"); // empty: the notice
        QTest::newRow("notice") << ""
                                << ""
                                << "";
        QTest::newRow("program of the options") << ""
                                                << "/usr/bin/wake"
                                                << "/usr/bin/wake";
        QTest::newRow("command line first") << "AL 0645 /bin/radio --loud"
                                            << "/usr/bin/wake"
                                            << "/bin/radio --loud";
        QTest::newRow("alarm without program") << "AL 0645"
                                               << ""
                                               << "";
        QTest::newRow("not an alarm") << "--verbose-mode"
                                      << ""
                                      << "";
    }
    void whatAnAlarmStarts()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, pgm);
        QFETCH(QString, started);
        set("0", "07:30:00");
        set("al", "1");
        if (!pgm.isEmpty())
            set("pgm", pgm);
        auto clock = startWith(commandLine);
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        tickAt(*clock, QTime(7, 30, 0)); // not the command line's 6:45: every alarm counts
        QCOMPARE(m_programs.commands, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(notices.count(), started.isEmpty() ? 1 : 0);
    }

    void commandLineAlarmIsNotStored()
    {
        auto clock = startWith("AL 0645 /bin/radio");
        QVERIFY(clock->flags().alarmOn);
        QCOMPARE(storedTexts(probe(*clock).alarms()), QStringList{"06:45:00"});
        QCOMPARE(stored("0"), QString("<absent>"));
        probe(*clock).face().onOptionButton(); // the options reload the stored list
        QVERIFY(probe(*clock).alarms().isEmpty());
    }

    void listStorage()
    {
        set("0", "07:00:00");
        set("1", "");
        set("2", "09:00:00");
        AlarmList list = ClockSettings(*m_store).alarms();
        QCOMPARE(storedTexts(list), QStringList{"07:00:00"});

        // Left-overs of a longer list do not come back.
        for (int i = 0; i < 15; ++i)
            set(QString::number(i), QString("10:%1:00").arg(i, 2, 10, QChar('0')));
        QVERIFY(ClockSettings(*m_store).saveAlarms(alarmsFromStored({"06:00:00", "06:30:00*"})));
        QCOMPARE(storedKeys(3), (QStringList{"06:00:00", "06:30:00*", "", "<absent>"}));
        QCOMPARE(stored("14"), QString("<absent>"));

        // Never a key past "11".
        AlarmList thirteen;
        for (int i = 0; i < 13; ++i)
            thirteen << Alarm::fromStored(QString("11:%1:00").arg(i, 2, 10, QChar('0')));
        QVERIFY(ClockSettings(*m_store).saveAlarms(thirteen));
        QCOMPARE(stored("11"), QString("11:11:00"));
        QCOMPARE(stored("12"), QString("<absent>"));
    }

    // A hand-edited file with thousands of reservations: the clock reads the
    // twelve the store keeps, and the alarm that rings stores the list in one
    // rewrite that drops the rest.
    void thousandsOfHandEditedReservations()
    {
        QByteArray file = "[pendra]\nal=1\n0=07:30:00*\n";
        for (int i = 1; i <= 12000; ++i)
            file += QByteArray::number(i) + "=08:00:00\n";
        QVERIFY(fakes::writeFile(m_store->filePath(), file));
        auto clock = startWith();
        QCOMPARE(probe(*clock).alarms().size(), kMaxStoredAlarms);
        const int writes = m_store->writeCount();
        tickAt(*clock, QTime(7, 30, 10));
        QCOMPARE(m_store->writeCount() - writes, 1);
        QCOMPARE(probe(*clock).alarms().size(), kMaxStoredAlarms - 1);
        const QStringList eleven(11, QStringLiteral("08:00:00"));
        QCOMPARE(storedKeys(12), eleven + QStringList({"", "<absent>"}));
        QCOMPARE(stored("12000"), QString("<absent>"));
    }

    void volumes_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<quint32>("volume");
        QTest::newRow("200") << 200 << 0xC8C8C8C8u;
        QTest::newRow("128") << 128 << 0x80808080u;
        QTest::newRow("15") << 15 << 0x0F0F0F0Fu;
        QTest::newRow("0") << 0 << 0u;
        QTest::newRow("255") << 255 << 0xFFFFFFFFu;
        QTest::newRow("too high") << 300 << 0xFFFFFFFFu;
        QTest::newRow("negative") << -5 << 0u;
    }
    void volumes()
    {
        QFETCH(int, level);
        QFETCH(quint32, volume);
        QCOMPARE(waveVolumeFromLevel(level), volume);
    }

    // Sounds play at the mean of the two channels of the wave-out volume.
    void volumeAsPlayed()
    {
        QCOMPARE(platform::QtSound::linearVolume(platform::kFullWaveVolume), 1.0);
        QCOMPARE(platform::QtSound::linearVolume(0), 0.0);
        QCOMPARE(platform::QtSound::linearVolume(0x0000FFFF), 0.5); // left only
        QVERIFY(qAbs(platform::QtSound::linearVolume(waveVolumeFromLevel(128)) - 128 / 255.0)
                < 1e-3);
    }

    void chimeOnlyAtTheHalfHour()
    {
        set("zihou", "1");
        auto clock = startWith();
        for (const QTime t : {QTime(12, 29, 59), QTime(12, 30, 1), QTime(12, 15, 0)})
            tickAt(*clock, t);
        QVERIFY(m_sound.played.empty());
        tickAt(*clock, QTime(12, 30, 0));
        tickAt(*clock, QTime(13, 0, 0));
        QCOMPARE(m_sound.files(), (QStringList{"zihou.wav", "zihou.wav"}));
        QCOMPARE(m_sound.volume, platform::kFullWaveVolume);
    }

    // The chime's own volume holds for 5.5 s while the clock goes on ticking.
    void chimeWithItsOwnVolume()
    {
        set("nvol", "1");
        set("nvolg", "15");
        auto clock = startWith();
        m_sound.volume = 0x12345678;
        probe(*clock).options().playChime();
        QCOMPARE(m_sound.volume, 0x0F0F0F0Fu);
        QVERIFY(m_sound.played.empty());  // half a second first
        tickAt(*clock, QTime(12, 30, 1)); // the tick is not held up
        QTRY_COMPARE_WITH_TIMEOUT(m_sound.files(), QStringList{"zihou.wav"}, 5000);
        QCOMPARE(m_sound.played.front().volume, 0x0F0F0F0Fu);
        QTRY_COMPARE_WITH_TIMEOUT(m_sound.volume, 0x12345678u, 15000);
    }

    void noticeTimeTexts_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("use24Hour");
        QTest::addColumn<QString>("text");
        QTest::newRow("24-hour") << QTime(19, 30) << true << "19:30";
        QTest::newRow("evening") << QTime(19, 30) << false << "PM 07:30";
        QTest::newRow("after midnight") << QTime(0, 5) << false << "AM 12:05";
        QTest::newRow("noon") << QTime(12, 0) << false << "PM 12:00";
        QTest::newRow("morning 24") << QTime(7, 5) << true << "07:05";
    }
    void noticeTimeTexts()
    {
        QFETCH(QTime, time);
        QFETCH(bool, use24Hour);
        QFETCH(QString, text);
        QCOMPARE(noticeTimeText(time, use24Hour), text);
    }

    // A sound that cannot be heard (no audio device) is said on the notice,
    // in one line under its buttons, and goes once sounds are heard again.
    void noticeSaysWhenTheAlarmCannotBeHeard()
    {
        m_clock.time.setTime(QTime(19, 30, 4));
        VolumeOverrides volumes(&m_sound);
        m_sound.silenceReason = "no audio device";
        AlarmNotice notice(volumes, *m_store, &m_clock, false);
        notice.show();
        QTRY_VERIFY_WITH_TIMEOUT(notice.findChild<QLabel *>("silenceLabel")->isVisible(), 10000);
        QVERIFY(notice.findChild<QLabel *>("silenceLabel")->text().contains("no audio device"));
        QVERIFY(notice.findChild<QLabel *>("silenceLabel")->geometry().top()
                > notice.findChild<QPushButton *>("okButton")->geometry().bottom());
        QVERIFY(notice.rect().contains(notice.findChild<QLabel *>("silenceLabel")->geometry()));
        m_sound.silenceReason.clear();
        notice.onRepeat();
        QTRY_VERIFY_WITH_TIMEOUT(!notice.findChild<QLabel *>("silenceLabel")->isVisible(), 10000);
        QCOMPARE(notice.height(), 91);
    }

    void noticeRepeatsSixTimesThenCloses()
    {
        m_clock.time.setTime(QTime(19, 30, 4));
        VolumeOverrides volumes(&m_sound);
        AlarmNotice notice(volumes, *m_store, &m_clock, false);
        QCOMPARE(notice.windowTitle(), QString("アラーム"));
        QCOMPARE(notice.findChild<QLabel *>("timeLabel")->text(), QString("PM 07:30"));
        QCOMPARE(m_sound.files(), QStringList{"al.wav"});
        QCOMPARE(notice.repeatTimer().interval(), 4000);
        QVERIFY(notice.repeatTimer().isActive());
        for (int i = 0; i < 5; ++i)
            notice.onRepeat();
        QVERIFY(!notice.repeatTimer().isActive());
        QCOMPARE(m_sound.played.size(), size_t(6));
        notice.findChild<QPushButton *>("okButton")->click();
        QCOMPARE(m_sound.files().last(), QString("b.wav"));
        QCOMPARE(m_sound.volume, platform::kFullWaveVolume);
        notice.close(); // closing twice plays nothing more
        QCOMPARE(m_sound.played.size(), size_t(7));
    }

    void noticeWithItsOwnVolume()
    {
        set("vol", "1");
        set("volg", "128");
        m_sound.volume = 0x11111111;
        VolumeOverrides volumes(&m_sound);
        {
            AlarmNotice notice(volumes, *m_store, &m_clock, true);
            QCOMPARE(m_sound.volume, 0x80808080u);
            QTRY_COMPARE_WITH_TIMEOUT(m_sound.files(), QStringList{"al.wav"}, 5000);
            notice.onRepeat();
            notice.reject(); // Escape or the close box
        }
        QCOMPARE(m_sound.files(), (QStringList{"al.wav", "al.wav", "b.wav"}));
        for (const auto &p : m_sound.played)
            QCOMPARE(p.volume, 0x80808080u);
        QCOMPARE(m_sound.volume, 0x11111111u);
    }

    // Sounds with volumes of their own overlap; each gives back its ticket,
    // and once none is held the user's own volume is back, in any order.
    void volumeOverridesInterleave()
    {
        fakes::FakeSound sound;
        sound.volume = 0x12345678;
        VolumeOverrides v(&sound);
        const int chime = v.begin(0x0F0F0F0F);
        const int notice = v.begin(0x80808080);
        QCOMPARE(v.userVolume(), 0x12345678u);
        v.end(chime); // the chime's 5.5 s end while the notice rings
        QCOMPARE(sound.volume, 0x80808080u);
        v.end(notice);
        QCOMPARE(sound.volume, 0x12345678u);

        const int test = v.begin(0x40404040);
        const int alarm = v.begin(0x80808080);
        v.end(alarm);
        QCOMPARE(sound.volume, 0x40404040u);
        v.end(alarm); // twice: nothing
        QCOMPARE(sound.volume, 0x40404040u);
        v.end(test);
        QCOMPARE(sound.volume, 0x12345678u);
        v.end(12345);
        QCOMPARE(sound.volume, 0x12345678u);
        QCOMPARE(v.userVolume(), 0x12345678u);
    }

    // An alarm at hh:00 with its own volume while the chime holds its own:
    // the chime ends first, the notice is closed later, and every sound
    // after plays at the user's volume again.
    void chimeAndNoticeVolumesCross()
    {
        set("nvol", "1");
        set("nvolg", "15");
        set("vol", "1");
        set("volg", "128");
        auto clock = startWith();
        m_sound.volume = 0x12345678;
        probe(*clock).options().playChime();
        {
            AlarmNotice notice(clock->volumes(), *m_store, &m_clock, true);
            QCOMPARE(m_sound.volume, 0x80808080u);
            QTRY_COMPARE_WITH_TIMEOUT(m_sound.files().count("zihou.wav"), 1, 5000);
            // The chime gives its volume back while the notice still rings:
            // its own, the notice's, and the notice's again.
            QTRY_VERIFY_WITH_TIMEOUT(m_sound.volumeChanges >= 3, 15000);
            QCOMPARE(m_sound.volume, 0x80808080u);
            notice.accept();
        }
        QCOMPARE(m_sound.volume, 0x12345678u);
    }

    void aSecondAlarmReopensTheNotice()
    {
        set("0", "07:30:00");
        set("1", "07:30:00*");
        set("al", "1");
        auto clock = startWith();
        OtherWindows windows(*clock, *m_store,
                             ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound});
        tickAt(*clock, QTime(7, 30, 0));
        QCOMPARE(m_sound.files(), (QStringList{"al.wav", "b.wav", "al.wav"}));
        QVERIFY(windows.notice() && windows.notice()->isVisible());
        QCOMPARE(windows.notice()->playCount(), 0);
        windows.notice()->accept();
        QTRY_VERIFY(!windows.notice());
    }
};

QTEST_MAIN(TestAlarms)
#include "test_alarms.moc"

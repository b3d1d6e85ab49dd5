// The clock window with fake seams: what start-up reads, what closing stores,
// the saved total across runs, designs that are missing or broken, what is
// painted, and the tick.
#include "app/clock_window.h"
#include "core/command_line.h"
#include "design/glyph_atlas.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "fakes/find_child.h"
#include "platform/glyph_surface.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

using fakes::child;
using namespace vespera;
using fakes::encode;
using fakes::testDesign;

namespace {

// Stands for the display server: applies each copy to an image of the screen,
// and notes a copy that leaves the area it was announced for (the X server
// would clip it away).
class CanvasSurface : public platform::GlyphSurface {
public:
    QImage picture, screen;
    int copies = 0;
    QRect area;
    bool strayed = false;
    bool ready() const override { return !picture.isNull(); }
    void setPicture(const QImage &p) override { picture = p.convertToFormat(QImage::Format_RGB32); }
    void copiesWithin(const QRect &a) override { area = a; }
    void copy(const QRect &source, const QPoint &target) override
    {
        strayed = strayed || !area.contains(QRect(target, source.size()));
        screen.setDevicePixelRatio(1); // the display server counts its own pixels
        QPainter(&screen).drawImage(target, picture, source);
        ++copies;
    }
    void flush() override { area = QRect(); }
};

} // namespace

class TestClockWindow : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

private slots:
    void init() { reset(); }

    void emptyStoreStartsWithDefaults()
    {
        auto clock = start();
        QCOMPARE(probe(*clock).options().corner(), Corner::TopLeft);
        QVERIFY(!clock->flags().use24Hour && !clock->flags().chimeOn && !clock->flags().dog
                && !clock->flags().alarmOn);
        QVERIFY(!clock->flags().nthWeekday && !clock->flags().hideMode);
        QVERIFY(clock->flags().alwaysOnTop && clock->flags().autoTuck);
        QCOMPARE(probe(*clock).view(), View::Standard);
        QCOMPARE(probe(*clock).storedTotal(), QString());
        QCOMPARE(probe(*clock).frameOffset(), -25);
        QCOMPARE(probe(*clock).placedPosition(), QPoint(-3, 3));
        QVERIFY(probe(*clock).skinPath().endsWith("/blue.vss"));
        QCOMPARE(stored("apath"), m_data->path());
    }

    void startupReadsFlags_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("on");
        QTest::newRow("tfmode 0") << "tfmode"
                                  << "0"
                                  << "Use24Hour" << false;
        QTest::newRow("tfmode empty") << "tfmode"
                                      << ""
                                      << "Use24Hour" << false;
        QTest::newRow("tfmode 1") << "tfmode"
                                  << "1"
                                  << "Use24Hour" << true;
        QTest::newRow("tfmode word") << "tfmode"
                                     << "yes"
                                     << "Use24Hour" << true;
        QTest::newRow("at 0") << "at"
                              << "0"
                              << "alwaysOnTop" << false;
        QTest::newRow("at 1") << "at"
                              << "1"
                              << "alwaysOnTop" << true;
        QTest::newRow("at word") << "at"
                                 << "no"
                                 << "alwaysOnTop" << true;
        QTest::newRow("ah 0") << "ah"
                              << "0"
                              << "autoTuck" << false;
        QTest::newRow("ah empty") << "ah"
                                  << ""
                                  << "autoTuck" << true;
        QTest::newRow("zihou 1") << "zihou"
                                 << "1"
                                 << "ChimeOn" << true;
        QTest::newRow("zihou 2") << "zihou"
                                 << "2"
                                 << "ChimeOn" << false;
        QTest::newRow("wan 1") << "wan"
                               << "1"
                               << "DogOn" << true;
        QTest::newRow("al 1") << "al"
                              << "1"
                              << "AlarmOn" << true;
        QTest::newRow("scm 1") << "scm"
                               << "1"
                               << "NthWeekday" << true;
        QTest::newRow("hide 1") << "hide"
                                << "1"
                                << "hideMode" << true;
        QTest::newRow("hide on") << "hide"
                                 << "on"
                                 << "hideMode" << false;
    }
    void startupReadsFlags()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, flag);
        QFETCH(bool, on);
        set(key, value);
        auto clock = start();
        const QMap<QString, bool> flags{{"Use24Hour", clock->flags().use24Hour},
                                        {"alwaysOnTop", clock->flags().alwaysOnTop},
                                        {"autoTuck", clock->flags().autoTuck},
                                        {"ChimeOn", clock->flags().chimeOn},
                                        {"DogOn", clock->flags().dog},
                                        {"AlarmOn", clock->flags().alarmOn},
                                        {"NthWeekday", clock->flags().nthWeekday},
                                        {"hideMode", clock->flags().hideMode}};
        QCOMPARE(flags.value(flag), on);
    }

    void cornerAndViewFromTheStore()
    {
        set("smode", "3");
        set("mmode", "2");
        auto clock = start();
        QCOMPARE(probe(*clock).placedPosition(), QPoint(842, 748));
        QVERIFY(probe(*clock).skinPath().endsWith("/blue.vsr"));
        QCOMPARE(probe(*clock).view(), View::Total);
        QVERIFY(!probe(*clock).control(Ctl::AmPm).visible);
        QVERIFY(probe(*clock).control(Ctl::CounterCoverDate).visible);
        QCOMPARE(probe(*clock).control(Ctl::CounterCoverLeft).geometry.topLeft(), QPoint(111, 11));
        QCOMPARE(probe(*clock).counterTitle(), QString("積算駆動時間"));
    }

    void handEditedNonsenseGetsSafeDefaults()
    {
        set("smode", "left");
        set("mmode", "9");
        set("Systime", "lots");
        auto clock = start();
        QCOMPARE(probe(*clock).options().corner(), Corner::TopLeft);
        // A view the clock lacks would leave the face blank.
        QCOMPARE(probe(*clock).view(), View::Standard);
        m_clock.uptime = 5 * 60000;
        clock->unload();
        QCOMPARE(stored("systime"), QString("5"));
    }

    void closingStoresFlagsAndTotal()
    {
        set("Systime", "100");
        auto clock = start();
        ClockFlags flags = clock->flags();
        flags.alarmOn = flags.dog = flags.use24Hour = true;
        flags.alwaysOnTop = false;
        probe(*clock).options().applyOptionFlags(flags);
        // Changed behind the clock's back: closing must write its own flags again.
        for (const char *key : {"al", "wan", "tfmode", "at"})
            set(key, "x");
        probe(*clock).onUptimeView();
        m_clock.uptime = 30 * 60000 + 59999;
        QSignalSpy unloaded(clock.get(), &ClockWindow::unloaded);
        probe(*clock).onQuit();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(stored("al"), QString("1"));
        QCOMPARE(stored("zihou"), QString("0"));
        QCOMPARE(stored("hide"), QString("0"));
        QCOMPARE(stored("wan"), QString("1"));
        QCOMPARE(stored("at"), QString("0"));
        QCOMPARE(stored("ah"), QString("1"));
        QCOMPARE(stored("scm"), QString("0"));
        QCOMPARE(stored("mmode"), QString("1"));
        QCOMPARE(stored("tfmode"), QString("1"));
        QCOMPARE(m_store->getSetting("Pendra", "Systime"), QString("130"));

        clock->unload(); // a second close (a signal after the menu) stores nothing more
        QCOMPARE(unloaded.count(), 1);
    }

    void totalCountsEachBootOnce()
    {
        set("Systime", "100");
        m_clock.uptime = 30 * 60000;
        start()->unload();
        QCOMPARE(stored("systime"), QString("130"));

        // The design browser restarts the clock within the same boot.
        m_clock.uptime = 45 * 60000;
        auto second = start();
        probe(*second).onTotalView();
        m_clock.advance(1);
        probe(*second).onTick();
        QCOMPARE(probe(*second).shownMinutes(), QString("145"));
        second->unload();
        QCOMPARE(stored("systime"), QString("145"));

        m_clock.boot = "boot-2";
        m_clock.uptime = 10 * 60000;
        start()->unload();
        QCOMPARE(stored("systime"), QString("155"));
    }

    void closeWithoutTotalKeepsIt()
    {
        set("Systime", "100");
        m_clock.uptime = 30 * 60000;
        auto clock = start();
        probe(*clock).onResetTotal();
        probe(*clock).face().onCloseButton();
        QVERIFY(probe(*clock).isUnloaded());
        QCOMPARE(stored("systime"), QString("100"));
        QCOMPARE(stored("al"), QString("0")); // the flags are still stored

        // The skipped minutes stay skipped in the next run of this boot.
        m_clock.uptime = 40 * 60000;
        start()->unload();
        QCOMPARE(stored("systime"), QString("110"));
    }

    void noSumAndReset()
    {
        set("Systime", "100");
        m_clock.uptime = 30 * 60000;
        auto clock = start();
        probe(*clock).onDontCountToggled();
        clock->unload();
        QCOMPARE(stored("systime"), QString("100"));

        m_clock.uptime = 50 * 60000;
        auto again = start();
        probe(*again).onResetTotal();
        again->unload();
        // A reset forgets what was counted: exit saves the whole running time.
        QCOMPARE(stored("systime"), QString("50"));
    }

    // A total at the counters' end stops there; one beyond what the clock
    // can have written counts as 0, like any other nonsense.
    void totalStopsAtTheCountersEnd_data()
    {
        QTest::addColumn<QString>("storedTotal");
        QTest::addColumn<QString>("expected");
        const QString max = QString::number(vespera::kMaxTotalMinutes);
        QTest::newRow("just below the end")
            << QString::number(vespera::kMaxTotalMinutes - 10) << max;
        QTest::newRow("at the end") << max << max;
        QTest::newRow("past the end") << QString::number(vespera::kMaxTotalMinutes + 1) << "30";
        QTest::newRow("near the largest number") << "9223372036854775800"
                                                 << "30";
        QTest::newRow("beyond any number") << "99999999999999999999999"
                                           << "30";
    }
    void totalStopsAtTheCountersEnd()
    {
        QFETCH(QString, storedTotal);
        QFETCH(QString, expected);
        set("Systime", storedTotal);
        m_clock.uptime = 30 * 60000;
        auto clock = start();
        probe(*clock).onTotalView();
        m_clock.advance(1);
        probe(*clock).onTick();
        QCOMPARE(probe(*clock).shownMinutes(), expected);
        clock->unload();
        QCOMPARE(stored("systime"), expected);
    }

    // While it runs the clock stores its total every ten minutes, and a
    // switch from the menu at once, so a crash and a reboot lose little.
    void runningClockStoresAsItGoes()
    {
        set("Systime", "100");
        m_clock.uptime = 30 * 60000;
        auto clock = start();
        m_clock.advance(9 * 60);
        probe(*clock).onTick();
        QCOMPARE(stored("systime"), QString("100"));
        m_clock.advance(60);
        probe(*clock).onTick();
        QCOMPARE(stored("systime"), QString("140"));
        QCOMPARE(stored("al"), QString("0"));

        probe(*clock).face().onAlarmMark(); // a switch is stored with the next one from the menu
        child<QAction>(*clock, "autoTuck")->trigger();
        QCOMPARE(stored("ah"), QString("0"));
        QCOMPARE(stored("al"), QString("1"));
        QCOMPARE(stored("systime"), QString("140")); // the total waits for its time

        // With "no sum" on, the minutes since are not added, as at closing.
        probe(*clock).onDontCountToggled();
        m_clock.advance(10 * 60);
        probe(*clock).onTick();
        QCOMPARE(stored("systime"), QString("140"));
        probe(*clock).onDontCountToggled();
        m_clock.advance(10 * 60);
        probe(*clock).onTick();
        QCOMPARE(stored("systime"), QString("160"));

        // A crash now (the window goes without closing), then a reboot: the
        // next run goes on from what was stored.
        clock.reset();
        m_clock.boot = "boot-2";
        m_clock.uptime = 60000;
        start()->unload();
        QCOMPARE(stored("systime"), QString("161"));
    }

    void savingBeforeLogoutDoesNotCountTwice()
    {
        set("Systime", "100");
        m_clock.uptime = 30 * 60000;
        auto clock = start();
        clock->saveSettingsNow();
        QCOMPARE(stored("systime"), QString("130"));
        m_clock.uptime = 31 * 60000;
        clock->unload();
        QCOMPARE(stored("systime"), QString("131"));
    }

    void designFallsBackToBlue_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<QByteArray>("vss");
        QTest::addColumn<bool>("withVsr");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only .vss") << "green" << QByteArray("PNG") << false << "blue.vss";
        QTest::newRow("broken picture") << "green" << QByteArray("garbage") << true << "blue.vss";
        QTest::newRow("bitmap named .vss") << "green" << QByteArray("BMP") << true << "green.vss";
        QTest::newRow("name reaching outside")
            << "../green" << QByteArray("PNG") << true << "blue.vss";
        QTest::newRow("empty name") << "" << QByteArray("PNG") << true << "blue.vss";
    }
    void designFallsBackToBlue()
    {
        QFETCH(QString, skin);
        QFETCH(QByteArray, vss);
        QFETCH(bool, withVsr);
        QFETCH(QString, expected);
        const QString base = m_data->filePath("green");
        if (vss == "garbage") {
            QFile f(base + ".vss");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\x89PNG\r\n\x1a\nthis is not really a picture");
        } else {
            QVERIFY(testDesign(false).save(base + ".vss", vss.constData()));
        }
        if (withVsr)
            QVERIFY(testDesign(true).save(base + ".vsr", "PNG"));
        set("skin", skin);
        auto clock = start();
        QVERIFY(probe(*clock).skinPath().endsWith("/" + expected));
        QCOMPARE(stored("skin"), skin); // the fallback is never stored
    }

    void missingBlueStopsTheStart()
    {
        QFile::remove(m_data->filePath("blue.vss"));
        QVERIFY(!start(false)->load());
        QFile f(m_data->filePath("blue.vss"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        f.close();
        QVERIFY(!start(false)->load());
    }

    void faceShowsGlyphsFromTheDesign()
    {
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(9, 38, 20));
        auto clock = start();
        const QImage shot = clock->grab().toImage();
        auto copied = [&](Ctl c, QRect glyph) {
            const QPoint at = probe(*clock).control(c).geometry.topLeft() + QPoint(3, 5);
            const QPoint from = glyph.topLeft() + QPoint(3, 5);
            return shot.pixel(at) == encode(from.x(), from.y(), false);
        };
        QVERIFY(copied(Ctl::HourOnes, atlas::largeDigit(9)));
        QVERIFY(copied(Ctl::MinuteTens, atlas::largeDigit(3)));
        QVERIFY(copied(Ctl::MinuteOnes, atlas::largeDigit(8)));
        QVERIFY(copied(Ctl::AmPm, atlas::amMark()));
        QVERIFY(copied(Ctl::SecondsGauge, atlas::secondsStep(1)));
        QVERIFY(copied(Ctl::Weekday, atlas::weekday(0)));
        QVERIFY(copied(Ctl::MonthOnes, atlas::smallDigit(2)));
        QVERIFY(copied(Ctl::AlarmMark, atlas::alarmOff()));
        // A hidden tens digit lets the background show through.
        const QPoint tens = probe(*clock).control(Ctl::HourTens).geometry.topLeft() + QPoint(3, 5);
        QCOMPARE(shot.pixel(tens), encode(tens.x(), tens.y(), false));
    }

    void twentyFourHourMarkIsComposed()
    {
        set("tfmode", "1");
        auto clock = start();
        const QImage shot = clock->grab().toImage();
        const QPoint ap = probe(*clock).control(Ctl::AmPm).geometry.topLeft();
        QCOMPARE(shot.pixel(ap + QPoint(4, 4)), encode(252 + 4, 60 + 4, false));   // upper: PM
        QCOMPARE(shot.pixel(ap + QPoint(4, 20)), encode(220 + 4, 60 + 20, false)); // lower: AM
    }

    void tickBlinksAndSkipsAnEarlyWake()
    {
        auto clock = start();
        const bool before = probe(*clock).control(Ctl::BlinkMark).visible;
        m_clock.advance(1);
        probe(*clock).onTick();
        QCOMPARE(probe(*clock).control(Ctl::BlinkMark).visible, !before);
        probe(*clock).onTick(); // the same second again: nothing happens
        QCOMPARE(probe(*clock).control(Ctl::BlinkMark).visible, !before);
        m_clock.advance(1);
        probe(*clock).onTick();
        QCOMPARE(probe(*clock).control(Ctl::BlinkMark).visible, before);
    }

    // While nobody sees the screen the clock sleeps until the first thing
    // due: an alarm's minute, the chime or the ten-minute store.
    void aHiddenScreenSleepsUntilSomethingIsDue_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("alarmOn");
        QTest::addColumn<QString>("chimeOn");
        QTest::addColumn<int>("sleepSeconds");
        QTest::newRow("an alarm") << "07:25:30*"
                                  << "1"
                                  << "1" << 4 * 60 + 50;
        QTest::newRow("the chime") << "07:25:30*"
                                   << "0"
                                   << "1" << 9 * 60 + 50;
        QTest::newRow("the store") << "07:25:30"
                                   << "0"
                                   << "0" << 10 * 60;
        QTest::newRow("an alarm tomorrow") << "07:20:00"
                                           << "1"
                                           << "0" << 10 * 60;
    }
    void aHiddenScreenSleepsUntilSomethingIsDue()
    {
        QFETCH(QString, alarm);
        QFETCH(QString, alarmOn);
        QFETCH(QString, chimeOn);
        QFETCH(int, sleepSeconds);
        set("0", alarm);
        set("al", alarmOn);
        set("zihou", chimeOn);
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(7, 20, 10));
        auto clock = start();
        QVERIFY(probe(*clock).msUntilTick() <= 1000 + 10);
        clock->setScreenHidden(true);
        QVERIFY2(qAbs(probe(*clock).msUntilTick() - sleepSeconds * 1000) < 1000,
                 qPrintable(QString::number(probe(*clock).msUntilTick())));
    }

    // An alarm due while the screen is hidden rings on its minute; when the
    // screen comes back the face is right at once and the ticks go on.
    void theScreenComesBackWithTheFaceRight()
    {
        set("0", "07:25:30*");
        set("al", "1");
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(7, 20, 10));
        auto clock = start();
        QSignalSpy notices(clock.get(), &ClockWindow::alarmNoticeRequested);
        clock->setScreenHidden(true);
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(7, 25, 0, 4));
        probe(*clock).onTick();
        QCOMPARE(notices.count(), 1);
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(7, 41, 10));
        clock->setScreenHidden(false);
        QVERIFY(probe(*clock).msUntilTick() <= 1000 + 10);
        const QImage shot = clock->grab().toImage();
        auto shows = [&](Ctl c, QRect glyph) {
            const QPoint at = probe(*clock).control(c).geometry.topLeft() + QPoint(3, 5);
            const QPoint from = glyph.topLeft() + QPoint(3, 5);
            return shot.pixel(at) == encode(from.x(), from.y(), false);
        };
        QVERIFY(shows(Ctl::MinuteTens, atlas::largeDigit(4)));
        QVERIFY(shows(Ctl::MinuteOnes, atlas::largeDigit(1)));
        QCOMPARE(notices.count(), 1);
    }

    void dogWagsTenFramesThenNine()
    {
        set("wan", "1");
        auto clock = start();
        m_random.values = {0.5}; // a burst
        m_clock.advance(1);
        probe(*clock).onTick();
        QVERIFY(probe(*clock).isWagging());
        auto frames = [&] {
            int n = 0;
            while (probe(*clock).isWagging() && n < 50) {
                probe(*clock).onWagStep();
                ++n;
            }
            return n;
        };
        QCOMPARE(frames(), 10);
        m_random.values = {0.3}; // pose 2
        m_clock.advance(1);
        probe(*clock).onTick();
        QVERIFY(probe(*clock).control(Ctl::DogPoseB).visible
                && !probe(*clock).control(Ctl::DogPoseA).visible);
        m_random.values = {0.6};
        m_clock.advance(1);
        probe(*clock).onTick();
        QCOMPARE(frames(), 9);
    }

    // What is copied straight to the screen must be exactly what a full
    // repaint would show: over a minute and an hour turning, the seconds
    // mark, the blink and the dog.
    void copiesToTheScreenMatchARepaint()
    {
        set("wan", "1");
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(10, 59, 50));
        CanvasSurface surface;
        auto clock = std::make_unique<ClockWindow>(
            *m_store, ClockPlatform{&m_clock, &m_desktop, &m_random}, CommandLine());
        clock->setGlyphSurface(&surface);
        QVERIFY(clock->load());
        clock->show();
        surface.screen = clock->grab().toImage().convertToFormat(QImage::Format_RGB32);
        m_random.values = {0.3, 0.0, 0.3, 0.3, 0.0};
        for (int i = 0; i < 25; ++i) {
            m_clock.advance(1);
            probe(*clock).onTick();
            QImage repaint = clock->grab().toImage().convertToFormat(QImage::Format_RGB32);
            repaint.setDevicePixelRatio(1);
            QVERIFY2(surface.screen == repaint, qPrintable(m_clock.time.toString()));
        }
        QVERIFY(surface.copies > 25);
        QVERIFY(!surface.strayed);
    }

    // At 150 % and more the face comes from the picture twice the size: each
    // device pixel shows a pixel of it, the one under the pixel's centre, not
    // a block of the smaller picture. (Run by the scaled tests.)
    void denseScreensPaintFromTheLargerPicture()
    {
        auto clock = start();
        clock->show();
        QVERIFY(QTest::qWaitForWindowExposed(clock.get()));
        const qreal scale = clock->windowHandle()->devicePixelRatio();
        if (scale < 1.5)
            QSKIP("only at 150 % and more");
        const QImage screen = clock->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The display's background between the date and the time, in device pixels.
        auto device = [scale](int face) { return int(std::floor(face * scale + 0.5)); };
        for (int faceX : {186, 187, 300}) {
            for (int deviceX = device(faceX); deviceX < device(faceX + 1); ++deviceX) {
                const QRgb seen = screen.pixel(deviceX, device(46));
                QVERIFY2(qBlue(seen) & 2, "painted from the smaller picture");
                const int largerX = qRed(seen) + 256 * (qBlue(seen) >> 4);
                QCOMPARE(largerX / 2, faceX);
                if (scale == 2)
                    QCOMPARE(largerX, deviceX); // both halves of the face pixel
            }
        }
    }

    void countersReplaceTheFaceAndBack()
    {
        m_clock.time = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 0));
        m_clock.uptime = 1234 * 60000LL;
        auto clock = start();
        QVERIFY(!probe(*clock).control(Ctl::HourTens).visible);
        probe(*clock).onUptimeView();
        m_clock.advance(1);
        probe(*clock).onTick();
        QCOMPARE(probe(*clock).shownMinutes(), QString("1234"));
        QVERIFY(probe(*clock).control(Ctl::HourTens).visible); // 000020:34 shows its zero
        QCOMPARE(probe(*clock).control(Ctl::HourTens).source, atlas::largeDigit(2));
        QVERIFY(!probe(*clock).control(Ctl::Weekday).visible
                && !probe(*clock).control(Ctl::SecondsGauge).visible);
        QCOMPARE(probe(*clock).counterTitle(), QString("システム駆動時間"));

        probe(*clock).onStandardView();
        QCOMPARE(probe(*clock).view(), View::Standard);
        QVERIFY(!probe(*clock).control(Ctl::HourTens).visible); // 09: the leading zero hides again
        QVERIFY(probe(*clock).control(Ctl::Weekday).visible
                && !probe(*clock).control(Ctl::CounterCoverDate).visible);
        QCOMPARE(probe(*clock).control(Ctl::MinuteTens).source, atlas::largeDigit(0));
        QCOMPARE(probe(*clock).control(Ctl::CounterCoverLeft).geometry.topLeft(), QPoint(0, 100));
    }

    void commandLineJoinsAsItSplits()
    {
        const QStringList args{"AL", "0730", "/usr/bin/foo", "--bar", "two words", "say \"hi\""};
        const QString line = joinCommandLine(args);
        QVERIFY(line.startsWith("AL 0730 /usr/bin/foo --bar "));
        QCOMPARE(QProcess::splitCommand(line), args);
        QCOMPARE(joinCommandLine({"a"}), QString("a"));
    }

    // What a second start asks of the running clock ("vespera --uptime", the
    // launcher's actions), done as the menu does it: marks and stored switches too.
    void commandsFromASecondStart()
    {
        QCOMPARE(remoteCommandOf("--options"), QString("options"));
        QCOMPARE(remoteCommandOf("--quit"), QString("quit"));
        for (const char *other : {"options", "-options", "--Options", "--", "--bogus", "a", "AL"})
            QCOMPARE(remoteCommandOf(other), QString());

        auto clock = start();
        clock->show();
        QVERIFY(clock->runCommand("uptime"));
        QCOMPARE(probe(*clock).view(), View::Uptime);
        QCOMPARE(stored("mmode"), QString("1"));
        QVERIFY(clock->runCommand("standard"));
        QCOMPARE(probe(*clock).view(), View::Standard);
        const bool hidden = clock->flags().hideMode;
        QVERIFY(clock->runCommand("hide"));
        QCOMPARE(clock->flags().hideMode, !hidden);
        QCOMPARE(child<QAction>(*clock, "hideMode")->isChecked(), !hidden);
        QSignalSpy options(clock.get(), &ClockWindow::optionsRequested);
        QVERIFY(clock->runCommand("options"));
        QCOMPARE(options.size(), 1);
        QVERIFY(!clock->runCommand("bogus"));
        for (const QString &word : remoteCommands())
            QVERIFY2(word == "quit" || word == "preset" || clock->runCommand(word),
                     qPrintable(word));
    }

    void secondInstanceMessageHasFourLines()
    {
        const QStringList lines = secondInstanceText().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("LUMINA-Desktopを終了して再度起動してください。"));
        QCOMPARE(lines[1], QString(18, QChar(0x2015)));
        QCOMPARE(lines[2], QString("　　　オプション:パス AL 0000 ファイル名"));
        QCOMPARE(lines[3], QString(14, QChar(0x3000)) + "時分");
    }
};

QTEST_MAIN(TestClockWindow)
#include "test_clock_window.moc"

// The clock in its corner: tucking and coming out over pointer paths in every
// corner, [Shift], hide mode and autoTuck, the placement check, a changed work
// area, and which parts of the face answer the pointer.
#include "core/tucking.h"
#include "design/glyph_atlas.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "fakes/find_child.h"
#include "fakes/test_files.h"
#include "platform/qt_program_starter.h"

#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>

using fakes::child;
using namespace vespera;

namespace {
const QPoint kAway(640, 400);

void sendMouse(QWidget &w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent e(type, at, w.mapToGlobal(at), button,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

void click(QWidget &w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, at, button);
    sendMouse(w, QEvent::MouseButtonRelease, at, button);
}

QPoint centreOf(ClockWindow &clock, Ctl c) { return probe(clock).control(c).geometry.center(); }

// The pointer at a place of the screen, as the window hears of it.
void pointerEnters(QWidget &w, QPoint global)
{
    QEnterEvent e(w.mapFromGlobal(global), w.mapFromGlobal(global), global);
    QCoreApplication::sendEvent(&w, &e);
}
void pointerMoves(QWidget &w, QPoint global)
{
    QMouseEvent e(QEvent::MouseMove, w.mapFromGlobal(global), global, Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}
} // namespace

class TestPlacement : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

    std::unique_ptr<ClockWindow> startIn(int corner)
    {
        set("smode", QString::number(corner));
        return start();
    }
    void tick(ClockWindow &clock)
    {
        m_clock.advance(1);
        probe(clock).onTick();
    }
    int left(const ClockWindow &clock) const { return clock.pos().x(); }

private slots:
    void init() { reset(); }

    // Work area 1280 x 800 at 0,0; a frameless window's FrameOffset is -25.
    void corners_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPoint>("inZone");
        QTest::addColumn<int>("out");
        QTest::addColumn<int>("tucked");
        QTest::addColumn<int>("top");
        QTest::newRow("top-left") << 0 << QPoint(430, 77) << -3 << -418 << 3;
        QTest::newRow("bottom-left") << 1 << QPoint(430, 723) << -3 << -418 << 748;
        QTest::newRow("top-right") << 2 << QPoint(850, 77) << 842 << 1268 << 3;
        QTest::newRow("bottom-right") << 3 << QPoint(850, 723) << 842 << 1268 << 748;
    }

    void normalModeSlidesAwayAndBack_data() { corners_data(); }
    void normalModeSlidesAwayAndBack()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, inZone);
        QFETCH(int, out);
        QFETCH(int, tucked);
        QFETCH(int, top);
        auto clock = startIn(corner);
        QCOMPARE(clock->pos(), QPoint(out, top));
        m_desktop.pointer = kAway;
        tick(*clock);
        QCOMPARE(probe(*clock).tuckState(), TuckState::Out);

        probe(*clock).face().onMouseMove({});
        QCOMPARE(clock->pos(), QPoint(tucked, top));
        QCOMPARE(probe(*clock).tuckState(), TuckState::Tucked);
        m_desktop.pointer = inZone; // the edge of the zone still counts
        tick(*clock);
        QCOMPARE(left(*clock), tucked);
        m_desktop.pointer = inZone + QPoint(corner >= 2 ? -1 : 1, 0);
        tick(*clock);
        QCOMPARE(clock->pos(), QPoint(out, top));
    }

    void shiftAloneKeepsItOut_data() { corners_data(); }
    void shiftAloneKeepsItOut()
    {
        QFETCH(int, corner);
        QFETCH(int, out);
        auto clock = startIn(corner);
        m_desktop.shift = true;
        probe(*clock).face().onMouseMove({});
        QCOMPARE(left(*clock), out);
        QCOMPARE(probe(*clock).tuckState(), TuckState::Undecided);
    }

    void hideModeComesOutOnApproach_data() { corners_data(); }
    void hideModeComesOutOnApproach()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, inZone);
        QFETCH(int, out);
        QFETCH(int, tucked);
        set("hide", "1");
        auto clock = startIn(corner);
        QVERIFY(clock->flags().hideMode);
        m_desktop.pointer = kAway;
        tick(*clock);
        QCOMPARE(left(*clock), tucked);

        m_desktop.shift = true; // [Shift] makes no difference in hide mode
        probe(*clock).face().onMouseMove({});
        QCOMPARE(left(*clock), out);
        m_desktop.pointer = inZone;
        tick(*clock);
        QCOMPARE(left(*clock), out);
        m_desktop.pointer = kAway;
        tick(*clock);
        QCOMPARE(left(*clock), tucked);
        tick(*clock); // already tucked: no second move
        QCOMPARE(probe(*clock).tuckState(), TuckState::Tucked);
    }

    void hideToggleFromTheFace_data() { corners_data(); }
    void hideToggleFromTheFace()
    {
        QFETCH(int, corner);
        QFETCH(int, out);
        QFETCH(int, tucked);
        auto clock = startIn(corner);
        click(*clock, centreOf(*clock, Ctl::EdgeStrip));
        QVERIFY(clock->flags().hideMode);
        QCOMPARE(left(*clock), tucked);
        probe(*clock).onHideModeToggled();
        QVERIFY(!clock->flags().hideMode);
        QCOMPARE(left(*clock), out);
    }

    void withoutAutohideItNeverTucks()
    {
        set("ah", "0");
        auto clock = startIn(3);
        QVERIFY(!clock->flags().autoTuck);
        m_desktop.pointer = kAway;
        tick(*clock);
        probe(*clock).face().onMouseMove({});
        QCOMPARE(left(*clock), 842);
        QCOMPARE(probe(*clock).tuckState(), TuckState::Out);
        probe(*clock).onHideModeToggled(); // the check mark still toggles
        QVERIFY(clock->flags().hideMode);
        tick(*clock);
        QCOMPARE(left(*clock), 842);
        probe(*clock).onAutoTuckToggled(); // allowed again: the next decision tucks
        tick(*clock);
        QCOMPARE(left(*clock), 1268);
    }

    void unknownCornerNeverMovesSideways()
    {
        auto clock = startIn(7);
        QCOMPARE(clock->pos(), QPoint(-3, 3));
        QVERIFY(!probe(*clock).misplaced().has_value());
        probe(*clock).face().onMouseMove({});
        m_desktop.pointer = kAway;
        tick(*clock);
        probe(*clock).onHideModeToggled();
        QCOMPARE(clock->pos(), QPoint(-3, 3));
        clock->move(300, 200); // moved from outside: left where it is
        tick(*clock);
        QCOMPARE(clock->pos(), QPoint(300, 200));
    }

    void movedFromOutsideReturnsAtTheNextTick()
    {
        auto clock = startIn(3);
        m_desktop.pointer = kAway;
        tick(*clock);
        QCOMPARE(probe(*clock).misplaced(), std::optional<bool>(false));
        clock->move(842, 500);
        QCOMPARE(probe(*clock).misplaced(), std::optional<bool>(true));
        tick(*clock);
        QCOMPARE(clock->pos(), QPoint(842, 748));
        QCOMPARE(probe(*clock).tuckState(), TuckState::Undecided); // it was activated anew
        clock->move(100, 748); // only a sideways move: the next decision sets it right
        tick(*clock);
        QCOMPARE(probe(*clock).tuckState(), TuckState::Out);
    }

    // In a Wayland session the X server does not see the pointer once it
    // left the X windows: the clock takes it as gone at the next tick, does
    // not run from a pointer that rests where it comes out, and waits longer
    // each time a pointer near the corner pushes it straight back.
    void pointerOutOfSight()
    {
        auto clock = startIn(0);
        const QPoint onFace(200, 30);
        m_desktop.pointer = onFace; // the last place the X server saw
        tick(*clock);
        pointerEnters(*clock, onFace);
        pointerMoves(*clock, onFace + QPoint(1, 0));
        QCOMPARE(left(*clock), -418);
        m_desktop.pointerSeen = false;
        tick(*clock);
        QCOMPARE(left(*clock), -3); // out, although the last place seen is in the corner

        // Out under a pointer that rests (it may have moved while unseen):
        // coming in under it, and the move to where it is, are no moves.
        pointerEnters(*clock, onFace + QPoint(3, 2));
        pointerMoves(*clock, onFace + QPoint(3, 2));
        QCOMPARE(left(*clock), -3);
        tick(*clock);
        tick(*clock);
        QCOMPARE(left(*clock), -3);

        // The pointer goes on over the face: pushed back within moments of
        // coming out, the clock waits 2, then 4 seconds before it guesses again.
        pointerMoves(*clock, onFace + QPoint(5, 0));
        QCOMPARE(left(*clock), -418);
        auto ticksUntilOut = [&] {
            for (int n = 1; n <= 30; ++n) {
                tick(*clock);
                if (left(*clock) == -3)
                    return n;
            }
            return -1;
        };
        QCOMPARE(ticksUntilOut(), 3);
        pointerMoves(*clock, onFace + QPoint(9, 0));
        QCOMPARE(ticksUntilOut(), 5);
        // Left out a while, it trusts the next guess at once again.
        for (int i = 0; i < 5; ++i)
            tick(*clock);
        pointerMoves(*clock, onFace + QPoint(12, 0));
        QCOMPARE(ticksUntilOut(), 1);

        // Seen again over some X window in the corner: the corner rule holds.
        pointerMoves(*clock, onFace + QPoint(14, 0));
        m_desktop.pointerSeen = true;
        m_desktop.pointer = QPoint(420, 60);
        tick(*clock);
        tick(*clock);
        QCOMPARE(left(*clock), -418);
    }

    // Where the compositor tells a window only of the pointer coming in, that
    // is a move onto the face; but not when the window came to the pointer.
    void comingInIsAMove()
    {
        auto clock = startIn(3);
        m_desktop.pointer = kAway;
        tick(*clock);
        pointerEnters(*clock, QPoint(1000, 770));
        QCOMPARE(left(*clock), 1268);
        tick(*clock);
        QCOMPARE(left(*clock), 842);
        pointerEnters(*clock, QPoint(1002, 771)); // it came out under the pointer
        QCOMPARE(left(*clock), 842);
        tick(*clock);
        pointerEnters(*clock, QPoint(1010, 771)); // later, the pointer came in
        QCOMPARE(left(*clock), 1268);
    }

    void hideModeTucksWhenThePointerIsOutOfSight()
    {
        set("hide", "1");
        auto clock = startIn(3);
        m_desktop.pointerSeen = false;
        tick(*clock);
        QCOMPARE(left(*clock), 1268);
        pointerEnters(*clock, QPoint(1275, 760));
        pointerMoves(*clock, QPoint(1276, 760));
        QCOMPARE(left(*clock), 842);
        m_desktop.pointerSeen = true; // over the face now
        m_desktop.pointer = QPoint(1000, 760);
        tick(*clock);
        QCOMPARE(left(*clock), 842);
        m_desktop.pointerSeen = false; // gone over a window the X server does not see
        tick(*clock);
        QCOMPARE(left(*clock), 1268);
    }

    // A window manager that keeps the window off its place is not fought
    // every second; a new move is tried again.
    void placementIsTriedOncePerStrayTop()
    {
        PlacementGuard guard;
        QVERIFY(guard.shouldPlace(true, 500));
        QVERIFY(!guard.shouldPlace(true, 500));
        QVERIFY(!guard.shouldPlace(true, 500));
        QVERIFY(guard.shouldPlace(true, 600));
        QVERIFY(!guard.shouldPlace(false, 748));
        QVERIFY(guard.shouldPlace(true, 500));
        guard.reset(); // the stacking changed: worth another try
        QVERIFY(guard.shouldPlace(true, 500));
    }

    void panelChangesTheWorkArea()
    {
        auto clock = startIn(3);
        m_desktop.pointer = kAway;
        tick(*clock);
        clock->workAreaChanged(); // the same area: nothing to do
        QCOMPARE(probe(*clock).tuckState(), TuckState::Out);
        m_desktop.area.Bottom = 760;
        m_desktop.area.Right = 1200;
        clock->workAreaChanged();
        QCOMPARE(clock->pos(), QPoint(1200 - 438, 760 - 77 + 25));
        QCOMPARE(probe(*clock).misplaced(), std::optional<bool>(false));
    }

    // The digits and marks pass the pointer on to the window; the click
    // areas, the dog and the panels do not.
    void whichPartsAnswerThePointer_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<bool>("tucks");
        QTest::newRow("hour digit") << int(Ctl::HourTens) << true;
        QTest::newRow("seconds") << int(Ctl::SecondsGauge) << true;
        QTest::newRow("alarm mark") << int(Ctl::AlarmMark) << true;
        QTest::newRow("weekday") << int(Ctl::Weekday) << true;
        QTest::newRow("dog") << int(Ctl::DogResting) << false;
        QTest::newRow("about area") << int(Ctl::Logo) << false;
        QTest::newRow("menu area") << int(Ctl::MenuButton) << false;
        QTest::newRow("window itself") << int(Ctl::Count) << true;
    }
    void whichPartsAnswerThePointer()
    {
        QFETCH(int, control);
        QFETCH(bool, tucks);
        auto clock = startIn(0);
        const QPoint at =
            control == int(Ctl::Count) ? QPoint(200, 50) : centreOf(*clock, Ctl(control));
        sendMouse(*clock, QEvent::MouseMove, at);
        QCOMPARE(probe(*clock).tuckState() == TuckState::Tucked, tucks);

        // The right button over the same place: the menu, where moves reach the window.
        sendMouse(*clock, QEvent::MouseButtonPress, at, Qt::RightButton);
        QCOMPARE(child<QMenu>(*clock, "root")->isVisible(), tucks);
        child<QMenu>(*clock, "root")->hide();
    }

    void facePicturesRunTheirCommands()
    {
        set("0", "07:30:00");
        auto clock = startIn(2); // the right-hand layout
        QSignalSpy options(clock.get(), &ClockWindow::optionsRequested);
        QSignalSpy about(clock.get(), &ClockWindow::aboutRequested);

        click(*clock, centreOf(*clock, Ctl::AlarmMark));
        QVERIFY(clock->flags().alarmOn);
        QCOMPARE(probe(*clock).control(Ctl::AlarmMark).source, atlas::alarmOn());
        click(*clock, centreOf(*clock, Ctl::AlarmMark));
        QVERIFY(!clock->flags().alarmOn);
        QCOMPARE(probe(*clock).control(Ctl::AlarmMark).source, atlas::alarmOff());

        // The options command also reloads the reservations from the store,
        // over what the clock holds.
        QCOMPARE(storedTexts(probe(*clock).alarms()), QStringList{"07:30:00"});
        // the clock holds and stores it
        QVERIFY(probe(*clock).preset().addPresetAlarm(Alarm::fromStored("12:00:00*")));
        set("1", "08:00:00*"); // another program changes it
        set("3", "09:00:00");  // after a gap: not part of the list
        click(*clock, centreOf(*clock, Ctl::OptionButton));
        QCOMPARE(options.count(), 1);
        QCOMPARE(storedTexts(probe(*clock).alarms()), (QStringList{"07:30:00", "08:00:00*"}));
        click(*clock, centreOf(*clock, Ctl::Logo));
        QCOMPARE(about.count(), 1);

        // The preset area opens on any button, and only the preset hours.
        sendMouse(*clock, QEvent::MouseButtonPress, centreOf(*clock, Ctl::AlarmButton),
                  Qt::MiddleButton);
        QVERIFY(child<QMenu>(*clock, "presetMenu")->isVisible());
        QVERIFY(!child<QMenu>(*clock, "root")->isVisible());
        child<QMenu>(*clock, "presetMenu")->hide();
        click(*clock, centreOf(*clock, Ctl::MenuButton));
        QVERIFY(child<QMenu>(*clock, "root")->isVisible());
        child<QMenu>(*clock, "root")->hide();

        click(*clock, centreOf(*clock, Ctl::CloseButton));
        QVERIFY(probe(*clock).isUnloaded());
        QCOMPARE(stored("systime"), QString("<absent>"));
    }

    // Qt tells a double click as press, release, double click, release: it
    // acts once, on the bell as on the dog.
    void aDoubleClickActsOnce()
    {
        auto clock = startIn(0);
        m_programs.installed << "vesweb";
        auto doubleClick = [&](QPoint at) {
            sendMouse(*clock, QEvent::MouseButtonPress, at, Qt::LeftButton);
            sendMouse(*clock, QEvent::MouseButtonRelease, at, Qt::LeftButton);
            sendMouse(*clock, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
            sendMouse(*clock, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        };
        doubleClick(centreOf(*clock, Ctl::AlarmMark));
        QVERIFY(clock->flags().alarmOn);
        doubleClick(centreOf(*clock, Ctl::DogResting));
        QCOMPARE(m_programs.started, QStringList{"vesweb"});
    }

    void dogStartsTheDesignBrowser()
    {
        auto clock = startIn(0);
        sendMouse(*clock, QEvent::MouseButtonPress, centreOf(*clock, Ctl::DogResting),
                  Qt::LeftButton);
        QVERIFY(m_programs.started.isEmpty()); // missing: nothing happens
        QVERIFY(m_programs.activated.isEmpty());

        m_programs.installed << "vesweb";
        // Found by its program: the welcome and about windows share its title.
        m_programs.windows << "vesweb";
        sendMouse(*clock, QEvent::MouseButtonPress, centreOf(*clock, Ctl::DogResting),
                  Qt::RightButton);
        QCOMPARE(m_programs.started, QStringList{"vesweb"});
        QCOMPARE(m_programs.activated, QStringList{"vesweb"});
        QVERIFY(!child<QMenu>(*clock, "root")->isVisible());
    }

    void programsAreFoundByBareNameOnly()
    {
        QTemporaryDir bin;
        const QString tool = bin.filePath("vesweb-test-tool");
        QVERIFY(fakes::writeFile(tool, "#!/bin/sh\n", true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ":" + path);
        QCOMPARE(platform::QtProgramStarter::locate("vesweb-test-tool"), tool);
        QCOMPARE(platform::QtProgramStarter::locate(bin.filePath("vesweb-test-tool")), QString());
        QCOMPARE(platform::QtProgramStarter::locate("no-such-program-here"), QString());
        qputenv("PATH", path);
    }
};

QTEST_MAIN(TestPlacement)
#include "test_placement.moc"

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

QPoint centreOf(ClockWindow &form, Ctl c) { return probe(form).control(c).geometry.center(); }

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
    void tick(ClockWindow &form)
    {
        m_clock.advance(1);
        probe(form).onTick();
    }
    int left(const ClockWindow &form) const { return form.pos().x(); }

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
        auto form = startIn(corner);
        QCOMPARE(form->pos(), QPoint(out, top));
        m_desktop.pointer = kAway;
        tick(*form);
        QCOMPARE(probe(*form).tuckState(), TuckState::Out);

        probe(*form).face().onMouseMove({});
        QCOMPARE(form->pos(), QPoint(tucked, top));
        QCOMPARE(probe(*form).tuckState(), TuckState::Tucked);
        m_desktop.pointer = inZone; // the edge of the zone still counts
        tick(*form);
        QCOMPARE(left(*form), tucked);
        m_desktop.pointer = inZone + QPoint(corner >= 2 ? -1 : 1, 0);
        tick(*form);
        QCOMPARE(form->pos(), QPoint(out, top));
    }

    void shiftAloneKeepsItOut_data() { corners_data(); }
    void shiftAloneKeepsItOut()
    {
        QFETCH(int, corner);
        QFETCH(int, out);
        auto form = startIn(corner);
        m_desktop.shift = true;
        probe(*form).face().onMouseMove({});
        QCOMPARE(left(*form), out);
        QCOMPARE(probe(*form).tuckState(), TuckState::Undecided);
    }

    void hideModeComesOutOnApproach_data() { corners_data(); }
    void hideModeComesOutOnApproach()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, inZone);
        QFETCH(int, out);
        QFETCH(int, tucked);
        set("hide", "1");
        auto form = startIn(corner);
        QVERIFY(form->flags().hideMode);
        m_desktop.pointer = kAway;
        tick(*form);
        QCOMPARE(left(*form), tucked);

        m_desktop.shift = true; // [Shift] makes no difference in hide mode
        probe(*form).face().onMouseMove({});
        QCOMPARE(left(*form), out);
        m_desktop.pointer = inZone;
        tick(*form);
        QCOMPARE(left(*form), out);
        m_desktop.pointer = kAway;
        tick(*form);
        QCOMPARE(left(*form), tucked);
        tick(*form); // already tucked: no second move
        QCOMPARE(probe(*form).tuckState(), TuckState::Tucked);
    }

    void hideToggleFromTheFace_data() { corners_data(); }
    void hideToggleFromTheFace()
    {
        QFETCH(int, corner);
        QFETCH(int, out);
        QFETCH(int, tucked);
        auto form = startIn(corner);
        click(*form, centreOf(*form, Ctl::EdgeStrip));
        QVERIFY(form->flags().hideMode);
        QCOMPARE(left(*form), tucked);
        probe(*form).onHideModeToggled();
        QVERIFY(!form->flags().hideMode);
        QCOMPARE(left(*form), out);
    }

    void withoutAutohideItNeverTucks()
    {
        set("ah", "0");
        auto form = startIn(3);
        QVERIFY(!form->flags().autoTuck);
        m_desktop.pointer = kAway;
        tick(*form);
        probe(*form).face().onMouseMove({});
        QCOMPARE(left(*form), 842);
        QCOMPARE(probe(*form).tuckState(), TuckState::Out);
        probe(*form).onHideModeToggled(); // the check mark still toggles
        QVERIFY(form->flags().hideMode);
        tick(*form);
        QCOMPARE(left(*form), 842);
        probe(*form).onAutoTuckToggled(); // allowed again: the next decision tucks
        tick(*form);
        QCOMPARE(left(*form), 1268);
    }

    void unknownCornerNeverMovesSideways()
    {
        auto form = startIn(7);
        QCOMPARE(form->pos(), QPoint(-3, 3));
        QVERIFY(!probe(*form).misplaced().has_value());
        probe(*form).face().onMouseMove({});
        m_desktop.pointer = kAway;
        tick(*form);
        probe(*form).onHideModeToggled();
        QCOMPARE(form->pos(), QPoint(-3, 3));
        form->move(300, 200); // moved from outside: left where it is
        tick(*form);
        QCOMPARE(form->pos(), QPoint(300, 200));
    }

    void movedFromOutsideReturnsAtTheNextTick()
    {
        auto form = startIn(3);
        m_desktop.pointer = kAway;
        tick(*form);
        QCOMPARE(probe(*form).misplaced(), std::optional<bool>(false));
        form->move(842, 500);
        QCOMPARE(probe(*form).misplaced(), std::optional<bool>(true));
        tick(*form);
        QCOMPARE(form->pos(), QPoint(842, 748));
        QCOMPARE(probe(*form).tuckState(), TuckState::Undecided); // it was activated anew
        form->move(100, 748); // only a sideways move: the next decision sets it right
        tick(*form);
        QCOMPARE(probe(*form).tuckState(), TuckState::Out);
    }

    // In a Wayland session the X server does not see the pointer once it
    // left the X windows: the clock takes it as gone at the next tick, does
    // not run from a pointer that rests where it comes out, and waits longer
    // each time a pointer near the corner pushes it straight back.
    void pointerOutOfSight()
    {
        auto form = startIn(0);
        const QPoint onFace(200, 30);
        m_desktop.pointer = onFace; // the last place the X server saw
        tick(*form);
        pointerEnters(*form, onFace);
        pointerMoves(*form, onFace + QPoint(1, 0));
        QCOMPARE(left(*form), -418);
        m_desktop.pointerSeen = false;
        tick(*form);
        QCOMPARE(left(*form), -3); // out, although the last place seen is in the corner

        // Out under a pointer that rests (it may have moved while unseen):
        // coming in under it, and the move to where it is, are no moves.
        pointerEnters(*form, onFace + QPoint(3, 2));
        pointerMoves(*form, onFace + QPoint(3, 2));
        QCOMPARE(left(*form), -3);
        tick(*form);
        tick(*form);
        QCOMPARE(left(*form), -3);

        // The pointer goes on over the face: pushed back within moments of
        // coming out, the clock waits 2, then 4 seconds before it guesses again.
        pointerMoves(*form, onFace + QPoint(5, 0));
        QCOMPARE(left(*form), -418);
        auto ticksUntilOut = [&] {
            for (int n = 1; n <= 30; ++n) {
                tick(*form);
                if (left(*form) == -3)
                    return n;
            }
            return -1;
        };
        QCOMPARE(ticksUntilOut(), 3);
        pointerMoves(*form, onFace + QPoint(9, 0));
        QCOMPARE(ticksUntilOut(), 5);
        // Left out a while, it trusts the next guess at once again.
        for (int i = 0; i < 5; ++i)
            tick(*form);
        pointerMoves(*form, onFace + QPoint(12, 0));
        QCOMPARE(ticksUntilOut(), 1);

        // Seen again over some X window in the corner: the corner rule holds.
        pointerMoves(*form, onFace + QPoint(14, 0));
        m_desktop.pointerSeen = true;
        m_desktop.pointer = QPoint(420, 60);
        tick(*form);
        tick(*form);
        QCOMPARE(left(*form), -418);
    }

    // Where the compositor tells a window only of the pointer coming in, that
    // is a move onto the face; but not when the window came to the pointer.
    void comingInIsAMove()
    {
        auto form = startIn(3);
        m_desktop.pointer = kAway;
        tick(*form);
        pointerEnters(*form, QPoint(1000, 770));
        QCOMPARE(left(*form), 1268);
        tick(*form);
        QCOMPARE(left(*form), 842);
        pointerEnters(*form, QPoint(1002, 771)); // it came out under the pointer
        QCOMPARE(left(*form), 842);
        tick(*form);
        pointerEnters(*form, QPoint(1010, 771)); // later, the pointer came in
        QCOMPARE(left(*form), 1268);
    }

    void hideModeTucksWhenThePointerIsOutOfSight()
    {
        set("hide", "1");
        auto form = startIn(3);
        m_desktop.pointerSeen = false;
        tick(*form);
        QCOMPARE(left(*form), 1268);
        pointerEnters(*form, QPoint(1275, 760));
        pointerMoves(*form, QPoint(1276, 760));
        QCOMPARE(left(*form), 842);
        m_desktop.pointerSeen = true; // over the face now
        m_desktop.pointer = QPoint(1000, 760);
        tick(*form);
        QCOMPARE(left(*form), 842);
        m_desktop.pointerSeen = false; // gone over a window the X server does not see
        tick(*form);
        QCOMPARE(left(*form), 1268);
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
        auto form = startIn(3);
        m_desktop.pointer = kAway;
        tick(*form);
        form->workAreaChanged(); // the same area: nothing to do
        QCOMPARE(probe(*form).tuckState(), TuckState::Out);
        m_desktop.area.Bottom = 760;
        m_desktop.area.Right = 1200;
        form->workAreaChanged();
        QCOMPARE(form->pos(), QPoint(1200 - 438, 760 - 77 + 25));
        QCOMPARE(probe(*form).misplaced(), std::optional<bool>(false));
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
        auto form = startIn(0);
        const QPoint at =
            control == int(Ctl::Count) ? QPoint(200, 50) : centreOf(*form, Ctl(control));
        sendMouse(*form, QEvent::MouseMove, at);
        QCOMPARE(probe(*form).tuckState() == TuckState::Tucked, tucks);

        // The right button over the same place: the menu, where moves reach the window.
        sendMouse(*form, QEvent::MouseButtonPress, at, Qt::RightButton);
        QCOMPARE(child<QMenu>(*form, "root")->isVisible(), tucks);
        child<QMenu>(*form, "root")->hide();
    }

    void facePicturesRunTheirCommands()
    {
        set("0", "07:30:00");
        auto form = startIn(2); // the right-hand layout
        QSignalSpy options(form.get(), &ClockWindow::optionsRequested);
        QSignalSpy about(form.get(), &ClockWindow::aboutRequested);

        click(*form, centreOf(*form, Ctl::AlarmMark));
        QVERIFY(form->flags().alarmOn);
        QCOMPARE(probe(*form).control(Ctl::AlarmMark).source, atlas::alarmOn());
        click(*form, centreOf(*form, Ctl::AlarmMark));
        QVERIFY(!form->flags().alarmOn);
        QCOMPARE(probe(*form).control(Ctl::AlarmMark).source, atlas::alarmOff());

        // The options command also reloads the reservations from the store,
        // over what the clock holds.
        QCOMPARE(storedTexts(probe(*form).alarms()), QStringList{"07:30:00"});
        // the clock holds and stores it
        QVERIFY(probe(*form).preset().addPresetAlarm(Alarm::fromStored("12:00:00*")));
        set("1", "08:00:00*"); // another program changes it
        set("3", "09:00:00");  // after a gap: not part of the list
        click(*form, centreOf(*form, Ctl::OptionButton));
        QCOMPARE(options.count(), 1);
        QCOMPARE(storedTexts(probe(*form).alarms()), (QStringList{"07:30:00", "08:00:00*"}));
        click(*form, centreOf(*form, Ctl::Logo));
        QCOMPARE(about.count(), 1);

        // The preset area opens on any button, and only the preset hours.
        sendMouse(*form, QEvent::MouseButtonPress, centreOf(*form, Ctl::AlarmButton),
                  Qt::MiddleButton);
        QVERIFY(child<QMenu>(*form, "presetMenu")->isVisible());
        QVERIFY(!child<QMenu>(*form, "root")->isVisible());
        child<QMenu>(*form, "presetMenu")->hide();
        click(*form, centreOf(*form, Ctl::MenuButton));
        QVERIFY(child<QMenu>(*form, "root")->isVisible());
        child<QMenu>(*form, "root")->hide();

        click(*form, centreOf(*form, Ctl::CloseButton));
        QVERIFY(probe(*form).isUnloaded());
        QCOMPARE(stored("systime"), QString("<absent>"));
    }

    // Qt tells a double click as press, release, double click, release: it
    // acts once, on the bell as on the dog.
    void aDoubleClickActsOnce()
    {
        auto form = startIn(0);
        m_programs.installed << "vesweb";
        auto doubleClick = [&](QPoint at) {
            sendMouse(*form, QEvent::MouseButtonPress, at, Qt::LeftButton);
            sendMouse(*form, QEvent::MouseButtonRelease, at, Qt::LeftButton);
            sendMouse(*form, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
            sendMouse(*form, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        };
        doubleClick(centreOf(*form, Ctl::AlarmMark));
        QVERIFY(form->flags().alarmOn);
        doubleClick(centreOf(*form, Ctl::DogResting));
        QCOMPARE(m_programs.started, QStringList{"vesweb"});
    }

    void dogStartsTheDesignBrowser()
    {
        auto form = startIn(0);
        sendMouse(*form, QEvent::MouseButtonPress, centreOf(*form, Ctl::DogResting),
                  Qt::LeftButton);
        QVERIFY(m_programs.started.isEmpty()); // missing: nothing happens
        QVERIFY(m_programs.activated.isEmpty());

        m_programs.installed << "vesweb";
        // Found by its program: the welcome and about windows share its title.
        m_programs.windows << "vesweb";
        sendMouse(*form, QEvent::MouseButtonPress, centreOf(*form, Ctl::DogResting),
                  Qt::RightButton);
        QCOMPARE(m_programs.started, QStringList{"vesweb"});
        QCOMPARE(m_programs.activated, QStringList{"vesweb"});
        QVERIFY(!child<QMenu>(*form, "root")->isVisible());
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

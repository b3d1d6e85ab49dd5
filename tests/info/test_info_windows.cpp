// The welcome and about windows: when the clock shows them, what "OK"
// stores, the buttons that leave the window open, and the about window's
// blink and dog.
#include "app/other_windows.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "info/about_window.h"
#include "info/welcome_window.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace vespera;

class TestInfoWindows : public QObject, fakes::ClockFixture {
    Q_OBJECT

    fakes::FakeHelp m_help;
    fakes::FakeMessages m_messages;

    // The clock with its other windows, loaded as the program loads it.
    struct Clock {
        std::unique_ptr<ClockWindow> window;
        std::unique_ptr<OtherWindows> windows;
    };
    Clock startClock()
    {
        Clock c;
        c.window = std::make_unique<ClockWindow>(
            *m_store, ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs}, CommandLine());
        c.windows = std::make_unique<OtherWindows>(
            *c.window, *m_store, ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs},
            &m_messages, nullptr, &m_help);
        c.window->load();
        return c;
    }

private slots:
    void init()
    {
        reset();
        m_help = fakes::FakeHelp();
        m_messages = fakes::FakeMessages();
    }

    void welcomeUntilOkWithTheBoxTicked()
    {
        Clock first = startClock();
        QPointer<WelcomeWindow> welcome = first.windows->welcome();
        QVERIFY(welcome && welcome->isVisible());
        welcome->onOk(); // box not ticked: shown again next time
        QTRY_VERIFY(!welcome);
        QCOMPARE(stored("start"), QString("<absent>"));

        Clock second = startClock();
        welcome = second.windows->welcome();
        QVERIFY(welcome);
        welcome->check()->setChecked(true);
        QTest::keyClick(welcome.data(), Qt::Key_Return); // OK is the default button
        QTRY_VERIFY(!welcome);
        QCOMPARE(stored("start"), QString("2.15"));
        QVERIFY(!startClock().windows->welcome());
    }

    // Help, F1 and the update notes leave the window open; a file that
    // cannot be shown is said so.
    void helpAndNotesKeepTheWindowOpen()
    {
        WelcomeWindow welcome(*m_store, &m_help, &m_messages);
        welcome.show();
        welcome.onHelp();
        QTest::keyClick(&welcome, Qt::Key_F1);
        QCOMPARE(m_help.topics, QList<int>({kWelcomeTopic, kWelcomeTopic}));
        m_help.textsFound = false;
        welcome.onNotes();
        QCOMPARE(m_help.texts, QStringList("update.txt"));
        QCOMPARE(m_messages.shown.size(), 1);
        m_help.topicsFound = false;
        welcome.onHelp();
        QCOMPARE(m_messages.shown.value(1), QString("VESPERA|ヘルプを開けませんでした。"));
        QVERIFY(welcome.isVisible());
        QCOMPARE(stored("start"), QString("<absent>"));
    }

    void aboutOpensOnceFromTheFace()
    {
        set("start", "2.15");
        Clock clock = startClock();
        probe(*clock.window).face().onLogo();
        QPointer<AboutWindow> about = clock.windows->about();
        QVERIFY(about && about->isVisible());
        probe(*clock.window).face().onLogo();
        QCOMPARE(clock.windows->about(), about.data());
        QVERIFY(!about->isModal()); // it does not block the clock
    }

    // Each second the stars swap, whatever is drawn; a draw of 0 or 1 shows a
    // dog frame, 2 starts a wag run, 3 does nothing more.
    void aboutTicks()
    {
        int counter = 0;
        AboutWindow about(&m_random, counter);
        QCOMPARE(about.shownDogFrame(), 0);
        QVERIFY(about.blinkShown(0) && !about.blinkShown(1));
        QVERIFY(!about.wagging());

        m_random.values = {0.3, 0.9, 0.0, 0.6};
        about.onBlink();
        QCOMPARE(about.shownDogFrame(), 2);
        QVERIFY(!about.blinkShown(0) && about.blinkShown(1));
        about.onBlink();
        QCOMPARE(about.shownDogFrame(), 2);
        QVERIFY(about.blinkShown(0) && !about.blinkShown(1));
        about.onBlink();
        QCOMPARE(about.shownDogFrame(), 0);
        QVERIFY(!about.wagging());
        about.onBlink();
        QVERIFY(about.wagging());
    }

    // A wag run alternates frames 0 and 1 for ten steps; the step that ends
    // it still moves the dog, and the count goes on at the next opening.
    void wagRunsAndCarriesItsCount()
    {
        int counter = 0;
        auto about = std::make_unique<AboutWindow>(&m_random, counter);
        m_random.values = {0.6};
        about->onBlink();
        QList<int> frames;
        for (int i = 0; i < 10; ++i) {
            about->onWag();
            frames << about->shownDogFrame();
        }
        QCOMPARE(frames, QList<int>({1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
        QVERIFY(!about->wagging());
        QCOMPARE(counter, 1);

        // From frame 2 a step shows frame 0.
        about->showDog(2);
        about->onWag();
        QCOMPARE(about->shownDogFrame(), 0);
        QCOMPARE(counter, 2);

        about.reset(); // closed in the middle of a run: the next run is shorter
        AboutWindow again(&m_random, counter);
        m_random.values = {0.6};
        again.onBlink();
        int steps = 0;
        while (again.wagging() && steps < 20) {
            again.onWag();
            ++steps;
        }
        QCOMPARE(steps, 8);
    }
};

QTEST_MAIN(TestInfoWindows)
#include "test_info_windows.moc"

// Whether the X server of a Wayland session still sees the pointer, from
// where it places the pointer and the crossings of our windows.
#include "platform/x11_window.h"

#include <QtTest>

using platform::x11::PointerSighting;

class TestPointerSighting : public QObject {
    Q_OBJECT

private slots:
    // Away from our windows X keeps the last place it saw: a place that does
    // not change from one look to the next, or since the pointer left us,
    // is no sighting; a pointer moving over other X windows is.
    void awayFromOurWindows()
    {
        PointerSighting s;
        QVERIFY(s.seen({640, 400}, 0, true)); // nothing to go by yet
        QVERIFY(!s.seen({640, 400}, 1000, true));
        s.entered();
        s.left({100, 30});
        QVERIFY(!s.seen({100, 30}, 2000, true)); // frozen where it left
        s.entered();
        s.left({100, 30});
        QVERIFY(s.seen({102, 31}, 3000, true));  // X saw it move on...
        QVERIFY(!s.seen({102, 31}, 4000, true)); // ...and then lost it
        QVERIFY(s.seen({300, 31}, 5000, true));  // over another X window
        QVERIFY(s.seen({310, 40}, 6000, true));
    }

    // On our windows X sees the pointer, unless the compositor is one that
    // does not report leaving: then a pointer at rest for a while is gone.
    void onOurWindows()
    {
        PointerSighting s;
        s.entered();
        QVERIFY(s.seen({2, 6}, 0, true));
        QVERIFY(s.seen({2, 6}, 60000, true));

        PointerSighting k;
        k.entered();
        QVERIFY(k.seen({2, 6}, 0, false));
        QVERIFY(k.seen({2, 6}, PointerSighting::kRestMs - 1, false));
        QVERIFY(!k.seen({2, 6}, PointerSighting::kRestMs, false));
        QVERIFY(k.seen({3, 6}, PointerSighting::kRestMs + 1, false)); // moved: seen again
        QVERIFY(k.seen({3, 6}, 2 * PointerSighting::kRestMs, false));
        QVERIFY(!k.seen({3, 6}, 2 * PointerSighting::kRestMs + 1, false));
    }
};

QTEST_MAIN(TestPointerSighting)
#include "test_pointer_sighting.moc"

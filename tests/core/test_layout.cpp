// Where the clock window sits in each corner, its shape, and the right-hand layout.
#include "core/placement.h"
#include "design/skin_layout.h"

#include <QtTest>

using namespace vespera;

namespace {
const platform::WorkArea kScreen{0, 0, 1280, 800};
constexpr int kBorderless = -25; // frame offset of a window without frame
} // namespace

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void placementPerCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<platform::WorkArea>("wa");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("top left") << 0 << kScreen << QPoint(-3, 3);
        QTest::newRow("bottom left") << 1 << kScreen << QPoint(-3, 748);
        QTest::newRow("top right") << 2 << kScreen << QPoint(842, 3);
        QTest::newRow("bottom right") << 3 << kScreen << QPoint(842, 748);
        // A panel at the top (30 px) and one at the left (40 px).
        const platform::WorkArea panels{40, 30, 1280, 800};
        QTest::newRow("top left under panels") << 0 << panels << QPoint(37, 33);
        QTest::newRow("bottom right, panel at bottom")
            << 3 << platform::WorkArea{0, 0, 1280, 770} << QPoint(842, 718);
        QTest::newRow("unknown corner lies like top left") << 7 << kScreen << QPoint(-3, 3);
    }
    void placementPerCorner()
    {
        QFETCH(int, corner);
        QFETCH(platform::WorkArea, wa);
        QFETCH(QPoint, origin);
        QCOMPARE(windowOrigin(isKnownCorner(Corner(corner)) ? Corner(corner) : Corner::TopLeft, wa,
                              kBorderless),
                 origin);
    }

    // The visible part touches the work area's edges exactly: the last row and
    // column of a bottom-right clock are the work area's last ones.
    void visibleShapeTouchesTheEdges_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPoint>("firstVisible"); // screen pixels
        QTest::addColumn<QPoint>("lastVisible");
        QTest::newRow("top left") << 0 << QPoint(0, 3)
                                  << QPoint(361, 55); // the curve reaches row 52
        QTest::newRow("bottom left") << 1 << QPoint(0, 748) << QPoint(366, 799);
        QTest::newRow("top right") << 2 << QPoint(901, 3) << QPoint(899, 55);
        QTest::newRow("bottom right") << 3 << QPoint(901, 748) << QPoint(1279, 799);
    }
    void visibleShapeTouchesTheEdges()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, firstVisible);
        QFETCH(QPoint, lastVisible);
        const QPoint origin = windowOrigin(Corner(corner), kScreen, kBorderless);
        // The window itself clips the shape to its 441 x 129 pixels.
        const QRegion shape = windowRegion(Corner(corner), kBorderless)
                                  .intersected(QRect(0, 0, kWindowWidth, kWindowHeight))
                                  .translated(origin);
        const QRect mainPart =
            shape.boundingRect().intersected(QRect(QPoint(0, 0), QPoint(1279, 799)));
        QVERIFY(shape.contains(firstVisible));
        QVERIFY(shape.contains(lastVisible));
        QCOMPARE(mainPart.top(), firstVisible.y());
        QCOMPARE(mainPart.bottom(), lastVisible.y());
        if (corner == 0 || corner == 1)
            QCOMPARE(mainPart.left(), 0);
        else
            QCOMPARE(mainPart.right(), 1279);
    }

    // Points just inside and just outside the shape, in window coordinates.
    void regionEdges_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
        QTest::newRow("0 first column") << 0 << QPoint(3, 0) << true;
        QTest::newRow("0 cut column") << 0 << QPoint(2, 0) << false;
        QTest::newRow("0 last row") << 0 << QPoint(10, 51) << true;
        QTest::newRow("0 below last row") << 0 << QPoint(10, 52) << false;
        QTest::newRow("0 ellipse inner") << 0 << QPoint(400, 20) << true;
        QTest::newRow("0 ellipse near its tip") << 0 << QPoint(420, 0) << true;
        QTest::newRow("0 beyond the ellipse") << 0 << QPoint(426, 0) << false;
        QTest::newRow("0 outside the curve") << 0 << QPoint(420, 40) << false;
        QTest::newRow("1 last row") << 1 << QPoint(10, 51) << true;
        QTest::newRow("1 cut below") << 1 << QPoint(330, 52) << false;
        QTest::newRow("1 above the face") << 1 << QPoint(10, -4) << false;
        QTest::newRow("3 last column") << 3 << QPoint(437, 51) << true;
        QTest::newRow("3 past last column") << 3 << QPoint(438, 51) << false;
        QTest::newRow("3 under the face") << 3 << QPoint(437, 52) << false;
        QTest::newRow("3 ellipse near bottom") << 3 << QPoint(10, 51) << true;
        QTest::newRow("3 outside the curve") << 3 << QPoint(10, 10) << false;
        QTest::newRow("2 main rect start") << 2 << QPoint(59, 0) << true;
        QTest::newRow("2 last column") << 2 << QPoint(437, 0) << true;
        QTest::newRow("2 outside the curve") << 2 << QPoint(10, 40) << false;
    }
    void regionEdges()
    {
        QFETCH(int, corner);
        QFETCH(QPoint, point);
        QFETCH(bool, inside);
        QCOMPARE(windowRegion(Corner(corner), kBorderless).contains(point), inside);
    }

    void rightLayoutMovesButtonsAndDog_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<int>("ctl");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("0 menu button") << 0 << int(Ctl::MenuButton) << QRect(6, 7, 16, 23);
        QTest::newRow("3 menu button") << 3 << int(Ctl::MenuButton) << QRect(414, 7, 16, 23);
        QTest::newRow("3 close button") << 3 << int(Ctl::CloseButton) << QRect(414, 32, 16, 16);
        QTest::newRow("2 about") << 2 << int(Ctl::Logo) << QRect(354, 7, 52, 10);
        QTest::newRow("2 options") << 2 << int(Ctl::OptionButton) << QRect(352, 23, 55, 9);
        QTest::newRow("3 preset alarm") << 3 << int(Ctl::AlarmButton) << QRect(352, 36, 66, 9);
        QTest::newRow("2 alarm mark") << 2 << int(Ctl::AlarmMark) << QRect(20, 4, 18, 13);
        QTest::newRow("3 alarm mark") << 3 << int(Ctl::AlarmMark) << QRect(40, 4, 18, 13);
        QTest::newRow("3 dog") << 3 << int(Ctl::DogPoseA) << QRect(40, 18, 39, 31);
        QTest::newRow("2 blink") << 2 << int(Ctl::BlinkMark) << QRect(78, 8, 13, 13);
        QTest::newRow("3 digits stay") << 3 << int(Ctl::HourTens) << QRect(183, 11, 22, 32);
        QTest::newRow("0 edge strip") << 0 << int(Ctl::EdgeStrip) << QRect(0, -1, 407, 6);
        QTest::newRow("1 edge strip") << 1 << int(Ctl::EdgeStrip) << QRect(0, 50, 407, 6);
        QTest::newRow("2 edge strip") << 2 << int(Ctl::EdgeStrip) << QRect(23, -1, 407, 6);
        QTest::newRow("3 edge strip") << 3 << int(Ctl::EdgeStrip) << QRect(23, 50, 407, 6);
    }
    void rightLayoutMovesButtonsAndDog()
    {
        QFETCH(int, corner);
        QFETCH(int, ctl);
        QFETCH(QRect, rect);
        QCOMPARE(controlRect(static_cast<Ctl>(ctl), Corner(corner)), rect);
    }

    void pictureAndTuckByCorner()
    {
        QCOMPARE(pictureSuffix(Corner::TopLeft), QString(".vss"));
        QCOMPARE(pictureSuffix(Corner::BottomLeft), QString(".vss"));
        QCOMPARE(pictureSuffix(Corner::TopRight), QString(".vsr"));
        QCOMPARE(pictureSuffix(Corner::BottomRight), QString(".vsr"));
        QCOMPARE(tuckedLeft(Corner::TopLeft, kScreen), -418);
        QCOMPARE(tuckedLeft(Corner::BottomRight, kScreen), 1268);
        QCOMPARE(demandedTop(Corner::BottomLeft, kScreen, kBorderless), 748);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"

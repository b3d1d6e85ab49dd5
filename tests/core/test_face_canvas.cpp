// The face as pixels: merged copies lay exactly the pixels of the copies they
// replace, the copies of each cell equal a repaint of it at 100 %, 150 % and
// 200 %, and what went to the screen behind Qt's back is repainted at the
// next expose.
#include "app/face_view.h"
#include "core/face.h"
#include "core/face_canvas.h"
#include "design/glyph_atlas.h"
#include "platform/glyph_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using namespace vespera;

namespace {

QImage noise(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    return image;
}

// What a display server does with the copies: each in turn, unclipped.
QImage laid(QImage screen, const QImage &picture, const std::vector<CellCopy> &copies)
{
    QPainter p(&screen);
    for (const CellCopy &c : copies)
        p.drawImage(c.target, picture, c.source);
    return screen;
}

CellCopy copyOf(QRect target, QPoint offset)
{
    return {target.translated(offset), target.topLeft()};
}

// Every control of the top-left layout, shown as a start shows it: the
// fixed pieces, then the time and date of `now`.
FaceControls faceAt(const QDateTime &now, bool use24Hour)
{
    FaceControls controls{};
    for (int i = 0; i < kCtlCount; ++i) {
        controls[i].geometry = controlRect(Ctl(i), Corner::TopLeft);
        controls[i].visible = !isClickArea(Ctl(i));
    }
    auto at = [&controls](Ctl c) -> FaceControl & { return controls[int(c)]; };
    for (Ctl c : {Ctl::CounterCoverLeft, Ctl::CounterCoverDate}) {
        at(c).stretch = true;
        at(c).source = atlas::fillPatch();
        at(c).visible = false;
    }
    at(Ctl::CounterCoverLeft).geometry.moveTopLeft(QPoint(0, 100));
    if (use24Hour) {
        at(Ctl::AmPm).source = atlas::amMark();
        at(Ctl::AmPm).overlay = atlas::pmUpperHalf();
    }
    at(Ctl::AlarmMark).source = atlas::alarmOn();
    at(Ctl::DogResting).source = atlas::dogResting();
    at(Ctl::DogPoseA).source = atlas::dogPoseA();
    at(Ctl::DogPoseB).source = atlas::dogPoseB();
    at(Ctl::DogPoseA).visible = at(Ctl::DogPoseB).visible = false;
    at(Ctl::FixedMark).source = atlas::fixedMark();
    at(Ctl::BlinkMark).source = atlas::blinkMark();
    Face face;
    for (const GlyphPaint &g : face.redrawFace(now, use24Hour, false)) {
        if (g.visible)
            at(g.control).source = g.source;
        at(g.control).visible = g.visible;
    }
    return controls;
}

// A window that notes what Qt repaints of it.
class RecordingWindow : public QWidget {
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent *event) override { painted += event->region(); }
};

// A display server that takes every copy.
class AcceptingSurface : public platform::GlyphSurface {
public:
    QImage picture;
    bool ready() const override { return !picture.isNull(); }
    void setPicture(const QImage &p) override { picture = p; }
    void copiesWithin(const QRect &) override {}
    void copy(const QRect &, const QPoint &) override {}
    void flush() override {}
};

} // namespace

class TestFaceCanvas : public QObject {
    Q_OBJECT
private slots:
    // The cases the face meets, one by one.
    void mergingCutsDropsAndJoins()
    {
        const QPoint there(40, 7), elsewhere(3, 50);
        // Two halves of one rectangle read at one offset: one copy.
        auto one = mergeCopies({copyOf({0, 0, 5, 8}, there), copyOf({5, 0, 7, 8}, there)});
        QCOMPARE(one.size(), size_t(1));
        QCOMPARE(one[0], copyOf({0, 0, 12, 8}, there));
        // A copy hidden under a later one goes.
        auto hidden = mergeCopies({copyOf({2, 2, 4, 4}, elsewhere), copyOf({0, 0, 8, 8}, there)});
        QCOMPARE(hidden.size(), size_t(1));
        QCOMPARE(hidden[0], copyOf({0, 0, 8, 8}, there));
        // A band across the top hidden: the rest is copied, from its own place.
        auto cut = mergeCopies({copyOf({0, 0, 8, 8}, elsewhere), copyOf({0, 0, 8, 3}, there)});
        QCOMPARE(cut.size(), size_t(2));
        QCOMPARE(cut[0], copyOf({0, 3, 8, 5}, elsewhere));
        // A corner hidden: nothing to cut in one rectangle, the copy stays whole.
        auto corner = mergeCopies({copyOf({0, 0, 8, 8}, elsewhere), copyOf({4, 4, 8, 8}, there)});
        QCOMPARE(corner[0], copyOf({0, 0, 8, 8}, elsewhere));
        // Halves apart, or at different offsets, stay two.
        QCOMPARE(mergeCopies({copyOf({0, 0, 5, 8}, there), copyOf({6, 0, 5, 8}, there)}).size(),
                 size_t(2));
        QCOMPARE(mergeCopies({copyOf({0, 0, 5, 8}, there), copyOf({5, 0, 5, 8}, elsewhere)}).size(),
                 size_t(2));
        // A copy in between over one half: the other half joins it past
        // that copy. One over both halves (taller than they are, so no cut
        // takes it off either) lets nothing move past it.
        auto joined = mergeCopies({copyOf({0, 0, 5, 8}, there), copyOf({1, 1, 2, 2}, elsewhere),
                                   copyOf({5, 0, 5, 8}, there)});
        QCOMPARE(joined.size(), size_t(2));
        QCOMPARE(joined[0], copyOf({0, 0, 10, 8}, there));
        QCOMPARE(joined[1], copyOf({1, 1, 2, 2}, elsewhere));
        auto kept = mergeCopies({copyOf({0, 0, 5, 8}, there), copyOf({4, 0, 2, 10}, elsewhere),
                                 copyOf({5, 0, 5, 8}, there)});
        QCOMPARE(kept.size(), size_t(3));
        QCOMPARE(kept[0], copyOf({0, 0, 4, 8}, there)); // its last column lies under the middle one
    }

    // Any stack of copies: the merged ones lay the same pixels, in no more
    // requests. Offsets from a short list, so that many copies share one.
    void mergedCopiesLayTheSamePixels()
    {
        const QImage picture = noise({64, 64}, 1);
        const QImage screen = noise({24, 24}, 2);
        const QPoint offsets[] = {{20, 20}, {30, 5}, {5, 30}};
        QRandomGenerator random(3);
        int fewer = 0;
        for (int round = 0; round < 3000; ++round) {
            std::vector<CellCopy> copies;
            const int count = random.bounded(2, 7);
            for (int i = 0; i < count; ++i) {
                const QRect target(random.bounded(0, 16), random.bounded(0, 16),
                                   random.bounded(1, 9), random.bounded(1, 9));
                copies.push_back(copyOf(target, offsets[random.bounded(3)]));
            }
            // Often a neighbour of the one before, at its offset.
            if (random.bounded(2)) {
                const CellCopy &last = copies.back();
                const QRect r = last.targetRect();
                const QRect next = random.bounded(2)
                                       ? QRect(r.right() + 1, r.top(), 3, r.height())
                                       : QRect(r.left(), r.bottom() + 1, r.width(), 3);
                copies.push_back(copyOf(next, last.source.topLeft() - last.target));
            }
            const std::vector<CellCopy> merged = mergeCopies(copies);
            QVERIFY2(laid(screen, picture, merged) == laid(screen, picture, copies),
                     qPrintable(QString("round %1").arg(round)));
            QVERIFY(merged.size() <= copies.size());
            fewer += merged.size() < copies.size();
        }
        QVERIFY(fewer > 1000); // the cases above are met, not just passed by
    }

    void copiesOfEachCellMatchItsRepaint_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("200 %") << 2.0;
    }
    // Each cell copied onto a screen of noise equals the same cell repainted
    // there piece by piece, over faces whose cells stack differently: the
    // blink shown and not, the dog sitting up, the 24-hour mark's overlay.
    void copiesOfEachCellMatchItsRepaint()
    {
        QFETCH(qreal, scale);
        FaceCanvas canvas;
        canvas.setScale(scale);
        canvas.setPicture(noise({atlas::kMinWidth, atlas::kMinHeight}, 4),
                          noise({2 * atlas::kMinWidth, 2 * atlas::kMinHeight}, 5));
        const QImage &device = canvas.devicePicture();
        const QImage screen =
            noise(canvas.toDevice(QRect(0, 0, kWindowWidth, kWindowHeight)).size(), 6);
        const FaceExtras extras{dogLine(Corner::TopLeft), QString(), Qt::black};
        QFont font;
        int cells = 0, oneCopy = 0;
        for (bool use24Hour : {false, true}) {
            FaceControls controls =
                faceAt(QDateTime(QDate(2026, 12, 8), QTime(use24Hour ? 21 : 9, 47, 31)), use24Hour);
            for (int state = 0; state < 3; ++state) {
                controls[int(Ctl::BlinkMark)].visible = state != 1;
                controls[int(Ctl::DogPoseA)].visible = state == 2;
                for (int i = 0; i < kCtlCount; ++i) {
                    const QRect area = controls[i].geometry;
                    if (!atlas::background().contains(area))
                        continue; // off the face: the window's shape leaves it out
                    const auto copies = canvas.copiesFor(area, controls, extras);
                    if (!copies)
                        continue; // painted, not copied
                    const QRect deviceArea = canvas.toDevice(area);
                    for (const CellCopy &c : *copies)
                        QVERIFY(deviceArea.contains(c.targetRect()));
                    QImage repaint = screen;
                    canvas.paint(repaint, deviceArea, controls, extras, font);
                    QVERIFY2(laid(screen, device, *copies) == repaint,
                             qPrintable(QString("control %1, state %2").arg(i).arg(state)));
                    ++cells;
                    oneCopy += copies->size() == 1;
                }
            }
        }
        QVERIFY(cells > 100);
        // A glyph that fills its cell hides all below it: one request.
        QVERIFY(oneCopy > cells / 2);
    }

    // Two cells that overlap (the blink lies over the fixed mark), both
    // copied straight to the screen: an expose repaints all of both, not
    // the first and what of the second lies over it.
    void cellsCopiedStraightAreRepaintedAtTheNextExpose()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("face.vss");
        QVERIFY(noise({atlas::kMinWidth, atlas::kMinHeight}, 7).save(path, "PNG"));
        RecordingWindow window;
        window.resize(kWindowWidth, kWindowHeight);
        FaceView view(&window);
        AcceptingSurface surface;
        view.setGlyphSurface(&surface);
        view.layOut(Corner::TopLeft);
        QVERIFY(view.loadPicture(path));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!window.painted.isEmpty());

        view.setSource(Ctl::FixedMark, atlas::fixedMark());
        view.setSource(Ctl::BlinkMark, atlas::blinkMark());
        QVERIFY(surface.ready()); // both went to the screen, not through Qt
        window.painted = QRegion();
        view.exposed();
        QTRY_VERIFY(!window.painted.isEmpty());
        const QRegion both =
            QRegion(view.control(Ctl::FixedMark).geometry) + view.control(Ctl::BlinkMark).geometry;
        QCOMPARE(window.painted.intersected(both), both);
    }
};

QTEST_MAIN(TestFaceCanvas)
#include "test_face_canvas.moc"

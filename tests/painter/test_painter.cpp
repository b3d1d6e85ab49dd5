// The painter: recipes read and written, the shipped pictures as their
// recipes paint them, and every corner showing the face, not the frame.
#include "core/face_canvas.h"
#include "design/design_picture.h"
#include "design/skin_layout.h"
#include "painter/design_painter.h"
#include "painter/recipe.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cmath>

using namespace painter;

namespace {

QString shipped(const QString &file) { return QStringLiteral(VESPERA_DESIGNS "/") + file; }

QStringList shippedNames()
{
    QStringList names;
    for (const QString &f : QDir(VESPERA_DESIGNS).entryList({"*.recipe"}, QDir::Files))
        names << f.chopped(7);
    return names;
}

Recipe shippedRecipe(const QString &name)
{
    QFile f(shipped(name + ".recipe"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    QString why;
    const auto r = parseRecipe(f.readAll(), &why);
    if (!r)
        qFatal("%s: %s", qPrintable(f.fileName()), qPrintable(why));
    return *r;
}

// The share of pixels that differ by more than a little in any channel.
double differingShare(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) > 24
                || std::abs(qGreen(p[col]) - qGreen(q[col])) > 24
                || std::abs(qBlue(p[col]) - qBlue(q[col])) > 24)
                ++differing;
        }
    }
    return double(differing) / (x.width() * x.height());
}

} // namespace

class TestPainter : public QObject {
    Q_OBJECT
private slots:
    void recipesSurviveTextAndField_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : shippedNames())
            QTest::newRow(qPrintable(name)) << name;
    }
    void recipesSurviveTextAndField()
    {
        QFETCH(QString, name);
        const Recipe r = shippedRecipe(name);
        QCOMPARE(parseRecipe(recipeText(r)), std::optional<Recipe>(r));
        const QString field = recipeField(r);
        QVERIFY2(field.size() < 1024, "a design record's field holds at most 1 KiB");
        QVERIFY(!field.contains(',') && !field.contains('&') && !field.contains('+'));
        QCOMPARE(recipeFromField(field), std::optional<Recipe>(r));
    }

    void theDefaultIsTheBlueDesign() { QVERIFY(shippedRecipe("blue") == Recipe()); }

    void missingAndUnknownEntriesTakeDefaults()
    {
        const auto r = parseRecipe("vespera-recipe 1\n# a comment\n\nsparkle lots\n"
                                   "ink #102030\ndigits font\ndigit-font DejaVu Sans Mono\n");
        QVERIFY(r);
        Recipe expected;
        expected.ink = QColor(0x10, 0x20, 0x30);
        expected.digits = DigitStyle::Font;
        expected.digitFont = "DejaVu Sans Mono";
        QVERIFY(*r == expected);
    }

    void brokenRecipesSayWhy_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "not a design recipe";
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n", 8) << "not a design recipe";
        QTest::newRow("later version") << QByteArray("vespera-recipe 2\n") << "later version";
        QTest::newRow("bad colour") << QByteArray("vespera-recipe 1\nink red\n") << "line 2";
        QTest::newRow("short colour") << QByteArray("vespera-recipe 1\nface #fff\n") << "colour";
        QTest::newRow("slant too far") << QByteArray("vespera-recipe 1\nslant 0.5\n") << "slant";
        QTest::newRow("slant nan") << QByteArray("vespera-recipe 1\nslant nan\n") << "slant";
        QTest::newRow("unknown style")
            << QByteArray("vespera-recipe 1\ndigits runes\n") << "digit style";
        QTest::newRow("font without name")
            << QByteArray("vespera-recipe 1\ndigits font\n") << "digit-font";
        QTest::newRow("separator")
            << QByteArray("vespera-recipe 1\ndate-separator ,\n") << "separator";
        QTest::newRow("too long") << QByteArray("vespera-recipe 1\n") + QByteArray(20000, '#')
                                  << "too long";
    }
    void brokenRecipesSayWhy()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        QString why;
        QVERIFY(!parseRecipe(text, &why));
        QVERIFY2(why.contains(reason), qPrintable(why));
    }

    void brokenFieldsAreNoRecipe_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("empty") << QString();
        QTest::newRow("not base64") << QString("ab,cd&ef=gh");
        QTest::newRow("not a recipe") << QString("aGVsbG8gd29ybGQ");
        QTest::newRow("too long") << QString(5000, 'A');
    }
    void brokenFieldsAreNoRecipe()
    {
        QFETCH(QString, field);
        QString why;
        QVERIFY(!recipeFromField(field, &why));
        QVERIFY(!why.isEmpty());
    }

    // Golden pictures: each shipped design is what its recipe paints, so an
    // unintended change to the painter shows here. A little room is left for
    // the rasteriser's and the fonts' own versions.
    void shippedPicturesAreWhatTheirRecipesPaint_data() { recipesSurviveTextAndField_data(); }
    void shippedPicturesAreWhatTheirRecipesPaint()
    {
        QFETCH(QString, name);
        const Recipe r = shippedRecipe(name);
        const struct {
            Side side;
            int scale;
            const char *suffix;
        } pictures[] = {{Side::Left, 1, ".vss"},
                        {Side::Right, 1, ".vsr"},
                        {Side::Left, 2, "@2x.vss"},
                        {Side::Right, 2, "@2x.vsr"}};
        for (const auto &p : pictures) {
            const QImage golden = vespera::readDesignPicture(shipped(name + p.suffix));
            QVERIFY2(!golden.isNull(), p.suffix);
            const double share = differingShare(paintDesignPicture(r, p.side, p.scale), golden);
            QVERIFY2(share < 0.003, qPrintable(QString("%1%2: %3 % of the pixels differ")
                                                   .arg(name, p.suffix)
                                                   .arg(share * 100)));
        }
    }

    // In every corner, what the window's shape shows of the rounded end is the
    // face: no wedge of the frame's colour inside it.
    void everyCornerShowsTheFace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("corner");
        for (const QString &name : shippedNames()) {
            for (int corner = 0; corner < 4; ++corner)
                QTest::newRow(qPrintable(QString("%1 %2").arg(name).arg(corner))) << name << corner;
        }
    }
    void everyCornerShowsTheFace()
    {
        QFETCH(QString, name);
        QFETCH(int, corner);
        const auto c = vespera::Corner(corner);
        const bool right = vespera::isRightCorner(c);
        for (int scale : {1, 2}) {
            const QImage picture = vespera::readDesignPicture(
                shipped(name + (scale == 2 ? "@2x" : "") + (right ? ".vsr" : ".vss")));
            QVERIFY(!picture.isNull());
            const QRgb frame = picture.pixel(200 * scale, 56 * scale); // never shown: the frame
            const QRegion shown = vespera::windowRegion(c, vespera::kBorderlessFrameOffset);
            // The rounded end, away from the bay and the dividers.
            const QRect end = right ? QRect(0, 1, 92, 50) : QRect(345, 1, 95, 50);
            for (const QRect &r : shown.intersected(end)) {
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const QRgb seen =
                            picture.pixel(x * scale + scale / 2, y * scale + scale / 2);
                        QVERIFY2(seen != frame,
                                 qPrintable(QString("scale %1: the frame shows at %2,%3")
                                                .arg(scale)
                                                .arg(x)
                                                .arg(y)));
                    }
                }
            }
        }
    }

    // At 150 % the clock paints from the larger pictures, each device pixel
    // from the one under its centre: the corners stay right there too.
    void everyCornerShowsTheFaceAt150_data() { everyCornerShowsTheFace_data(); }
    void everyCornerShowsTheFaceAt150()
    {
        QFETCH(QString, name);
        QFETCH(int, corner);
        const auto c = vespera::Corner(corner);
        const QString suffix = vespera::isRightCorner(c) ? ".vsr" : ".vss";
        vespera::FaceCanvas canvas;
        canvas.setScale(1.5);
        canvas.setPicture(vespera::readDesignPicture(shipped(name + suffix)),
                          vespera::readDesignPicture(shipped(name + "@2x" + suffix)));
        const QImage &device = canvas.devicePicture();
        const QRect frameAt = canvas.toDevice(QRect(200, 56, 1, 1));
        const QRgb frame = device.pixel(frameAt.topLeft());
        const QRect end = vespera::isRightCorner(c) ? QRect(0, 1, 92, 50) : QRect(345, 1, 95, 50);
        const QRegion shown =
            vespera::windowRegion(c, vespera::kBorderlessFrameOffset).intersected(end);
        for (const QRect &r : shown) {
            const QRect d = canvas.toDevice(r);
            for (int y = d.top(); y <= d.bottom(); ++y) {
                for (int x = d.left(); x <= d.right(); ++x)
                    QVERIFY2(device.pixel(x, y) != frame,
                             qPrintable(QString("the frame shows at %1,%2").arg(x).arg(y)));
            }
        }
    }

    void largerPicturesAreDrawnNotEnlarged()
    {
        const Recipe r = shippedRecipe("blue");
        const QImage small = paintDesignPicture(r, Side::Left, 1);
        const QImage large = paintDesignPicture(r, Side::Left, 2);
        QCOMPARE(large.size(), small.size() * 2);
        const QImage doubled = small.scaled(small.size() * 2);
        QVERIFY(differingShare(large, doubled) > 0.01);
        QVERIFY(differingShare(
                    large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                    small)
                < 0.08); // the same design, only finer
    }

    void eachFileOfADesignIsPainted()
    {
        const auto files = paintDesignFiles(shippedRecipe("night"));
        QStringList suffixes;
        for (const auto &f : files) {
            suffixes << f.suffix;
            if (f.suffix != ".recipe")
                QVERIFY(!QImage::fromData(f.bytes, "PNG").isNull());
        }
        QCOMPARE(suffixes, (QStringList{".vss", ".vsr", "@2x.vss", "@2x.vsr", ".recipe"}));
        QCOMPARE(parseRecipe(files.last().bytes), std::optional<Recipe>(shippedRecipe("night")));
    }
};

QTEST_MAIN(TestPainter)
#include "test_painter.moc"

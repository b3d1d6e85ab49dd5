// A design as one file: exported and installed elsewhere with the same
// pixels, installed beside designs of the same name, and hostile files
// refused with nothing written.
#include "design/design_package.h"
#include "fakes/test_files.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vespera;

namespace {

// A picture with a different colour in every pixel, so any change shows.
QImage picture(QSize size, int seed, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           qRgba((x * 7 + seed) & 255, (y * 5 + seed) & 255, (x ^ y) & 255,
                                 128 + (x + y + seed) % 128));
    return image.convertToFormat(format);
}

QByteArray encoded(const QImage &image, const char *format = "png")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage decoded(const QByteArray &bytes)
{
    return QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32);
}

const QSize k1x(440, 134);
const QSize k2x(880, 268);

// A design file written by hand, so the reader is tested against the format
// and not against our own writer.
QByteArray package(const QByteArray &name, const QList<QPair<QByteArray, QByteArray>> &files,
                   const QByteArray &magic = "VESPERA-DESIGN 1\n")
{
    QByteArray out = magic + "name " + name + "\n";
    for (const auto &f : files)
        out +=
            "file " + f.first + " " + QByteArray::number(f.second.size()) + "\n" + f.second + "\n";
    return out + "end\n";
}

QList<QPair<QByteArray, QByteArray>> pair1x()
{
    return {{".vss", encoded(picture(k1x, 1))}, {".vsr", encoded(picture(k1x, 2))}};
}

// A PNG that says it is huge, with a few rows of zeros behind its header:
// decoded, it would take gigabytes.
QByteArray pngBomb(quint32 width, quint32 height)
{
    auto crc = [](const QByteArray &data) {
        quint32 c = 0xffffffffu;
        for (const char byte : data) {
            c ^= quint8(byte);
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
        }
        return ~c;
    };
    auto be32 = [](quint32 v) {
        return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
    };
    auto chunk = [&](const QByteArray &type, const QByteArray &data) {
        return be32(quint32(data.size())) + type + data + be32(crc(type + data));
    };
    const QByteArray header = be32(width) + be32(height) + QByteArray("\x08\x06\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n") + chunk("IHDR", header)
           + chunk("IDAT", qCompress(QByteArray(1 << 20, '\0')).mid(4)) + chunk("IEND", {});
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDesignPackage : public QObject {
    Q_OBJECT

private slots:

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("large");
        QTest::addColumn<QByteArray>("recipe");
        QTest::newRow("png pair") << QByteArray("png") << false << QByteArray();
        QTest::newRow("png, larger pictures and recipe")
            << QByteArray("png") << true << QByteArray("colour = 桜\nwave 3\n\0x", 22);
        QTest::newRow("jpeg becomes png") << QByteArray("jpg") << true << QByteArray("r");
        QTest::newRow("bmp becomes png") << QByteArray("bmp") << false << QByteArray();
    }
    void roundTrip()
    {
        QFETCH(QByteArray, format);
        QFETCH(bool, large);
        QFETCH(QByteArray, recipe);
        QTemporaryDir from, to;
        QMap<QString, QByteArray> source;
        source[".vss"] = encoded(picture(k1x, 1), format);
        source[".vsr"] = encoded(picture(QSize(500, 140), 2, QImage::Format_RGB32), format);
        if (large) {
            source["@2x.vss"] = encoded(picture(k2x, 3), format);
            source["@2x.vsr"] = encoded(picture(QSize(1000, 280), 4), format);
        }
        if (!recipe.isEmpty())
            source[".recipe"] = recipe;
        for (auto s = source.cbegin(); s != source.cend(); ++s)
            QVERIFY(fakes::writeFile(from.filePath("sky" + s.key()), s.value()));

        QString error;
        const QByteArray bytes = exportDesign({from.path()}, "sky", &error);
        QVERIFY2(!bytes.isEmpty(), qPrintable(error));
        const auto read = readDesignPackage(bytes, &error);
        QVERIFY2(read, qPrintable(error));
        QString installedAs;
        QVERIFY2(installDesignPackage(*read, to.path(), {to.path()}, &installedAs, &error),
                 qPrintable(error));
        QCOMPARE(installedAs, QString("sky"));

        QStringList expected;
        for (auto s = source.cbegin(); s != source.cend(); ++s) {
            expected << "sky" + s.key();
            const QByteArray installed = readAll(to.filePath("sky" + s.key()));
            if (s.key() == ".recipe") {
                QCOMPARE(installed, recipe);
                continue;
            }
            QVERIFY(installed.startsWith("\x89PNG"));
            QCOMPARE(decoded(installed), decoded(s.value()));
        }
        expected.sort();
        QCOMPARE(entriesOf(to.path()), expected);
    }

    // Only the pixels travel: a text chunk in a picture is not written.
    void picturesAreMadeAfresh()
    {
        QImage left = picture(k1x, 5);
        left.setText("Comment", "from a stranger");
        auto files = pair1x();
        files[0].second = encoded(left);
        QVERIFY(QImage::fromData(files[0].second).textKeys().contains("Comment"));
        const auto read = readDesignPackage(package("x", files));
        QVERIFY(read);
        for (const DesignFile &f : read->files) {
            if (f.suffix == ".vss") {
                QVERIFY(QImage::fromData(f.bytes).textKeys().isEmpty());
                QCOMPARE(decoded(f.bytes), decoded(files[0].second));
            }
        }
    }

    // The user's design hides a shipped one of the same name; the larger
    // pictures come only with a pair from the same folder.
    void exportTakesTheFirstWholeDesign()
    {
        QTemporaryDir user, shipped;
        QVERIFY(fakes::writeFile(user.filePath("sky.vss"), encoded(picture(k1x, 9))));
        QVERIFY(fakes::writeFile(user.filePath("sky@2x.vsr"), encoded(picture(k2x, 9))));
        QVERIFY(fakes::writeFile(shipped.filePath("sky.vss"), encoded(picture(k1x, 1))));
        QVERIFY(fakes::writeFile(shipped.filePath("sky.vsr"), encoded(picture(k1x, 2))));
        auto read = readDesignPackage(exportDesign({user.path(), shipped.path()}, "sky"));
        QVERIFY(read);
        QCOMPARE(read->files.size(), 2);
        for (const DesignFile &f : read->files)
            QCOMPARE(decoded(f.bytes), picture(k1x, f.suffix == ".vss" ? 1 : 2));

        QVERIFY(fakes::writeFile(user.filePath("sky.vsr"), encoded(picture(k1x, 8))));
        read = readDesignPackage(exportDesign({user.path(), shipped.path()}, "sky"));
        QVERIFY(read);
        QCOMPARE(read->files.size(), 2);
        for (const DesignFile &f : read->files)
            QCOMPARE(decoded(f.bytes), picture(k1x, f.suffix == ".vss" ? 9 : 8));

        QString error;
        QVERIFY(exportDesign({user.path()}, "rain", &error).isEmpty());
        QVERIFY(error.contains("rain"));
        QVERIFY(exportDesign({user.path()}, "../sky", &error).isEmpty());
    }

    void installedUnderAFreeName_data()
    {
        QTest::addColumn<QStringList>("userFiles");
        QTest::addColumn<QStringList>("shippedFiles");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList{"rain.vss", "rain.vsr"} << QStringList{} << "sky";
        QTest::newRow("the user's own")
            << QStringList{"sky.vss", "sky.vsr"} << QStringList{} << "sky-2";
        QTest::newRow("a shipped one")
            << QStringList{} << QStringList{"sky.vss", "sky.vsr"} << "sky-2";
        QTest::newRow("both, and sky-2") << QStringList{"sky-2.vss", "sky-2.vsr"}
                                         << QStringList{"sky.vss", "sky.vsr"} << "sky-3";
        QTest::newRow("a lone recipe") << QStringList{"sky.recipe"} << QStringList{} << "sky-2";
        QTest::newRow("a lone larger picture")
            << QStringList{} << QStringList{"sky@2x.vsr"} << "sky-2";
    }
    void installedUnderAFreeName()
    {
        QFETCH(QStringList, userFiles);
        QFETCH(QStringList, shippedFiles);
        QFETCH(QString, expected);
        QTemporaryDir user, shipped;
        for (const QString &f : userFiles)
            QVERIFY(fakes::writeFile(user.filePath(f), "theirs"));
        for (const QString &f : shippedFiles)
            QVERIFY(fakes::writeFile(shipped.filePath(f), "ours"));
        const auto read = readDesignPackage(package("sky", pair1x()));
        QVERIFY(read);
        QString installedAs, error;
        QVERIFY2(installDesignPackage(*read, user.path(), {user.path(), shipped.path()},
                                      &installedAs, &error),
                 qPrintable(error));
        QCOMPARE(installedAs, expected);
        QCOMPARE(decoded(readAll(user.filePath(expected + ".vss"))), picture(k1x, 1));
        for (const QString &f : userFiles)
            QCOMPARE(readAll(user.filePath(f)), QByteArray("theirs"));
    }

    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = package("sky", pair1x());
        const QByteArray left = encoded(picture(k1x, 1));
        const QByteArray right = encoded(picture(k1x, 2));
        auto with = [&](const QList<QPair<QByteArray, QByteArray>> &more) {
            return package("sky", pair1x() + more);
        };
        QTest::newRow("empty") << QByteArray() << "not a vespera design file";
        QTest::newRow("a picture") << left << "not a vespera design file";
        QTest::newRow("bad magic")
            << "VESPERA-DESIGNS 1\n" + good.mid(17) << "not a vespera design file";
        QTest::newRow("newer kind")
            << package("sky", pair1x(), "VESPERA-DESIGN 2\n") << "newer kind";
        QTest::newRow("cut in the middle") << good.left(good.size() / 2) << "cut short";
        QTest::newRow("no end line") << good.chopped(4) << "cut short";
        QTest::newRow("after the end") << good + "file .recipe 1\nx\n"
                                       << "after its end";
        QTest::newRow("length beyond the end")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nfile .vss 50\nshort\nend\n") << "cut short";
        QTest::newRow("huge length")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nfile .vss 99999999999999999999\nx\nend\n")
            << "cannot read";
        QTest::newRow("length of 8 digits")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nfile .vss 99999999\nx\nend\n")
            << "cut short";
        QTest::newRow("negative length")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nfile .vss -5\nend\n") << "cannot read";
        QTest::newRow("no line end after a file")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nfile .recipe 1\nxyend\n") << "cannot read";
        QTest::newRow("unknown line")
            << QByteArray("VESPERA-DESIGN 1\nname sky\nrun x\nend\n") << "cannot read";
        QTest::newRow("no name line") << QByteArray("VESPERA-DESIGN 1\nend\n") << "names no design";
        QTest::newRow("unknown suffix") << with({{".exe", "x"}}) << "file of no design";
        QTest::newRow("suffix with a path") << with({{"/../../x.vss", "x"}}) << "file of no design";
        QTest::newRow("duplicate suffix") << with({{".vss", left}}) << ".vss twice";
        for (const QByteArray &name :
             {QByteArray("../x"), QByteArray("a/b"), QByteArray("a\\b"), QByteArray("."),
              QByteArray(".."), QByteArray(".hidden"), QByteArray("a\0b", 3), QByteArray("a@2x"),
              QByteArray("red\x1b[31m"),
              QByteArray("\xe2\x80\xae"
                         "evil"),
              QByteArray("\xef\xbb\xbfsky")})
            QTest::newRow(("name " + name.toPercentEncoding()).constData())
                << package(name, pair1x()) << "cannot name files";
        QTest::newRow("empty name") << package("", pair1x()) << "no name";
        QTest::newRow("name of 65") << package(QByteArray(65, 'a'), pair1x()) << "longer than 64";
        QTest::newRow("endless name")
            << package(QByteArray(5000, 'a'), pair1x()) << "longer than 64";
        QTest::newRow("name not UTF-8") << package("\xff\xfe", pair1x()) << "not UTF-8";
        QTest::newRow("no right picture") << package("sky", {{".vss", left}}) << "no .vsr";
        QTest::newRow("not a picture")
            << package("sky", {{".vss", left}, {".vsr", "hello"}}) << "not a PNG";
        QTest::newRow("broken PNG")
            << package("sky", {{".vss", left}, {".vsr", right.left(200)}}) << "not a readable";
        QTest::newRow("a JPEG") << package(
            "sky", {{".vss", left}, {".vsr", encoded(picture(k1x, 2), "jpg")}})
                                << "not a PNG";
        QTest::newRow("too narrow")
            << package("sky", {{".vss", encoded(picture({439, 134}, 1))}, {".vsr", right}})
            << "smaller than 440x134";
        QTest::newRow("too wide") << package(
            "sky", {{".vss", left}, {".vsr", encoded(picture({1025, 200}, 1))}})
                                  << "larger than 1024x512";
        QTest::newRow("too tall") << package(
            "sky", {{".vss", encoded(picture({440, 513}, 1))}, {".vsr", right}})
                                  << "larger than 1024x512";
        QTest::newRow("claims 30000x30000")
            << package("sky", {{".vss", pngBomb(30000, 30000)}, {".vsr", right}}) << "larger than";
        QTest::newRow("4096x4096 of nothing") << package(
            "sky", {{".vss", encoded(QImage(4096, 4096, QImage::Format_Mono))}, {".vsr", right}})
                                              << "larger than";
        QTest::newRow("larger picture not twice") << with(
            {{"@2x.vss", encoded(picture({882, 268}, 3))}, {"@2x.vsr", encoded(picture(k2x, 4))}})
                                                  << "not twice";
        QTest::newRow("larger picture the same size")
            << with({{"@2x.vss", encoded(picture(k2x, 3))}, {"@2x.vsr", right}})
            << "smaller than 880x268";
        QTest::newRow("one larger picture")
            << with({{"@2x.vss", encoded(picture(k2x, 3))}}) << "only one";
        QTest::newRow("recipe over 16 KiB")
            << with({{".recipe", QByteArray(16385, 'r')}}) << "larger than 16 KiB";
        QTest::newRow("recipe not UTF-8") << with({{".recipe", "caf\xe9"}}) << "not UTF-8";
        QTest::newRow("over 8 MiB") << good + QByteArray(8 * 1024 * 1024, '\n') << "8 MiB";
    }
    void hostileFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString file = folder.filePath("in.vsdesign");
        QVERIFY(fakes::writeFile(file, bytes));
        const QString user = folder.filePath("user");
        QVERIFY(QDir().mkpath(user));

        QString error;
        const auto read = readDesignPackageFile(file, &error);
        if (read)
            installDesignPackage(*read, user, {user}, nullptr, &error);
        QVERIFY2(!read, qPrintable(read ? read->name : QString()));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(!error.contains('\n'));
        QCOMPARE(entriesOf(user), QStringList());
    }

    void unreadableFilesAreRefused()
    {
        QTemporaryDir folder;
        QString error;
        QVERIFY(!readDesignPackageFile(folder.path(), &error));
        QVERIFY(error.contains("folder"));
        QVERIFY(!readDesignPackageFile(folder.filePath("missing.vsdesign"), &error));
        QVERIFY(error.contains("cannot read"));
    }
};

QTEST_GUILESS_MAIN(TestDesignPackage)
#include "test_design_package.moc"

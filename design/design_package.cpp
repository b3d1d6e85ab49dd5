// A design as one file: written from an installed design, read back as
// input from anyone.
#include "design_package.h"

#include "design_files.h"
#include "design_picture.h"
#include "glyph_atlas.h"

#include "common/data_dir.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QStringDecoder>

#include <cstring>
#include <utility>

namespace vespera {

namespace {

const QByteArray kMagic = QByteArrayLiteral("VESPERA-DESIGN ");
const QByteArray kVersion = QByteArrayLiteral("1");
const QByteArray kPngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

const QString kLeft = QStringLiteral(".vss");
const QString kRight = QStringLiteral(".vsr");
const QString kLeft2x = QStringLiteral("@2x.vss");
const QString kRight2x = QStringLiteral("@2x.vsr");
const QString kRecipe = QStringLiteral(".recipe");

// "file @2x.vss 12345678": a line longer than that is no line of ours.
constexpr int kLongestFileLine = 32;
constexpr int kLongestLength = 8; // digits; 8 MiB has 7
// A name of 64 characters takes at most 4 bytes each in UTF-8.
constexpr int kLongestNameLine = 5 + 4 * kMaxPackageNameLength;

template <typename T> T refuse(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return T{};
}

// What came from outside, fit for a one-line message: no control
// characters, and not longer than a name may be.
QString shown(const QString &text)
{
    QString out;
    for (const QChar c : text.left(kMaxPackageNameLength))
        out += c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
                   ? QChar(u'?')
                   : c;
    return text.size() > kMaxPackageNameLength ? out + QStringLiteral("...") : out;
}

// Plain decimal digits: no sign, no blank, nothing toLongLong() would forgive.
bool isNumber(const QByteArray &text)
{
    bool digits = !text.isEmpty();
    for (const char c : text)
        digits = digits && c >= '0' && c <= '9';
    return digits;
}

std::optional<QString> utf8(const QByteArray &bytes)
{
    // A byte order mark is kept as a character: it is no part of a name.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                     | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Why `name` cannot name an installed design, or nothing. Beyond what keeps
// a name inside its folder: "@" marks the larger pictures, a leading dot
// would hide the files, and control or format characters (a line end, a
// right-to-left override) would make the name say something else in a list
// or a terminal than the files are called.
QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("the design has no name");
    if (name.toUcs4().size() > kMaxPackageNameLength)
        return QStringLiteral("the design's name is longer than %1 characters")
            .arg(kMaxPackageNameLength);
    bool printable = true;
    for (const char32_t c : name.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        printable = printable && category != QChar::Other_Control && category != QChar::Other_Format
                    && category != QChar::Separator_Line && category != QChar::Separator_Paragraph;
    }
    if (!printable || !isSafeDesignName(name) || name.contains(QLatin1Char('@'))
        || name.startsWith(QLatin1Char('.')))
        return QStringLiteral("the design's name \"%1\" cannot name files").arg(shown(name));
    return QString();
}

QString recipeProblem(const QString &name, const QByteArray &recipe)
{
    if (recipe.size() > kMaxRecipeBytes)
        return QStringLiteral("the recipe of \"%1\" is larger than %2 KiB")
            .arg(name)
            .arg(kMaxRecipeBytes / 1024);
    if (!utf8(recipe))
        return QStringLiteral("the recipe of \"%1\" is not UTF-8 text").arg(name);
    return QString();
}

// Why the pictures (by suffix) do not make a design, or nothing: both
// pictures for the corners within bounds, and the larger ones both or
// neither, each exactly twice its own.
QString picturesProblem(const QString &name, const QMap<QString, QImage> &pictures)
{
    for (const QString &suffix : {kLeft, kRight}) {
        if (!pictures.contains(suffix))
            return QStringLiteral("the design \"%1\" has no %2 picture").arg(name, suffix);
        const QSize size = pictures[suffix].size();
        if (size.width() > kMaxPackagePictureWidth || size.height() > kMaxPackagePictureHeight)
            return QStringLiteral("%1%2 is %3x%4, larger than %5x%6")
                .arg(name, suffix)
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxPackagePictureWidth)
                .arg(kMaxPackagePictureHeight);
    }
    if (pictures.contains(kLeft2x) != pictures.contains(kRight2x))
        return QStringLiteral("the design \"%1\" has only one of its two larger pictures")
            .arg(name);
    for (const auto &[large, small] : {std::pair{kLeft2x, kLeft}, std::pair{kRight2x, kRight}}) {
        if (!pictures.contains(large))
            continue;
        const QSize wanted = pictures[small].size() * 2;
        const QSize size = pictures[large].size();
        if (size != wanted)
            return QStringLiteral("%1%2 is %3x%4, not twice %1%5 (%6x%7)")
                .arg(name, large)
                .arg(size.width())
                .arg(size.height())
                .arg(small)
                .arg(wanted.width())
                .arg(wanted.height());
    }
    return QString();
}

// A picture from a design file: PNG only, so no other decoder ever sees what
// a stranger sent, and its size read from its header before anything is
// decoded, so a small file that claims a huge picture costs nothing.
QImage packagedPicture(const QString &label, const QByteArray &bytes, bool large, QString *why)
{
    if (!bytes.startsWith(kPngSignature)) {
        *why = QStringLiteral("%1 is not a PNG picture").arg(label);
        return QImage();
    }
    QByteArray copy = bytes;
    QBuffer header(&copy);
    header.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&header, "png").size();
    const int scale = large ? 2 : 1;
    if (!size.isValid()) {
        *why = QStringLiteral("%1 is not a readable PNG picture").arg(label);
        return QImage();
    }
    if (size.width() < atlas::kMinWidth * scale || size.height() < atlas::kMinHeight * scale) {
        *why = QStringLiteral("%1 is %2x%3, smaller than %4x%5")
                   .arg(label)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(atlas::kMinWidth * scale)
                   .arg(atlas::kMinHeight * scale);
        return QImage();
    }
    if (size.width() > kMaxPackagePictureWidth * scale
        || size.height() > kMaxPackagePictureHeight * scale) {
        *why = QStringLiteral("%1 is %2x%3, larger than %4x%5")
                   .arg(label)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(kMaxPackagePictureWidth * scale)
                   .arg(kMaxPackagePictureHeight * scale);
        return QImage();
    }
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    const QImage image = readDesignPicture(&device);
    if (image.isNull() || image.size() != size)
        *why = QStringLiteral("%1 is not a readable PNG picture").arg(label);
    return image.size() == size ? image : QImage();
}

// Reads the file's lines and blocks, never past its end and never more than
// a line of ours can be long.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}

    enum class Line { Read, CutShort, TooLong };
    // The next line without its end, when one ends within `longest` bytes.
    Line line(int longest, QByteArray *out)
    {
        const qsizetype window = qMin<qsizetype>(left(), qsizetype(longest) + 1);
        const void *found = std::memchr(m_bytes.constData() + m_at, '\n', size_t(window));
        if (!found)
            return window == left() ? Line::CutShort : Line::TooLong;
        const qsizetype end = static_cast<const char *>(found) - m_bytes.constData();
        *out = m_bytes.mid(m_at, end - m_at);
        m_at = end + 1;
        return Line::Read;
    }
    qsizetype left() const { return m_bytes.size() - m_at; }
    // `length` bytes and the line end after them; the caller has checked
    // that they are there.
    QByteArray block(qsizetype length)
    {
        const QByteArray out = m_bytes.mid(m_at, length);
        m_at += length;
        return out;
    }
    bool lineEnd()
    {
        if (left() < 1 || m_bytes.at(m_at) != '\n')
            return false;
        ++m_at;
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

const QString kCutShort = QStringLiteral("the design file is cut short");
const QString kBadLine = QStringLiteral("the design file has a line it cannot read");

QByteArray packageBytes(const DesignPackage &package)
{
    QByteArray out = kMagic + kVersion + "\nname " + package.name.toUtf8() + '\n';
    for (const QString &suffix : designFileSuffixes()) {
        for (const DesignFile &f : package.files) {
            if (f.suffix == suffix)
                out += "file " + suffix.toLatin1() + ' ' + QByteArray::number(f.bytes.size()) + '\n'
                       + f.bytes + '\n';
        }
    }
    return out + "end\n";
}

// The name and the files of a design file, as its lines lay them out; the
// name is checked here, so that every later message can quote it.
bool readLayout(const QByteArray &bytes, QString *name, QMap<QString, QByteArray> *files,
                QString *error)
{
    if (bytes.size() > kMaxPackageBytes)
        return refuse<bool>(error, QStringLiteral("the design file is larger than %1 MiB")
                                       .arg(kMaxPackageBytes / (1024 * 1024)));
    Reader reader(bytes);
    QByteArray line;
    if (reader.line(kMagic.size() + kLongestLength, &line) != Reader::Line::Read
        || !line.startsWith(kMagic))
        return refuse<bool>(error, QStringLiteral("not a vespera design file"));
    const QByteArray version = line.mid(kMagic.size());
    if (version != kVersion) {
        return refuse<bool>(error, isNumber(version)
                                       ? QStringLiteral("the design file is of a newer kind "
                                                        "than this vesweb reads")
                                       : QStringLiteral("not a vespera design file"));
    }

    switch (reader.line(kLongestNameLine, &line)) {
    case Reader::Line::CutShort: return refuse<bool>(error, kCutShort);
    case Reader::Line::TooLong:
        return refuse<bool>(error, QStringLiteral("the design's name is longer than %1 characters")
                                       .arg(kMaxPackageNameLength));
    case Reader::Line::Read: break;
    }
    if (!line.startsWith("name "))
        return refuse<bool>(error, QStringLiteral("the design file names no design"));
    const std::optional<QString> decoded = utf8(line.mid(5));
    if (!decoded)
        return refuse<bool>(error, QStringLiteral("the design's name is not UTF-8 text"));
    if (const QString why = nameProblem(*decoded); !why.isEmpty())
        return refuse<bool>(error, why);
    *name = *decoded;

    for (;;) {
        switch (reader.line(kLongestFileLine, &line)) {
        case Reader::Line::CutShort: return refuse<bool>(error, kCutShort);
        case Reader::Line::TooLong: return refuse<bool>(error, kBadLine);
        case Reader::Line::Read: break;
        }
        if (line == "end")
            break;
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 3 || words[0] != "file")
            return refuse<bool>(error, kBadLine);
        if (files->size() == kMaxPackageEntries)
            return refuse<bool>(
                error,
                QStringLiteral("the design file holds more than %1 files").arg(kMaxPackageEntries));
        const QString suffix = QString::fromLatin1(words[1]);
        if (!designFileSuffixes().contains(suffix))
            return refuse<bool>(error, QStringLiteral("the design file holds a file of no design: "
                                                      "\"%1\"")
                                           .arg(shown(suffix)));
        if (files->contains(suffix))
            return refuse<bool>(
                error, QStringLiteral("the design file holds %1%2 twice").arg(*name, suffix));
        const QByteArray &digits = words[2];
        const qsizetype length =
            isNumber(digits) && digits.size() <= kLongestLength ? digits.toLongLong() : -1;
        if (length < 0)
            return refuse<bool>(error, kBadLine);
        if (length >= reader.left())
            return refuse<bool>(error, kCutShort);
        files->insert(suffix, reader.block(length));
        if (!reader.lineEnd())
            return refuse<bool>(error, kBadLine);
    }
    if (reader.left() != 0)
        return refuse<bool>(error, QStringLiteral("the design file goes on after its end"));
    return true;
}

// A design of these decoded pictures, each made anew as PNG; nothing, with
// the reason, when they do not make a design together.
std::optional<DesignPackage> packageOf(const QString &name, const QMap<QString, QImage> &pictures,
                                       QString *error)
{
    if (const QString why = picturesProblem(name, pictures); !why.isEmpty())
        return refuse<std::optional<DesignPackage>>(error, why);
    DesignPackage package{name, {}};
    for (auto p = pictures.cbegin(); p != pictures.cend(); ++p) {
        const QByteArray png = pngBytes(p.value());
        if (png.isEmpty())
            return refuse<std::optional<DesignPackage>>(
                error, QStringLiteral("%1%2 cannot be made into a PNG picture").arg(name, p.key()));
        package.files.append({p.key(), png});
    }
    return package;
}

} // namespace

std::optional<DesignPackage> readDesignPackage(const QByteArray &bytes, QString *error)
{
    using Result = std::optional<DesignPackage>;
    QString name;
    QMap<QString, QByteArray> files;
    if (!readLayout(bytes, &name, &files, error))
        return std::nullopt;

    if (files.contains(kRecipe)) {
        if (const QString why = recipeProblem(name, files[kRecipe]); !why.isEmpty())
            return refuse<Result>(error, why);
    }
    for (const QString &suffix : {kLeft, kRight}) {
        if (!files.contains(suffix))
            return refuse<Result>(
                error, QStringLiteral("the design \"%1\" has no %2 picture").arg(name, suffix));
    }
    if (files.contains(kLeft2x) != files.contains(kRight2x))
        return refuse<Result>(
            error,
            QStringLiteral("the design \"%1\" has only one of its two larger pictures").arg(name));

    QMap<QString, QImage> pictures;
    for (auto f = files.cbegin(); f != files.cend(); ++f) {
        if (f.key() == kRecipe)
            continue;
        QString why;
        const QImage image =
            packagedPicture(name + f.key(), f.value(), f.key().startsWith(u'@'), &why);
        if (image.isNull())
            return refuse<Result>(error, why);
        pictures.insert(f.key(), image);
    }
    std::optional<DesignPackage> package = packageOf(name, pictures, error);
    if (!package)
        return std::nullopt;
    if (files.contains(kRecipe))
        package->files.append({kRecipe, files[kRecipe]});
    return package;
}

std::optional<DesignPackage> readDesignPackageFile(const QString &path, QString *error)
{
    using Result = std::optional<DesignPackage>;
    const QFileInfo info(path);
    if (info.isDir())
        return refuse<Result>(error, QStringLiteral("%1 is a folder, not a design file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse<Result>(error,
                              QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QString tooLarge = QStringLiteral("the design file is larger than %1 MiB")
                                 .arg(kMaxPackageBytes / (1024 * 1024));
    if (file.size() > kMaxPackageBytes)
        return refuse<Result>(error, tooLarge);
    // A pipe or a device says nothing of its size: read one byte past the
    // bound and no further.
    const QByteArray bytes = file.read(kMaxPackageBytes + 1);
    if (bytes.size() > kMaxPackageBytes)
        return refuse<Result>(error, tooLarge);
    return readDesignPackage(bytes, error);
}

QByteArray exportDesign(const QStringList &folders, const QString &name, QString *error)
{
    if (const QString why = nameProblem(name); !why.isEmpty())
        return refuse<QByteArray>(error, why);
    QString folder;
    for (const QString &f : folders) {
        if (common::fileExists(common::pathIn(f, name + kLeft))
            && common::fileExists(common::pathIn(f, name + kRight))) {
            folder = f;
            break;
        }
    }
    if (folder.isEmpty())
        return refuse<QByteArray>(error, QStringLiteral("no design \"%1\" is installed").arg(name));

    QStringList suffixes = {kLeft, kRight};
    if (common::fileExists(common::pathIn(folder, name + kLeft2x))
        && common::fileExists(common::pathIn(folder, name + kRight2x)))
        suffixes << kLeft2x << kRight2x;
    QMap<QString, QImage> pictures;
    for (const QString &suffix : suffixes) {
        const QString path = common::pathIn(folder, name + suffix);
        const QImage image = readDesignPicture(path);
        if (image.isNull())
            return refuse<QByteArray>(
                error, QStringLiteral("%1 is not a readable design picture").arg(path));
        pictures.insert(suffix, image);
    }
    std::optional<DesignPackage> package = packageOf(name, pictures, error);
    if (!package)
        return QByteArray();
    const QString recipePath = common::pathIn(folder, name + kRecipe);
    if (common::fileExists(recipePath)) {
        QFile file(recipePath);
        if (!file.open(QIODevice::ReadOnly))
            return refuse<QByteArray>(
                error, QStringLiteral("cannot read %1: %2").arg(recipePath, file.errorString()));
        const QByteArray recipe = file.read(kMaxRecipeBytes + 1);
        if (const QString why = recipeProblem(name, recipe); !why.isEmpty())
            return refuse<QByteArray>(error, why);
        package->files.append({kRecipe, recipe});
    }
    const QByteArray bytes = packageBytes(*package);
    if (bytes.size() > kMaxPackageBytes)
        return refuse<QByteArray>(
            error, QStringLiteral("the design \"%1\" makes a file larger than %2 MiB")
                       .arg(name)
                       .arg(kMaxPackageBytes / (1024 * 1024)));
    return bytes;
}

QString freeDesignName(const QString &wanted, const QStringList &folders)
{
    // Any file of a design counts, not only a whole pair: installing over a
    // lone picture or recipe would take it over.
    auto taken = [&folders](const QString &name) {
        for (const QString &folder : folders) {
            for (const QString &suffix : designFileSuffixes()) {
                const QFileInfo there(common::pathIn(folder, name + suffix));
                if (there.exists() || there.isSymLink())
                    return true;
            }
        }
        return false;
    };
    if (!taken(wanted))
        return wanted;
    for (int n = 2; n < 10000; ++n) {
        const QString name = QStringLiteral("%1-%2").arg(wanted).arg(n);
        if (!taken(name))
            return name;
    }
    return QString();
}

bool installDesignPackage(const DesignPackage &package, const QString &userFolder,
                          const QStringList &folders, QString *installedAs, QString *error)
{
    QStringList all = folders;
    if (!all.contains(userFolder))
        all.prepend(userFolder);
    const QString name = freeDesignName(package.name, all);
    if (name.isEmpty())
        return refuse<bool>(
            error, QStringLiteral("no free name for the design \"%1\"").arg(shown(package.name)));
    if (!installDesign(userFolder, name, package.files, error))
        return false;
    if (installedAs)
        *installedAs = name;
    return true;
}

} // namespace vespera

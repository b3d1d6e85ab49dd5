// Reading a design picture.
#include "design_picture.h"

#include "glyph_atlas.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>

namespace vespera {

QImage readDesignPicture(QIODevice *device)
{
    QImageReader reader(device);
    // A design is known by its content, not its name. Left to guess, or told
    // a format but free to ask around, Qt loads every image plugin to ask it
    // before it tries its own PNG reader; the PNG signature says at once what
    // nearly every design is.
    if (device->peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8)) {
        reader.setFormat("png");
        reader.setAutoDetectImageFormat(false);
    } else {
        reader.setDecideFormatFromContent(true);
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return QImage();
    const QImage image = reader.read();
    if (image.isNull() || image.width() < atlas::kMinWidth || image.height() < atlas::kMinHeight)
        return QImage();
    return image;
}

QImage readDesignPicture(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? readDesignPicture(&file) : QImage();
}

QByteArray pngBytes(const QImage &image)
{
    QImage clean(image.size(), image.format());
    clean.setColorTable(image.colorTable());
    const qsizetype line = qMin(clean.bytesPerLine(), image.bytesPerLine());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(clean.scanLine(y), image.constScanLine(y), size_t(line));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(clean) ? bytes : QByteArray();
}

} // namespace vespera

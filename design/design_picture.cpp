// Reading a design picture.
#include "design_picture.h"

#include "glyph_atlas.h"

#include <QFile>
#include <QImageReader>

namespace vespera {

QImage readDesignPicture(QIODevice *device)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true); // a design is known by its content, not its name
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

} // namespace vespera

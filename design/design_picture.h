// Reading a design picture: known by its content, whatever its name says,
// and refused when it cannot hold the glyphs or claims to be huge.
#pragma once

#include <QImage>
#include <QString>

class QIODevice;

namespace vespera {

// A design picture is 440 x 134 (see the glyph atlas); one that says it is
// larger than this on a side is not one, and is not decoded.
constexpr int kMaxPictureSide = 4096;

// The picture, or a null image when it is unreadable, too large, or too
// small for the glyphs.
QImage readDesignPicture(QIODevice *device);
QImage readDesignPicture(const QString &path);

// The pixels alone as PNG: no text, colour profile or other chunk of the
// picture they were read from goes along. Empty when it cannot be written.
QByteArray pngBytes(const QImage &image);

} // namespace vespera

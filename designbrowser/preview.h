// What a design looks like on the desktop, for the catalogue: its face with
// a time, a date and a weekday in place, cut from the design picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

namespace vesweb {

// Null when the picture is too small to hold a design.
QImage designPreview(const QImage &design);
// The preview of a design picture file as PNG; empty when the file is
// missing or not a design picture.
QByteArray designPreviewPng(const QString &picturePath);
// The same for a picture read from `device`.
QByteArray designPreviewPng(QIODevice *device);

} // namespace vesweb

// The face as pixels: the design picture at the screen's scale, and the one
// way its pieces are laid on the window, whether painted or copied straight
// to the screen.
#pragma once

#include "design/skin_layout.h"

#include <QColor>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QFont;

namespace vespera {

// A control as it is painted: where, which rectangle of the design picture
// (plus an overlay for the 24-hour mark), stretched or not.
struct FaceControl {
    QRect geometry;
    QRect source;
    QRect overlay;
    bool visible = true;
    bool stretch = false;
};
using FaceControls = std::array<FaceControl, kCtlCount>;

// What the face shows beyond its controls: the line under the dog and the
// title of a counter view, written on its panel.
struct FaceExtras {
    QLine line;
    QString title;
    QColor titleColor;
};

// One rectangle of the device picture copied to the window, device pixels.
struct CellCopy {
    QRect source;
    QPoint target;
    QRect targetRect() const { return QRect(target, source.size()); }
    bool operator==(const CellCopy &o) const { return source == o.source && target == o.target; }
};

// The same pixels, laid by as few and as small copies as it can: a copy
// that later ones hide is cut to what stays in sight or dropped, and two
// copies that read the picture at the same offset and together make one
// rectangle become one copy. Every request costs the display server a clip
// against the window's outline, whatever its size.
std::vector<CellCopy> mergeCopies(std::vector<CellCopy> copies);

class FaceCanvas {
public:
    // The design as loaded: one picture pixel to a face pixel; and, when the
    // design has one, its picture drawn at twice the size (ignored unless it
    // is exactly that), which the screen is painted from at 150 % and more.
    void setPicture(const QImage &picture, const QImage &twiceTheSize = QImage());
    bool isNull() const { return m_picture.isNull(); }
    const QImage &picture() const { return m_picture; }
    // Device pixels to a face pixel; true when that changed the device picture.
    bool setScale(qreal scale);
    qreal scale() const { return m_scale; }
    // The design at the device's pixels: from the larger picture where there
    // is one and the scale is 1.5 or more, else each picture pixel a block
    // (designs are pixel art: no smoothing); the display server holds a copy.
    const QImage &devicePicture() const { return m_device; }

    // Every edge of a face rectangle goes to the nearest device pixel, so
    // pieces that meet on the face meet on the screen, at any scale.
    QRect toDevice(const QRect &face) const;

    // The copies that draw this part of the face (face pixels), merged;
    // nothing when a part of it needs painting (a stretched panel, the line,
    // the title).
    std::optional<std::vector<CellCopy>> copiesFor(const QRect &area, const FaceControls &controls,
                                                   const FaceExtras &extras) const;
    // Paints a part of the face (device pixels) into an image of the window
    // at device size: the pieces that copiesFor would copy, copied alike.
    void paint(QImage &target, const QRect &deviceArea, const FaceControls &controls,
               const FaceExtras &extras, const QFont &font) const;

private:
    void enlarge(); // makes the device picture from the picture at the scale
    int toDevice(int facePixel) const;
    // The copies that lay one piece of the picture at its natural size into
    // the corner of a control, clipped to the control.
    void addPiece(std::vector<CellCopy> &out, const QRect &at, const QRect &source,
                  const QRect &deviceArea) const;
    void addControl(std::vector<CellCopy> &out, const FaceControl &k,
                    const QRect &deviceArea) const;

    QImage m_picture;
    QImage m_larger; // twice the size, or null
    QImage m_device;
    qreal m_scale = 1.0;
    // The device pixel of each face pixel from 0 on, over the window and the
    // picture, worked out once per scale: the tick asks for a few each second.
    std::vector<int> m_deviceEdge;
};

} // namespace vespera

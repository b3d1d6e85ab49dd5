// The face as pixels: the design picture at the screen's scale, and the one
// way its pieces are laid on the window, whether painted or copied straight
// to the screen.
#include "face_canvas.h"
#include "design/glyph_atlas.h"

#include <QFont>
#include <QPainter>
#include <cmath>

namespace vespera {

namespace {
const QColor kLineColour(0x60, 0x60, 0x60);
constexpr int kTitlePixels = 9; // the counter title's height on the face

int devicePixel(int facePixel, qreal scale) { return int(std::floor(facePixel * scale + 0.5)); }

// For each device pixel along one axis, the face pixel it shows.
std::vector<int> faceIndex(int faceLength, qreal scale)
{
    std::vector<int> index;
    for (int f = 0; f < faceLength; ++f) {
        for (int d = devicePixel(f, scale); d < devicePixel(f + 1, scale); ++d)
            index.push_back(f);
    }
    return index;
}

// For each device pixel along one axis, the pixel of a picture twice the
// face's size that it shows: one of the two that make up its face pixel,
// the one its centre falls in, so no device pixel ever shows a neighbour's
// glyph, however the scale rounds.
std::vector<int> largerIndex(int faceLength, qreal scale)
{
    std::vector<int> index;
    for (int f = 0; f < faceLength; ++f) {
        for (int d = devicePixel(f, scale); d < devicePixel(f + 1, scale); ++d) {
            const qreal within = (d + 0.5) / scale - f; // 0 to 1 across face pixel f
            index.push_back(2 * f + (within >= 0.5 ? 1 : 0));
        }
    }
    return index;
}

QRect lineArea(const QLine &line) { return QRect(line.p1(), line.p2()).normalized(); }
} // namespace

void FaceCanvas::setPicture(const QImage &picture, const QImage &twiceTheSize)
{
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    m_larger = twiceTheSize.size() == picture.size() * 2
                   ? twiceTheSize.convertToFormat(QImage::Format_RGB32)
                   : QImage();
    enlarge();
}

bool FaceCanvas::setScale(qreal scale)
{
    if (scale <= 0 || scale == m_scale)
        return false;
    m_scale = scale;
    enlarge();
    return true;
}

void FaceCanvas::enlarge()
{
    if (m_picture.isNull() || m_scale == 1.0) {
        m_device = m_picture;
        return;
    }
    // Below 150 % the larger picture would lose every other pixel.
    const bool fromLarger = !m_larger.isNull() && m_scale >= 1.5;
    const QImage &source = fromLarger ? m_larger : m_picture;
    const auto index = fromLarger ? largerIndex : faceIndex;
    const std::vector<int> columns = index(m_picture.width(), m_scale);
    const std::vector<int> rows = index(m_picture.height(), m_scale);
    m_device = QImage(int(columns.size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < m_device.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(rows[y]));
        auto *to = reinterpret_cast<QRgb *>(m_device.scanLine(y));
        for (int x = 0; x < m_device.width(); ++x)
            to[x] = from[columns[x]];
    }
}

QRect FaceCanvas::toDevice(const QRect &face) const
{
    const int left = devicePixel(face.left(), m_scale);
    const int top = devicePixel(face.top(), m_scale);
    return QRect(left, top, devicePixel(face.left() + face.width(), m_scale) - left,
                 devicePixel(face.top() + face.height(), m_scale) - top);
}

void FaceCanvas::addPiece(std::vector<CellCopy> &out, const QRect &at, const QRect &source,
                          const QRect &deviceArea) const
{
    const QRect piece(at.topLeft(), at.size().boundedTo(source.size()));
    const QRect target = toDevice(piece);
    const QRect from = toDevice(QRect(source.topLeft(), piece.size()));
    // At a fractional scale the two may round a pixel apart: lay the smaller.
    const QRect laid =
        QRect(target.topLeft(), target.size().boundedTo(from.size())).intersected(deviceArea);
    if (laid.isEmpty())
        return;
    const QRect read = laid.translated(from.topLeft() - target.topLeft());
    out.push_back({read, laid.topLeft()});
}

std::vector<CellCopy> FaceCanvas::backgroundCopies(const QRect &deviceArea) const
{
    std::vector<CellCopy> out;
    addPiece(out, atlas::background(), atlas::background(), deviceArea);
    return out;
}

std::vector<CellCopy> FaceCanvas::controlCopies(const FaceControl &k, const QRect &deviceArea) const
{
    std::vector<CellCopy> out;
    if (!k.visible || k.source.isNull())
        return out;
    addPiece(out, k.geometry, k.source, deviceArea);
    if (!k.overlay.isNull())
        addPiece(out, k.geometry, k.overlay, deviceArea);
    return out;
}

std::optional<std::vector<CellCopy>> FaceCanvas::copiesFor(const QRect &area,
                                                           const FaceControls &controls,
                                                           const FaceExtras &extras) const
{
    if (m_device.isNull() || area.intersects(lineArea(extras.line)))
        return std::nullopt;
    for (const FaceControl &k : controls) {
        if (k.visible && k.stretch && k.geometry.intersects(area))
            return std::nullopt; // stretched panels and their title
    }
    const QRect deviceArea = toDevice(area);
    std::vector<CellCopy> copies = backgroundCopies(deviceArea);
    for (const FaceControl &k : controls) {
        const std::vector<CellCopy> more = controlCopies(k, deviceArea);
        copies.insert(copies.end(), more.begin(), more.end());
    }
    return copies;
}

void FaceCanvas::paint(QImage &target, const QRect &deviceArea, const FaceControls &controls,
                       const FaceExtras &extras, const QFont &font) const
{
    QPainter p(&target);
    p.setClipRect(deviceArea);
    p.fillRect(deviceArea, Qt::black);
    if (m_device.isNull())
        return;
    for (const CellCopy &c : backgroundCopies(deviceArea))
        p.drawImage(c.target, m_device, c.source);
    p.fillRect(toDevice(lineArea(extras.line)), kLineColour);
    for (int i = 0; i < kCtlCount; ++i) {
        const FaceControl &k = controls[i];
        if (!k.visible || k.source.isNull())
            continue;
        if (k.stretch) {
            p.drawImage(QRectF(toDevice(k.geometry)), m_device, QRectF(toDevice(k.source)));
        } else {
            for (const CellCopy &c : controlCopies(k, deviceArea))
                p.drawImage(c.target, m_device, c.source);
        }
        if (static_cast<Ctl>(i) == Ctl::CounterCoverDate && !extras.title.isEmpty()) {
            QFont f = font;
            f.setPixelSize(qMax(1, devicePixel(kTitlePixels, m_scale)));
            p.setFont(f);
            p.setPen(extras.titleColor);
            p.drawText(toDevice(k.geometry), Qt::AlignCenter, extras.title);
        }
    }
}

} // namespace vespera

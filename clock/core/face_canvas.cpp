// The face as pixels: the design picture at the screen's scale, and the one
// way its pieces are laid on the window, whether painted or copied straight
// to the screen.
#include "face_canvas.h"
#include "design/glyph_atlas.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
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

// What of `a` no single rectangle `b` hides, when that is a rectangle: all
// of it, a band along one side, or nothing.
QRect uncovered(QRect a, const QRect &b)
{
    if (!a.intersects(b))
        return a;
    const bool acrossWidth = b.left() <= a.left() && b.right() >= a.right();
    const bool acrossHeight = b.top() <= a.top() && b.bottom() >= a.bottom();
    if (acrossWidth && acrossHeight)
        return QRect();
    if (acrossWidth && b.top() <= a.top())
        a.setTop(b.bottom() + 1);
    else if (acrossWidth && b.bottom() >= a.bottom())
        a.setBottom(b.top() - 1);
    else if (acrossHeight && b.left() <= a.left())
        a.setLeft(b.right() + 1);
    else if (acrossHeight && b.right() >= a.right())
        a.setRight(b.left() - 1);
    return a;
}

// Whether two rectangles together are one rectangle: side by side with the
// same rows, above each other with the same columns, or one inside the other.
bool makeOneRectangle(const QRect &a, const QRect &b)
{
    const QRect both = a.united(b);
    if (both == a || both == b)
        return true;
    if (a.top() == b.top() && a.bottom() == b.bottom())
        return a.left() <= b.right() + 1 && b.left() <= a.right() + 1;
    if (a.left() == b.left() && a.right() == b.right())
        return a.top() <= b.bottom() + 1 && b.top() <= a.bottom() + 1;
    return false;
}

QPoint offsetOf(const CellCopy &c) { return c.source.topLeft() - c.target; }

// Whether any copy strictly between `from` and `to` touches `area`.
bool crossedBetween(const std::vector<CellCopy> &copies, size_t from, size_t to, const QRect &area)
{
    for (size_t k = from + 1; k < to; ++k) {
        if (copies[k].targetRect().intersects(area))
            return true;
    }
    return false;
}
} // namespace

std::vector<CellCopy> mergeCopies(std::vector<CellCopy> copies)
{
    // Cut each copy to what the copies laid after it leave in sight.
    for (size_t i = 0; i < copies.size(); ++i) {
        const QRect whole = copies[i].targetRect();
        QRect seen = whole;
        for (size_t j = i + 1; j < copies.size() && !seen.isEmpty(); ++j)
            seen = uncovered(seen, copies[j].targetRect());
        if (seen != whole)
            copies[i] = {QRect(seen.topLeft() + offsetOf(copies[i]), seen.size()), seen.topLeft()};
    }
    copies.erase(std::remove_if(copies.begin(), copies.end(),
                                [](const CellCopy &c) { return c.source.isEmpty(); }),
                 copies.end());
    // Join pairs at the same offset. The joined copy takes the place of one
    // of the two, which moves the other past the copies in between: allowed
    // only where none of those touches what it moves.
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < copies.size() && !joined; ++i) {
            for (size_t j = i + 1; j < copies.size() && !joined; ++j) {
                const QRect a = copies[i].targetRect(), b = copies[j].targetRect();
                if (offsetOf(copies[i]) != offsetOf(copies[j]) || !makeOneRectangle(a, b))
                    continue;
                const QRect both = a.united(b);
                const CellCopy one{QRect(both.topLeft() + offsetOf(copies[i]), both.size()),
                                   both.topLeft()};
                if (!crossedBetween(copies, i, j, b)) { // the later one comes forward
                    copies[i] = one;
                    copies.erase(copies.begin() + j);
                    joined = true;
                } else if (!crossedBetween(copies, i, j, a)) { // the earlier one waits
                    copies[j] = one;
                    copies.erase(copies.begin() + i);
                    joined = true;
                }
            }
        }
    }
    return copies;
}

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
    const int faceEdges =
        qMax(kWindowWidth, qMax(kWindowHeight, qMax(m_picture.width(), m_picture.height()))) + 1;
    m_deviceEdge.resize(size_t(faceEdges));
    for (int f = 0; f < faceEdges; ++f)
        m_deviceEdge[size_t(f)] = devicePixel(f, m_scale);
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

int FaceCanvas::toDevice(int facePixel) const
{
    return size_t(facePixel) < m_deviceEdge.size() ? m_deviceEdge[size_t(facePixel)]
                                                   : devicePixel(facePixel, m_scale);
}

QRect FaceCanvas::toDevice(const QRect &face) const
{
    const int left = toDevice(face.left());
    const int top = toDevice(face.top());
    return QRect(left, top, toDevice(face.left() + face.width()) - left,
                 toDevice(face.top() + face.height()) - top);
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

void FaceCanvas::addControl(std::vector<CellCopy> &out, const FaceControl &k,
                            const QRect &deviceArea) const
{
    if (!k.visible || k.source.isNull())
        return;
    addPiece(out, k.geometry, k.source, deviceArea);
    if (!k.overlay.isNull())
        addPiece(out, k.geometry, k.overlay, deviceArea);
}

std::optional<std::vector<CellCopy>> FaceCanvas::copiesFor(const QRect &area,
                                                           const FaceControls &controls,
                                                           const FaceExtras &extras) const
{
    if (m_device.isNull() || area.intersects(lineArea(extras.line)))
        return std::nullopt;
    const QRect deviceArea = toDevice(area);
    std::vector<CellCopy> copies;
    copies.reserve(8);
    addPiece(copies, atlas::background(), atlas::background(), deviceArea);
    // Controls apart on the face are apart on the screen too (toDevice keeps
    // shared edges shared), so only those over the area can add a piece.
    for (const FaceControl &k : controls) {
        if (!k.visible || !k.geometry.intersects(area))
            continue;
        if (k.stretch)
            return std::nullopt; // stretched panels and their title
        addControl(copies, k, deviceArea);
    }
    return mergeCopies(std::move(copies));
}

void FaceCanvas::paint(QImage &target, const QRect &deviceArea, const FaceControls &controls,
                       const FaceExtras &extras, const QFont &font) const
{
    QPainter p(&target);
    p.setClipRect(deviceArea);
    p.fillRect(deviceArea, Qt::black);
    if (m_device.isNull())
        return;
    // Piece by piece, bottom first, as they stack: the reference the merged
    // copies of copiesFor must match.
    std::vector<CellCopy> pieces;
    auto lay = [&] {
        for (const CellCopy &c : pieces)
            p.drawImage(c.target, m_device, c.source);
        pieces.clear();
    };
    addPiece(pieces, atlas::background(), atlas::background(), deviceArea);
    lay();
    p.fillRect(toDevice(lineArea(extras.line)), kLineColour);
    for (int i = 0; i < kCtlCount; ++i) {
        const FaceControl &k = controls[i];
        if (!k.visible || k.source.isNull())
            continue;
        if (k.stretch) {
            p.drawImage(QRectF(toDevice(k.geometry)), m_device, QRectF(toDevice(k.source)));
        } else {
            addControl(pieces, k, deviceArea);
            lay();
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

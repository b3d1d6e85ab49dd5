// When the clock slides into its screen edge (tucks) and back out, and where to.
#include "tucking.h"
#include "placement.h"

namespace vespera {

namespace {
// The zone is a little wider than the face and exactly its height from the edge.
constexpr int kZoneWidth = 430;
constexpr int kZoneHeight = 77;
} // namespace

bool pointerAtClock(Corner corner, const platform::WorkArea &wa, QPoint p)
{
    if (!isKnownCorner(corner))
        return true;
    const bool inX =
        isRightCorner(corner) ? p.x() >= wa.Right - kZoneWidth : p.x() <= wa.Left + kZoneWidth;
    const bool inY =
        isBottomCorner(corner) ? p.y() >= wa.Bottom - kZoneHeight : p.y() <= wa.Top + kZoneHeight;
    return inX && inY;
}

TuckMode pointerCheck(bool atClock, bool hideMode, TuckState tuckState)
{
    if (atClock)
        return TuckMode::None;
    if (hideMode)
        return tuckState == TuckState::Tucked ? TuckMode::None : TuckMode::Tuck;
    return tuckState == TuckState::Out ? TuckMode::None : TuckMode::Out;
}

TuckMode faceMove(bool hideMode, bool shiftAlone)
{
    if (hideMode)
        return TuckMode::Out;
    return shiftAlone ? TuckMode::None : TuckMode::Tuck;
}

bool UnseenPointer::countsAsAway(qint64 nowMs)
{
    if (!m_unseenSince)
        m_unseenSince = nowMs;
    return nowMs - *m_unseenSince >= m_waitMs;
}

void UnseenPointer::pushedAway(qint64 nowMs)
{
    const bool wrongGuess = m_cameOutAt && nowMs - *m_cameOutAt < kSoonMs;
    m_waitMs = wrongGuess ? qBound(kFirstWaitMs, m_waitMs * 2, kLongestWaitMs) : 0;
    m_cameOutAt.reset();
    m_unseenSince.reset(); // it was on the face just now
}

TuckMove tuckMove(TuckMode mode, Corner corner, const platform::WorkArea &wa, bool autoTuck,
                  TuckState tuckState)
{
    const bool known = isKnownCorner(corner);
    switch (mode) {
    case TuckMode::Out:
        return {TuckState::Out, known ? std::optional<int>(outLeft(corner, wa)) : std::nullopt};
    case TuckMode::Tuck:
        if (!autoTuck)
            return {tuckState, std::nullopt};
        return {TuckState::Tucked,
                known ? std::optional<int>(tuckedLeft(corner, wa)) : std::nullopt};
    case TuckMode::None: break;
    }
    return {tuckState, std::nullopt};
}

} // namespace vespera

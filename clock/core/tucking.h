// When the clock slides into its screen edge (tucks) and back out, and where to.
#pragma once

#include "design/skin_layout.h"
#include "platform/desktop.h"

#include <QPoint>
#include <optional>

namespace vespera {

// Where the clock is as far as tucking goes: out of the edge, tucked into
// it, or not known, as after every activation, when the next check decides.
enum class TuckState { Undecided, Out, Tucked };

// A request to the tucker: come out, tuck, or leave the window alone.
enum class TuckMode { Out = 0, Tuck = 1, None = -1 };

// Whether the pointer is in the corner zone, where it counts as at the clock.
// A corner outside 0-3 has no zone: the pointer is always at the clock there.
bool pointerAtClock(Corner corner, const platform::WorkArea &wa, QPoint pointer);

// What the once-a-second pointer check asks for. While the pointer is at the
// clock nothing moves; away from it the clock goes where its mode keeps it,
// unless it is there already.
TuckMode pointerCheck(bool atClock, bool hideMode, TuckState tuckState);

// What the pointer moving over the face asks for: in hide mode the clock
// comes out to it; otherwise it slides away, unless [Shift] alone is held.
TuckMode faceMove(bool hideMode, bool shiftAlone);

// The outcome of a request: the new tuck state and, when the window moves
// sideways, its new left edge.
struct TuckMove {
    TuckState tuckState;
    std::optional<int> left;
};
// Tucking needs autoTuck; without it nothing changes, the tuck state included.
TuckMove tuckMove(TuckMode mode, Corner corner, const platform::WorkArea &wa, bool autoTuck,
                  TuckState tuckState);

// In a Wayland session the X server loses sight of the pointer once it
// leaves the X windows, so after sliding away the clock cannot tell whether
// the pointer still rests in its corner. It guesses that the pointer went:
// the clock comes out at the next tick that does not see the pointer. When
// the pointer pushes it away again soon after, each next guess waits twice
// as long, so a pointer working near the corner does not swing the clock
// out and in every second; a clock left out for a while starts afresh.
class UnseenPointer {
public:
    // At a tick with the pointer out of sight: whether it counts as away.
    bool countsAsAway(qint64 nowMs);
    // The pointer was seen: it went out of sight, if at all, only later.
    void seen() { m_unseenSince.reset(); }
    // The clock came out because the pointer counted as away unseen.
    void cameOutOnGuess(qint64 nowMs) { m_cameOutAt = nowMs; }
    // The pointer moved over the face and the clock slid away from it.
    void pushedAway(qint64 nowMs);
    qint64 waitMs() const { return m_waitMs; }

    static constexpr qint64 kSoonMs = 3000;      // pushed back within this: the guess was wrong
    static constexpr qint64 kFirstWaitMs = 2000; // after the first wrong guess
    static constexpr qint64 kLongestWaitMs = 16000;

private:
    std::optional<qint64> m_unseenSince;
    std::optional<qint64> m_cameOutAt;
    qint64 m_waitMs = 0;
};

// Whether a tick that found the window off its place places it anew. It
// does once; found at the same wrong top right after, the window manager
// keeps it there, and placing it every second would only repeat.
class PlacementGuard {
public:
    bool shouldPlace(bool misplaced, int top)
    {
        if (!misplaced) {
            m_strayTop.reset();
            return false;
        }
        const bool place = top != m_strayTop;
        m_strayTop = top;
        return place;
    }
    // What the window manager allows may have changed: try the place again.
    void reset() { m_strayTop.reset(); }

private:
    std::optional<int> m_strayTop; // the top that made the last tick place it
};

} // namespace vespera

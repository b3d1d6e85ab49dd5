// When the clock slides into its screen edge (tucks) and back out, and where to.
#pragma once

#include "platform/desktop.h"

#include <QPoint>
#include <optional>

namespace vespera {

// TuckState values.
constexpr int kTuckUndecided = -2; // set by every activation
constexpr int kTuckOut = -1;
constexpr int kTucked = 1;

// A request to SetTucked: come out, tuck, or leave the window alone.
enum class TuckMode { Out = 0, Tuck = 1, None = -1 };

// Whether the pointer is in the corner zone, where it counts as at the clock.
// A corner outside 0-3 has no zone: the pointer is always at the clock there.
bool pointerAtClock(int corner, const platform::WorkArea &wa, QPoint pointer);

// What the once-a-second pointer check asks for. While the pointer is at the
// clock nothing moves; away from it the clock goes where its mode keeps it,
// unless it is there already.
TuckMode pointerCheck(bool atClock, bool hideMode, int tuckState);

// What the pointer moving over the face asks for: in hide mode the clock
// comes out to it; otherwise it slides away, unless [Shift] alone is held.
TuckMode faceMove(bool hideMode, bool shiftAlone);

// The outcome of SetTucked: the new TuckState and, when the window moves
// sideways, its new left edge.
struct TuckMove {
    int tuckState;
    std::optional<int> left;
};
// Tucking needs Autohid; without it nothing changes, TuckState included.
TuckMove tuckMove(TuckMode mode, int corner, const platform::WorkArea &wa, bool autohide,
                  int tuckState);

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

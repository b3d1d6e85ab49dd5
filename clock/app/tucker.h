// Sliding the clock into its screen edge and back out: where it is as far
// as that goes, what it last knew of the pointer, and the moves the window's
// placer makes for it. The rules themselves are core/tucking's.
#pragma once

#include "window_placer.h"

#include "core/tucking.h"

namespace platform {
class ClockSource;
class Desktop;
} // namespace platform

namespace vespera {

class Tucker {
public:
    Tucker(WindowPlacer &placer, platform::Desktop *desktop, platform::ClockSource *clock);

    TuckState state() const { return m_state; }
    // Every activation: the next check decides anew.
    void forget() { m_state = TuckState::Undecided; }

    // Comes out or tucks in (when tucking is on); the top stays where the
    // window was placed.
    void move(TuckMode mode, Corner corner, bool autoTuck);
    // The once-a-second look at the pointer.
    void checkPointer(Corner corner, bool hideMode, bool autoTuck);
    // The pointer moved over the face.
    void faceMoved(Corner corner, bool hideMode, bool autoTuck);

    // Just came out, maybe under a pointer that rests there: its coming in
    // is no move of the pointer. Cleared at the next tick.
    bool arrivingUnderPointer() const { return m_arrivingUnderPointer; }
    void settle() { m_arrivingUnderPointer = false; }

private:
    WindowPlacer &m_placer;
    platform::Desktop *m_desktop;
    platform::ClockSource *m_clock;
    TuckState m_state = TuckState::Undecided;
    UnseenPointer m_unseenPointer;
    bool m_arrivingUnderPointer = false;
};

} // namespace vespera

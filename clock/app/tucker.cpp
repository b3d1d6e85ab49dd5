// Sliding the clock into its screen edge and back out.
#include "tucker.h"

#include "platform/clock_source.h"
#include "platform/desktop.h"

namespace vespera {

Tucker::Tucker(WindowPlacer &placer, platform::Desktop *desktop, platform::ClockSource *clock)
    : m_placer(placer), m_desktop(desktop), m_clock(clock)
{
}

void Tucker::move(TuckMode mode, Corner corner, bool autoTuck)
{
    if (mode == TuckMode::None)
        return;
    const TuckMove next = tuckMove(mode, corner, m_placer.workArea(), autoTuck, m_state);
    m_state = next.tuckState;
    if (next.left && *next.left != m_placer.placed().x()) {
        m_placer.moveTo({*next.left, m_placer.placed().y()}); // the top stays where it was placed
        // Coming out under the pointer makes it come in without a move.
        m_arrivingUnderPointer = mode == TuckMode::Out;
    }
}

void Tucker::checkPointer(Corner corner, bool hideMode, bool autoTuck)
{
    // Where the clock already is what its mode wants, the pointer cannot
    // change anything: spare the question to the X server.
    if (pointerCheck(false, hideMode, m_state) == TuckMode::None)
        return;
    const qint64 nowMs = m_clock->uptimeMs();
    const std::optional<QPoint> seen = m_desktop->seenPointer();
    bool atClock;
    if (seen) {
        m_unseenPointer.seen();
        atClock = pointerAtClock(corner, m_placer.workArea(), *seen);
    } else {
        atClock = !m_unseenPointer.countsAsAway(nowMs);
    }
    const TuckMode mode = pointerCheck(atClock, hideMode, m_state);
    if (mode == TuckMode::None)
        return;
    move(mode, corner, autoTuck);
    if (!seen && mode == TuckMode::Out)
        m_unseenPointer.cameOutOnGuess(nowMs);
}

void Tucker::faceMoved(Corner corner, bool hideMode, bool autoTuck)
{
    const TuckMode mode = faceMove(hideMode, m_desktop->shiftAlone());
    if (mode == TuckMode::None)
        return;
    if (mode == TuckMode::Tuck && m_state != TuckState::Tucked)
        m_unseenPointer.pushedAway(m_clock->uptimeMs());
    move(mode, corner, autoTuck);
}

} // namespace vespera

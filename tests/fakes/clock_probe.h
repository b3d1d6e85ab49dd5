// What a test reads of the clock window and asks of it beyond what its owner
// may: the tick on the test's own second, and what the clock decided there.
#pragma once

#include "app/clock_window.h"

namespace vespera {

// A friend of ClockWindow. The tick is called at once, rather than waited
// for, because a fake clock stands still between the test's steps; the
// rest is read rather than found in pixels, where one state (a view, a tuck)
// has no one pixel of its own. The face's commands go through the
// interfaces the face pointer, the options and the preset dial use.
class ClockProbe {
public:
    explicit ClockProbe(ClockWindow &clock) : m_clock(clock) {}

    void onTick() { m_clock.onTick(); }
    int msUntilTick() const { return m_clock.msUntilTick(); }
    void onWagStep() { m_clock.onWagStep(); }

    // The menu's commands, called straight: unlike a chosen entry, without
    // the store that follows it.
    void onStandardView() { m_clock.onStandardView(); }
    void onUptimeView() { m_clock.onUptimeView(); }
    void onTotalView() { m_clock.onTotalView(); }
    void onResetTotal() { m_clock.onResetTotal(); }
    void onDontCountToggled() { m_clock.onDontCountToggled(); }
    void onHideModeToggled() { m_clock.onHideModeToggled(); }
    void onAutoTuckToggled() { m_clock.onAutoTuckToggled(); }
    void onQuit() { m_clock.onQuit(); }

    FaceCommands &face() { return m_clock; }
    OptionsTarget &options() { return m_clock; }
    PresetTarget &preset() { return m_clock; }

    View view() const { return m_clock.m_view; }
    TuckState tuckState() const { return m_clock.m_tucker.state(); }
    // The offset of the window manager's frame the shape is cut for.
    int frameOffset() const { return m_clock.m_frameOffset; }
    bool dontCount() const { return m_clock.m_session.dontCount(); }
    // The minutes a counter view shows, the total as stored, the view's title.
    QString shownMinutes() const { return m_clock.m_shownMinutes; }
    QString storedTotal() const { return m_clock.m_session.storedTotal(); }
    QString counterTitle() const { return m_clock.m_faceView.title(); }
    // The reservations the tick checks.
    const AlarmList &alarms() const { return m_clock.m_alarms.list(); }
    const FaceControl &control(Ctl c) const { return m_clock.m_faceView.control(c); }
    QString skinPath() const { return m_clock.m_faceView.picturePath(); }
    QPoint placedPosition() const { return m_clock.m_placer.placed(); }
    std::optional<bool> misplaced()
    {
        return m_clock.m_placer.misplaced(m_clock.m_corner, m_clock.m_frameOffset);
    }
    bool isUnloaded() const { return m_clock.m_unloaded; }
    bool isWagging() const { return m_clock.m_dog.isWagging(); }

private:
    ClockWindow &m_clock;
};

inline ClockProbe probe(ClockWindow &clock) { return ClockProbe(clock); }

} // namespace vespera

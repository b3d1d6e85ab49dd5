// The volume the clock's sounds play at while a sound has a volume of its own.
#pragma once

#include "platform/sound.h"

#include <utility>
#include <vector>

namespace vespera {

// The chime and the alarm notice may each play at a volume of their own for
// a while, and their whiles can overlap: an alarm at hh:00 rings while the
// chime still holds its volume, an alarm comes during the alarm test. Each
// takes a ticket; the volume is that of the newest ticket still held, and
// the user's own once every ticket is given back, whatever the order.
class VolumeOverrides {
public:
    explicit VolumeOverrides(platform::Sound *sound) : m_sound(sound) {}

    platform::Sound *sound() const { return m_sound; }
    // Sets this volume until the ticket is given back.
    int begin(quint32 volume);
    // A ticket given back twice, or never handed out, changes nothing.
    void end(int ticket);
    // The volume without any override: what the user set.
    quint32 userVolume() const;

private:
    platform::Sound *m_sound;
    std::vector<std::pair<int, quint32>> m_held; // ticket, volume; newest last
    quint32 m_user = platform::kFullWaveVolume;
    int m_nextTicket = 1;
};

} // namespace vespera

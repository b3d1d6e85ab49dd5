// The clock's sounds and the wave-out volume they play at.
#pragma once

#include <QString>

namespace platform {

// Volume as the options store it: left channel in the low 16 bits, right in
// the high 16 bits; 0 is silent, 0xFFFF full.
constexpr quint32 kFullWaveVolume = 0xFFFFFFFFu;

class Sound {
public:
    virtual ~Sound() = default;
    // Starts a sound file of the program's data folder without waiting for
    // it; a sound still playing is cut off. A missing file gives the
    // desktop's beep instead.
    virtual void play(const QString &fileName) = 0;
    // The volume every sound of this process plays at; full at first.
    virtual quint32 waveVolume() const = 0;
    virtual void setWaveVolume(quint32 volume) = 0;
    // Why the sounds cannot be heard (no audio device, a file that cannot be
    // played), as far as the last sound tells; empty when they can.
    virtual QString silence() const { return QString(); }
};

} // namespace platform

// The clock's sounds and the wave-out volume they play at.
#pragma once

#include <QString>
#include <memory>

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
};

// What actually makes sound: lives in a library of its own, loaded at the
// first sound, so a clock that never rings never loads the media stack.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path, double volume) = 0; // volume 0..1
    virtual void setVolume(double volume) = 0;                 // for the sound playing
};

// Plays the files of a folder, with the player library found in that folder
// too: programs, data and the player are built into one.
class QtSound : public Sound {
public:
    explicit QtSound(const QString &folder);
    ~QtSound() override;
    void play(const QString &fileName) override;
    quint32 waveVolume() const override { return m_volume; }
    void setWaveVolume(quint32 volume) override;

    // The linear volume 0..1 a wave-out volume plays at: the mean of its channels.
    static double linearVolume(quint32 waveVolume);

private:
    SoundPlayer *player();
    QString m_folder;
    quint32 m_volume = kFullWaveVolume;
    std::unique_ptr<SoundPlayer> m_player;
    bool m_loadTried = false;
};

} // namespace platform

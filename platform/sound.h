// The clock's sounds and the wave-out volume they play at.
#pragma once

#include <QProcess>
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
    // Why the sounds cannot be heard (no audio device, a file that cannot be
    // played), as far as the last sound tells; empty when they can.
    virtual QString silence() const { return QString(); }
};

// Plays the files of the first folder that holds them through the helper
// program "vespera-sound" found in the last one, beside the programs. The
// helper is started at the first sound: a clock that never rings never
// loads the media libraries, and a sound server that fails can only end
// the helper, which the next sound starts again.
class QtSound : public Sound {
public:
    explicit QtSound(const QStringList &folders);
    ~QtSound() override;
    void play(const QString &fileName) override;
    quint32 waveVolume() const override { return m_volume; }
    void setWaveVolume(quint32 volume) override;
    QString silence() const override { return m_silence; }

    // The linear volume 0..1 a wave-out volume plays at: the mean of its channels.
    static double linearVolume(quint32 waveVolume);

private:
    bool send(const QByteArray &command);
    void helperEnded();
    void helperSaid(QProcess &helper); // "sounding" or "silent REASON", after each sound

    QStringList m_folders;
    quint32 m_volume = kFullWaveVolume;
    std::unique_ptr<QProcess> m_helper;
    QByteArray m_lastPlay; // sent again once when the helper ends right after it
    qint64 m_lastPlayAt = 0;
    bool m_retried = false;
    QString m_silence;
    bool m_silenceSaid = false; // on stderr, once a run
};

} // namespace platform

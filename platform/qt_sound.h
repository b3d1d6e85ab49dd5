// The clock's sounds played through a helper program of their own.
#pragma once

#include "sound.h"

#include <QProcess>
#include <QStringList>
#include <memory>

namespace platform {

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

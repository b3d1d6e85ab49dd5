// PlayChime — the half-hour chime, at a volume of its own when the options say so.
#include "chime.h"
#include "alarm_engine.h"

namespace vespera {

namespace {
const QString kChimeSound = QStringLiteral("zihou.wav");
}

Chime::Chime(platform::Sound *sound, common::SettingsStore &store, QObject *parent)
    : QObject(parent), m_sound(sound), m_store(store)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(500);
    m_hold.setSingleShot(true);
    m_hold.setInterval(5000);
    connect(&m_pause, &QTimer::timeout, this, &Chime::start);
    connect(&m_hold, &QTimer::timeout, this, &Chime::restore);
}

void Chime::PlayChime()
{
    if (!m_sound)
        return;
    const bool ownVolume =
        storedLevel(m_store.value(common::kSection, QStringLiteral("nvol")), 0) == 1;
    if (!ownVolume) {
        m_sound->play(kChimeSound);
        return;
    }
    // A chime that comes while one is still playing keeps the volume from
    // before the first, so that is what returns at the end.
    if (!m_savedVolume)
        m_savedVolume = m_sound->waveVolume();
    const int level = storedLevel(m_store.value(common::kSection, QStringLiteral("nvolg")));
    m_sound->setWaveVolume(WaveVolumeFromLevel(level));
    m_hold.stop();
    m_pause.start();
}

void Chime::start()
{
    m_sound->play(kChimeSound);
    m_hold.start();
}

void Chime::restore()
{
    if (m_savedVolume)
        m_sound->setWaveVolume(*m_savedVolume);
    m_savedVolume.reset();
}

} // namespace vespera

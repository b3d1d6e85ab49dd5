// playChime — the half-hour chime, at a volume of its own when the options say so.
#include "chime.h"
#include "alarm_engine.h"
#include "clock_settings.h"

namespace vespera {

namespace {
const QString kChimeSound = QStringLiteral("zihou.wav");
}

Chime::Chime(VolumeOverrides &volumes, common::SettingsStore &store, QObject *parent)
    : QObject(parent), m_volumes(volumes), m_store(store)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(500);
    m_hold.setSingleShot(true);
    m_hold.setInterval(5000);
    connect(&m_pause, &QTimer::timeout, this, &Chime::start);
    connect(&m_hold, &QTimer::timeout, this, &Chime::restore);
}

void Chime::chimeIfDue(const QTime &now)
{
    if (chimeDue(now))
        playChime();
}

void Chime::playChime()
{
    platform::Sound *sound = m_volumes.sound();
    if (!sound)
        return;
    const SoundVolume volume = ClockSettings(m_store).chimeVolume();
    if (!volume.own) {
        sound->play(kChimeSound);
        return;
    }
    // A chime that comes while one is still playing takes over its ticket.
    const int ticket = m_volumes.begin(waveVolumeFromLevel(volume.level));
    restore();
    m_ticket = ticket;
    m_hold.stop();
    m_pause.start();
}

void Chime::start()
{
    if (m_volumes.sound())
        m_volumes.sound()->play(kChimeSound);
    m_hold.start();
}

void Chime::restore()
{
    if (m_ticket)
        m_volumes.end(*m_ticket);
    m_ticket.reset();
}

} // namespace vespera

// PlayChime — the half-hour chime, at a volume of its own when the options say so.
#pragma once

#include "common/settings_store.h"
#include "platform/sound.h"

#include <QObject>
#include <QTimer>
#include <optional>

namespace vespera {

class Chime : public QObject {
    Q_OBJECT
public:
    Chime(platform::Sound *sound, common::SettingsStore &store, QObject *parent = nullptr);

    // With its own volume: set it, play after half a second, and put the
    // earlier volume back five seconds later. Timers wait, not the clock, so
    // the face goes on ticking meanwhile.
    void PlayChime();

private:
    void start();
    void restore();

    platform::Sound *m_sound;
    common::SettingsStore &m_store;
    QTimer m_pause, m_hold;
    std::optional<quint32> m_savedVolume; // set while the chime's own volume is on
};

} // namespace vespera

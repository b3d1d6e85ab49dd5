// playChime — the half-hour chime, at a volume of its own when the options say so.
#pragma once

#include "volume_overrides.h"

#include "common/settings_store.h"

#include <QObject>
#include <QTimer>
#include <optional>

namespace vespera {

class Chime : public QObject {
    Q_OBJECT
public:
    Chime(VolumeOverrides &volumes, common::SettingsStore &store, QObject *parent = nullptr);

    // With its own volume: set it, play after half a second, and put the
    // earlier volume back five seconds later. Timers wait, not the clock, so
    // the face goes on ticking meanwhile.
    void playChime();
    // Plays it at the hour and the half hour (the tick's second 0).
    void chimeIfDue(const QTime &now);

private:
    void start();
    void restore();

    VolumeOverrides &m_volumes;
    common::SettingsStore &m_store;
    QTimer m_pause, m_hold;
    std::optional<int> m_ticket; // held while the chime's own volume is on
};

} // namespace vespera

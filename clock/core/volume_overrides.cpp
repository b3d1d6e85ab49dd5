// The volume the clock's sounds play at while a sound has a volume of its own.
#include "volume_overrides.h"

#include <algorithm>

namespace vespera {

int VolumeOverrides::begin(quint32 volume)
{
    if (m_sound && m_held.empty())
        m_user = m_sound->waveVolume();
    const int ticket = m_nextTicket++;
    m_held.emplace_back(ticket, volume);
    if (m_sound)
        m_sound->setWaveVolume(volume);
    return ticket;
}

void VolumeOverrides::end(int ticket)
{
    const auto it = std::find_if(m_held.begin(), m_held.end(),
                                 [ticket](const auto &held) { return held.first == ticket; });
    if (it == m_held.end())
        return;
    m_held.erase(it);
    if (m_sound)
        m_sound->setWaveVolume(m_held.empty() ? m_user : m_held.back().second);
}

quint32 VolumeOverrides::userVolume() const
{
    if (!m_held.empty() || !m_sound)
        return m_user;
    return m_sound->waveVolume();
}

} // namespace vespera

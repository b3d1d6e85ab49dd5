// The clock's sounds and the wave-out volume they play at.
#include "sound.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace platform {

namespace {
using CreatePlayer = SoundPlayer *(*)();
constexpr char kPlayerLibrary[] = "vespera-sound";
constexpr char kPlayerFactory[] = "vespera_create_sound_player";
} // namespace

QtSound::QtSound(const QString &folder) : m_folder(folder) {}

QtSound::~QtSound() = default;

double QtSound::linearVolume(quint32 waveVolume)
{
    const double left = waveVolume & 0xFFFFu;
    const double right = waveVolume >> 16;
    return (left + right) / 2.0 / 0xFFFF;
}

void QtSound::play(const QString &fileName)
{
    const QFileInfo file(QDir(m_folder).filePath(fileName));
    if (!file.isFile()) {
        QApplication::beep();
        return;
    }
    // Without a player (no media library, no sound server) the clock stays silent.
    if (SoundPlayer *p = player())
        p->play(file.absoluteFilePath(), linearVolume(m_volume));
}

void QtSound::setWaveVolume(quint32 volume)
{
    m_volume = volume;
    if (m_player)
        m_player->setVolume(linearVolume(volume));
}

SoundPlayer *QtSound::player()
{
    if (!m_loadTried) {
        m_loadTried = true;
        QLibrary library(QDir(m_folder).filePath(kPlayerLibrary));
        if (auto create = reinterpret_cast<CreatePlayer>(library.resolve(kPlayerFactory)))
            m_player.reset(create());
        else
            qWarning("vespera: no sound: %s", qPrintable(library.errorString()));
    }
    return m_player.get();
}

} // namespace platform

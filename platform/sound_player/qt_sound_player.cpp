// The sound player the clock loads at its first sound: Qt Multimedia's
// QSoundEffect, one per file, with a new sound cutting off the one playing.
#include "platform/sound.h"

#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

namespace {

class QtSoundPlayer : public platform::SoundPlayer {
public:
    void play(const QString &path, double volume) override
    {
        std::unique_ptr<QSoundEffect> &effect = m_effects[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(path));
        }
        if (m_playing && m_playing != effect.get())
            m_playing->stop();
        effect->stop(); // from the start, also when it is the one playing
        effect->setVolume(float(volume));
        // Never waited for: without a sound server it would never end.
        effect->play();
        m_playing = effect.get();
    }

    void setVolume(double volume) override
    {
        if (m_playing)
            m_playing->setVolume(float(volume));
    }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
    QSoundEffect *m_playing = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT platform::SoundPlayer *vespera_create_sound_player()
{
    return new QtSoundPlayer;
}

// vespera-sound — plays the clock's sounds for it, in a process of its own,
// so that neither the media libraries nor a failing sound server can touch
// the clock. Reads one command per line on standard input and ends with it:
//   play VOLUME PATH   start PATH at VOLUME (0..1), cutting off the sound playing
//   volume VOLUME      change the volume of the sound playing
// and says on standard output whether a sound it was asked for can be heard:
//   sounding           there is an audio device to play it on
//   silent REASON      there is none, or the file cannot be played
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSocketNotifier>
#include <QSoundEffect>
#include <QUrl>

#include <cstdio>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

class Player {
public:
    void play(const QString &path, float volume)
    {
        std::unique_ptr<QSoundEffect> &effect = m_effects[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            QSoundEffect *e = effect.get();
            QObject::connect(e, &QSoundEffect::statusChanged, e, [e, path] {
                if (e->status() == QSoundEffect::Error)
                    say("silent cannot play " + path.toUtf8());
            });
            effect->setSource(QUrl::fromLocalFile(path));
        }
        // Without a device (no sound server, no sound card) nothing is heard.
        say(QMediaDevices::defaultAudioOutput().isNull() ? "silent no audio device" : "sounding");
        if (m_playing && m_playing != effect.get())
            m_playing->stop();
        effect->stop(); // from the start, also when it is the one playing
        effect->setVolume(volume);
        // Never waited for: without a sound server it would never end.
        effect->play();
        m_playing = effect.get();
    }

    void setVolume(float volume)
    {
        if (m_playing)
            m_playing->setVolume(volume);
    }

    void run(const QByteArray &line)
    {
        const QByteArray command = line.trimmed();
        const int first = command.indexOf(' ');
        const int second = command.indexOf(' ', first + 1);
        const QByteArray verb = command.left(first);
        if (verb == "play" && second > first)
            play(QString::fromUtf8(command.mid(second + 1)),
                 command.mid(first + 1, second - first - 1).toFloat());
        else if (verb == "volume" && first > 0)
            setVolume(command.mid(first + 1).toFloat());
    }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
    QSoundEffect *m_playing = nullptr;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Player player;
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) { // the clock has ended
            app.quit();
            return;
        }
        pending.append(buffer, int(n));
        for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            player.run(pending.left(end));
    });
    return app.exec();
}

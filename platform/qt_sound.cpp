// The clock's sounds and the wave-out volume they play at.
#include "qt_sound.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace platform {

namespace {
constexpr char kHelper[] = "vespera-sound";
constexpr qint64 kRetryWindowMs = 3000;

QByteArray volumeText(double v) { return QByteArray::number(v, 'f', 4); }
} // namespace

QtSound::QtSound(const QStringList &folders) : m_folders(folders) {}

QtSound::~QtSound()
{
    if (m_helper && m_helper->state() != QProcess::NotRunning) {
        m_helper->disconnect();
        m_helper->closeWriteChannel(); // the helper ends with its input
        if (!m_helper->waitForFinished(500))
            m_helper->kill();
        m_helper->waitForFinished(500);
    }
}

double QtSound::linearVolume(quint32 waveVolume)
{
    const double left = waveVolume & 0xFFFFu;
    const double right = waveVolume >> 16;
    return (left + right) / 2.0 / 0xFFFF;
}

void QtSound::play(const QString &fileName)
{
    QFileInfo file;
    for (const QString &folder : m_folders) {
        file = QFileInfo(QDir(folder).filePath(fileName));
        if (file.isFile())
            break;
    }
    if (!file.isFile()) {
        QApplication::beep();
        return;
    }
    m_lastPlay = "play " + volumeText(linearVolume(m_volume)) + ' '
                 + file.absoluteFilePath().toUtf8() + '\n';
    m_lastPlayAt = QDateTime::currentMSecsSinceEpoch();
    m_retried = false;
    send(m_lastPlay);
}

void QtSound::setWaveVolume(quint32 volume)
{
    m_volume = volume;
    if (m_helper && m_helper->state() != QProcess::NotRunning)
        send("volume " + volumeText(linearVolume(volume)) + '\n');
}

bool QtSound::send(const QByteArray &command)
{
    if (!m_helper || m_helper->state() == QProcess::NotRunning) {
        const QString program =
            m_folders.isEmpty() ? QString() : QDir(m_folders.last()).filePath(kHelper);
        if (program.isEmpty() || !QFileInfo(program).isExecutable())
            return false; // no helper: silence
        m_helper = std::make_unique<QProcess>();
        m_helper->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(m_helper.get(), &QProcess::finished, m_helper.get(),
                         [this] { helperEnded(); });
        QProcess *helper = m_helper.get();
        QObject::connect(helper, &QProcess::readyReadStandardOutput, helper,
                         [this, helper] { helperSaid(*helper); });
        m_helper->start(program, {});
    }
    // Written before the helper is up, the command waits in the pipe.
    return m_helper->write(command) == command.size();
}

void QtSound::helperSaid(QProcess &helper)
{
    while (helper.canReadLine()) {
        const QByteArray line = helper.readLine().trimmed();
        if (line == "sounding") {
            m_silence.clear();
        } else if (line.startsWith("silent ")) {
            m_silence = QString::fromUtf8(line.mid(7));
            if (!m_silenceSaid) {
                m_silenceSaid = true;
                std::fprintf(stderr, "vespera: the sounds cannot be heard: %s\n",
                             line.mid(7).constData());
            }
        }
    }
}

// A helper that ends just after a sound was asked for (a sound server that
// failed as it was reached) gets one more try with that sound.
void QtSound::helperEnded()
{
    const bool justAsked = QDateTime::currentMSecsSinceEpoch() - m_lastPlayAt < kRetryWindowMs;
    if (!justAsked || m_retried || m_lastPlay.isEmpty())
        return;
    m_retried = true;
    m_helper.release()->deleteLater(); // we are inside its signal
    send(m_lastPlay);
}

} // namespace platform

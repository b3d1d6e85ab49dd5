// The clock's side of the sound helper: what it is told, at which volume,
// the beep for a missing file, and one more try when it ends at once.
#include "fakes/test_files.h"
#include "platform/qt_sound.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A stand-in helper: appends every command it reads to a log; with
// `failFirst` the first one started reads one command and fails.
void writeHelper(const QTemporaryDir &dir, bool failFirst)
{
    QByteArray script = "#!/bin/sh\ncd \"$(dirname \"$0\")\"\n";
    if (failFirst)
        script += "if [ ! -e started ]; then touch started; read line; "
                  "echo \"failed $line\" >> log; exit 1; fi\n";
    script += "while read line; do echo \"$line\" >> log; done\n";
    QVERIFY(fakes::writeFile(dir.filePath("vespera-sound"), script, true));
    QVERIFY(fakes::writeFile(dir.filePath("al.wav")));
}

QStringList logOf(const QTemporaryDir &dir)
{
    QFile log(dir.filePath("log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void theHelperIsToldWhatToPlay()
    {
        QTemporaryDir dir;
        writeHelper(dir, false);
        const QString path = QDir(dir.path()).absoluteFilePath("al.wav");
        {
            platform::QtSound sound({dir.path()});
            QCOMPARE(sound.waveVolume(), platform::kFullWaveVolume);
            sound.play("al.wav");
            sound.setWaveVolume(0x80008000);
            sound.play("al.wav");
            sound.play("missing.wav"); // beeps; nothing for the helper
            QTRY_COMPARE(logOf(dir).size(), 3);
        }
        QCOMPARE(logOf(dir),
                 (QStringList{"play 1.0000 " + path, "volume 0.5000", "play 0.5000 " + path}));
    }

    void aHelperThatEndsAtOnceGetsOneMoreTry()
    {
        QTemporaryDir dir;
        writeHelper(dir, true);
        const QString path = QDir(dir.path()).absoluteFilePath("al.wav");
        platform::QtSound sound({dir.path()});
        sound.play("al.wav");
        QTRY_COMPARE(logOf(dir),
                     (QStringList{"failed play 1.0000 " + path, "play 1.0000 " + path}));
    }

    void noHelperIsSilence()
    {
        QTemporaryDir dir;
        QVERIFY(fakes::writeFile(dir.filePath("al.wav")));
        platform::QtSound sound({dir.path()});
        sound.play("al.wav"); // nothing to start: no crash, no wait
        sound.setWaveVolume(0);
        QCOMPARE(sound.waveVolume(), 0u);
    }
};

QTEST_MAIN(TestSound)
#include "test_sound.moc"

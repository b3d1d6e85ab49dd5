// Which program texts the alarm options accept: files that can run, with or
// without arguments, bare names on PATH, and paths with blanks.
#include "core/program_path.h"
#include "fakes/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vespera;

class TestProgramPath : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, bool executable)
    {
        const QString path = m_dir.filePath(name);
        if (!fakes::writeFile(path, "#!/bin/sh\n", executable))
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void accepted()
    {
        const QString wake = file("wake", true);
        const QString spaced = file("my wake", true);
        QVERIFY(isStartableProgram(wake));
        QVERIFY(isStartableProgram(wake + " --loud 3"));
        QVERIFY(isStartableProgram(spaced));
        QVERIFY(isStartableProgram('"' + spaced + "\" --loud"));
        QVERIFY(isStartableProgram("sh -c true")); // found on PATH
    }

    void refused()
    {
        QVERIFY(!isStartableProgram(""));
        QVERIFY(!isStartableProgram("   "));
        QVERIFY(!isStartableProgram(file("notes.txt", false)));
        QVERIFY(!isStartableProgram(m_dir.path())); // a folder
        QVERIFY(!isStartableProgram(m_dir.filePath("missing")));
        QVERIFY(!isStartableProgram("no-such-program-anywhere --x"));
        QVERIFY(!isStartableProgram("C:\\bin\\wake.exe"));
    }
};

QTEST_GUILESS_MAIN(TestProgramPath)
#include "test_program_path.moc"

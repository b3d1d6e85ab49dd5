// The settings remover: what "は い" deletes and what it leaves, what it
// says, and that Enter on the fresh window keeps everything.
#include "common/settings_store.h"
#include "fakes/fake_platform.h"
#include "fakes/test_files.h"
#include "remover/remover_window.h"
#include "remover/settings_removal.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vesclean;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestRemover : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString iniPath() const { return m_dir.filePath("kestrel.ini"); }
    common::SettingsStore store() const { return common::SettingsStore::atPath(iniPath()); }

private slots:
    void init()
    {
        // Both spellings of our section, another section, and another
        // program's file beside ours.
        QVERIFY(fakes::writeFile(iniPath(), "[pendra]\nskin=night\nsystime=1234\n"
                                            "[other]\nkeep=1\n"
                                            "[Pendra]\nSystime=99\n"));
        QVERIFY(fakes::writeFile(m_dir.filePath("other.ini"), "[pendra]\nx=1\n"));
    }

    void removesEverySpellingAndNothingElse()
    {
        common::SettingsStore s = store();
        QCOMPARE(removeAllSettings(s), Removal::Deleted);
        QVERIFY(!s.value("pendra", "skin"));
        QVERIFY(!s.value("pendra", "systime"));
        QVERIFY(!s.value("Pendra", "Systime"));
        QCOMPARE(s.getSetting("other", "keep"), QString("1"));
        QCOMPARE(readAll(m_dir.filePath("other.ini")), QByteArray("[pendra]\nx=1\n"));
        QCOMPARE(removeAllSettings(s), Removal::NothingStored);
    }

    void enterKeepsTheSettings()
    {
        common::SettingsStore s = store();
        fakes::FakeMessages messages;
        RemoverWindow window(s, messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.focusWidget(), window.noButton());
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!window.isVisible());
        QCOMPARE(s.getSetting("pendra", "skin"), QString("night"));
        QVERIFY(messages.shown.isEmpty());
    }

    void yesDeletesAndSaysSo()
    {
        common::SettingsStore s = store();
        fakes::FakeMessages messages;
        RemoverWindow window(s, messages);
        window.show();
        QTest::mouseClick(window.yesButton(), Qt::LeftButton);
        QCOMPARE(messages.shown, QStringList("レジストリ削除|削除しました。"));
        QVERIFY(!window.isVisible());
        QVERIFY(!s.value("pendra", "skin"));

        RemoverWindow again(s, messages); // nothing left: it still ends, and says so
        again.show();
        again.onYes();
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(messages.shown[1].contains("ありませんでした"));
        QVERIFY(!again.isVisible());
    }

    // While the clock runs nothing is removed (it would write its switches
    // and total back as it closes): it comes forward, the window stays, and
    // once the clock has closed "は い" removes.
    void refusedWhileTheClockRuns()
    {
        common::SettingsStore s = store();
        fakes::FakeMessages messages;
        fakes::FakeInstanceGuard clock;
        clock.running = true;
        RemoverWindow window(s, messages, &clock);
        window.show();
        QTest::mouseClick(window.yesButton(), Qt::LeftButton);
        QCOMPARE(clock.activations, 1);
        QCOMPARE(messages.noticed.size(), 1);
        QVERIFY(messages.noticed[0].contains("時計が起動しています"));
        QVERIFY(window.isVisible());
        QCOMPARE(s.getSetting("pendra", "skin"), QString("night"));
        QVERIFY(s.value("pendra", "systime"));

        clock.running = false; // the user closed it
        QTest::mouseClick(window.yesButton(), Qt::LeftButton);
        QCOMPARE(messages.shown.last(), QString("レジストリ削除|削除しました。"));
        QVERIFY(!window.isVisible());
        QVERIFY(!s.value("pendra", "systime"));
    }

    // A file the remover cannot read, or a lock another program holds too
    // long, is a failure and is reported as one, never as "nothing stored".
    void unreadableFileIsAFailure()
    {
        QVERIFY(QFile::remove(iniPath()));
        QVERIFY(QDir().mkpath(iniPath())); // a folder where the file belongs
        common::SettingsStore s = store();
        fakes::FakeMessages messages;
        RemoverWindow window(s, messages);
        window.show();
        QTest::mouseClick(window.yesButton(), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].contains("削除できませんでした")
                     && messages.shown[0].contains(iniPath()),
                 qPrintable(messages.shown[0]));
        QVERIFY(QDir(iniPath()).removeRecursively());
    }
};

QTEST_MAIN(TestRemover)
#include "test_remover.moc"

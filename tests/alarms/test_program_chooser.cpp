// The program chooser: paths built from folder and file, the volume a path
// lies on, the executable files listed, and what reaches the options' box.
#include "alarms/program_chooser.h"
#include "fakes/test_files.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vespera;

class TestProgramChooser : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void file(const QString &name, bool executable)
    {
        QVERIFY(fakes::writeFile(m_dir.filePath(name), {}, executable));
    }
    void clickRow(QListWidget *list, int row, bool twice = false)
    {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void initTestCase()
    {
        file("wake", true);
        file("radio", true);
        file("notes.txt", false);
    }

    void paths()
    {
        QCOMPARE(chosenPath("/", "clock"), QString("/clock"));
        QCOMPARE(chosenPath("/opt/tools", "wake"), QString("/opt/tools/wake"));
        const QStringList volumes{"/", "/home", "/home2", "/media/usb"};
        QCOMPARE(volumeOf("/home/u/wake", volumes), QString("/home"));
        QCOMPARE(volumeOf("/home2/wake", volumes), QString("/home2"));
        QCOMPARE(volumeOf("/homes/wake", volumes), QString("/"));
        QCOMPARE(volumeOf("/media/usb", volumes), QString("/media/usb"));
        QCOMPARE(browsableVolumes().value(0), QString("/"));
        QVERIFY(!browsableVolumes().contains("/proc"));
    }

    void choosingAFile()
    {
        ProgramChooser chooser("/usr/bin/old", {"/"}, m_dir.path());
        chooser.show();
        QCOMPARE(chooser.windowTitle(), QString("実行ファイルを指定"));
        QCOMPARE(chooser.findChild<QLineEdit *>("pathBox")->text(), QString("/usr/bin/old"));
        QStringList listed;
        for (int i = 0; i < chooser.findChild<QListWidget *>("fileList")->count(); ++i)
            listed << chooser.findChild<QListWidget *>("fileList")->item(i)->text();
        QCOMPARE(listed, (QStringList{"radio", "wake"}));

        clickRow(chooser.findChild<QListWidget *>("fileList"), 1);
        QCOMPARE(chooser.findChild<QLineEdit *>("pathBox")->text(), m_dir.filePath("wake"));
        QTest::keyClicks(chooser.findChild<QLineEdit *>("pathBox"), "xyz"); // keys change nothing
        QCOMPARE(chooser.findChild<QLineEdit *>("pathBox")->text(), m_dir.filePath("wake"));
        QCOMPARE(chooser.chosen(), std::nullopt); // nothing until 指定
        QTest::mouseClick(chooser.findChild<QPushButton *>("chooseButton"), Qt::LeftButton);
        QCOMPARE(chooser.chosen(), m_dir.filePath("wake"));
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
    }

    void doubleClickChooses_closeBoxKeeps()
    {
        {
            ProgramChooser chooser(QString(), {"/"}, m_dir.path());
            chooser.show();
            clickRow(chooser.findChild<QListWidget *>("fileList"), 0);
            chooser.reject(); // the close box
            QCOMPARE(chooser.chosen(), std::nullopt);
        }
        ProgramChooser chooser(QString(), {"/"}, m_dir.path());
        chooser.show();
        clickRow(chooser.findChild<QListWidget *>("fileList"), 0, true);
        QCOMPARE(chooser.chosen(), m_dir.filePath("radio"));
    }

    void anUnreadableFolderListsNothing()
    {
        ProgramChooser chooser("/usr/bin/old", {"/", "/nowhere"}, m_dir.path());
        chooser.show();
        chooser.findChild<QComboBox *>("volumeBox")->setCurrentText("/nowhere");
        QCOMPARE(chooser.findChild<QListWidget *>("fileList")->count(), 0);
        QVERIFY(chooser.isVisible());
        QTest::mouseClick(chooser.findChild<QPushButton *>("chooseButton"),
                          Qt::LeftButton); // the old path stays
        QCOMPARE(chooser.chosen(), QString("/usr/bin/old"));
    }
};

QTEST_MAIN(TestProgramChooser)
#include "test_program_chooser.moc"

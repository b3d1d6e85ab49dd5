// The options dialog driven as a user drives it: typing reservations, the
// closing that a bad program refuses, the corner notice, the design list,
// the volumes read back, the tests of alarm and chime, and the clock's SET.
#include "app/other_windows.h"
#include "fakes/clock_fixture.h"
#include "fakes/clock_probe.h"
#include "fakes/find_child.h"
#include "fakes/test_files.h"
#include "options/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

using fakes::child;
using namespace vespera;

class TestOptionsDialog : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

    fakes::FakeSound m_sound;
    fakes::FakeMessages m_messages;
    fakes::FakeSystemTime m_systemTime;
    fakes::FakeHelp m_help;
    std::unique_ptr<ClockWindow> m_clockWindow;

    std::unique_ptr<OptionsDialog> open()
    {
        m_clockWindow = std::make_unique<ClockWindow>(
            *m_store, ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound},
            CommandLine());
        m_clockWindow->load();
        auto dialog = std::make_unique<OptionsDialog>(*m_clockWindow, *m_store,
                                                      OptionsPlatform{&m_clock,
                                                                      &m_sound,
                                                                      &m_programs,
                                                                      &m_systemTime,
                                                                      &m_messages,
                                                                      {m_data->path()},
                                                                      &m_help});
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qWarning("the options dialog was not shown");
        return dialog;
    }
    // Types into whichever box has the focus, as the keyboard would.
    void type(OptionsDialog &dialog, const QString &keys)
    {
        for (QChar c : keys) {
            QWidget *target = QApplication::focusWidget();
            QVERIFY2(target, "no focus");
            QTest::keyClick(target, c.toLatin1());
        }
        Q_UNUSED(dialog);
    }
    // Near the left edge: a check box takes clicks on its box and text only.
    void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    QStringList rows(QListWidget *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

private slots:
    void init()
    {
        reset();
        m_sound = fakes::FakeSound();
        m_messages = fakes::FakeMessages();
        m_systemTime = fakes::FakeSystemTime();
        m_help = fakes::FakeHelp();
    }

    void opensWithTheClockState()
    {
        set("smode", "3");
        set("0", "07:30:00");
        set("hide", "1");
        set("scm", "1");
        set("pgm", "/usr/bin/wake");
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), QString("Option"));
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*dialog, "okButton")); // OK
        QCOMPARE(child<QComboBox>(*dialog, "cornerBox")->currentText(), QString("右下"));
        QCOMPARE(rows(child<QListWidget>(*dialog, "alarmList")), QStringList{"07:30:00"});
        QVERIFY(child<QRadioButton>(*dialog, "nthWeekdayOption")->isChecked());
        QVERIFY(child<QCheckBox>(*dialog, "programCheck")->isChecked()
                && child<QLineEdit>(*dialog, "programPathBox")->isEnabled());
        QCOMPARE(child<QLineEdit>(*dialog, "programPathBox")->text(), QString("/usr/bin/wake"));
        QCOMPARE(child<QLabel>(*dialog, "designNameLabel")->text(),
                 QString("blue")); // skin missing
    }

    // The browse button asks for a file starting from the box's path; the
    // choice comes back into the box and is stored when the dialog closes.
    void theProgramChooserFillsTheBox()
    {
        QTemporaryDir bin;
        const QString radio = bin.filePath("radio");
        QVERIFY(fakes::writeFile(radio, {}, true));
        set("pgm", "/usr/bin/wake");
        auto dialog = open();
        QSignalSpy asked(dialog.get(), &OptionsDialog::programChooserRequested);
        click(child<QPushButton>(*dialog, "browseProgramButton"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).at(0).toString(), QString("/usr/bin/wake"));
        dialog->setAlarmProgram(radio);
        QCOMPARE(child<QLineEdit>(*dialog, "programPathBox")->text(), radio);
        QVERIFY(dialog->close());
        QCOMPARE(stored("pgm"), radio);
    }

    void typingReservations_data()
    {
        QTest::addColumn<int>("modeClicks");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("added");
        QTest::newRow("7 then 3") << 0 << "73"
                                  << "07:03:00";
        QTest::newRow("PM 7:30") << 2 << "730"
                                 << "19:30:00";
        QTest::newRow("AM 12:00") << 1 << "120"
                                  << "12:00:00";
    }
    void typingReservations()
    {
        QFETCH(int, modeClicks);
        QFETCH(QString, keys);
        QFETCH(QString, added);
        auto dialog = open();
        for (int i = 0; i < modeClicks; ++i)
            click(child<QPushButton>(*dialog, "hourModeButton"));
        child<QLineEdit>(*dialog, "hourBox")->setFocus();
        type(*dialog, keys);
        click(child<QPushButton>(*dialog, "setAlarmButton"));
        QCOMPARE(rows(child<QListWidget>(*dialog, "alarmList")), QStringList{added});
        QVERIFY(m_messages.shown.isEmpty());
    }

    void refusedReservations()
    {
        auto dialog = open();
        child<QLineEdit>(*dialog, "hourBox")->setFocus();
        type(*dialog, "25");
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*dialog, "minuteBox"));
        click(child<QPushButton>(*dialog, "setAlarmButton"));
        QCOMPARE(m_messages.shown, QStringList{"pendra|時間が不正です"});
        QCOMPARE(child<QListWidget>(*dialog, "alarmList")->count(), 0);

        m_messages.shown.clear();
        for (int i = 0; i < 11; ++i)
            child<QListWidget>(*dialog, "alarmList")->addItem("06:00:00");
        child<QLineEdit>(*dialog, "hourBox")->setFocus();
        type(*dialog, "8");
        click(child<QPushButton>(*dialog, "setAlarmButton"));
        QCOMPARE(m_messages.shown, QStringList{"pendra|10項目以上は登録できません。"});
    }

    void deleteAndClear()
    {
        set("0", "07:00:00");
        set("1", "08:00:00");
        set("2", "09:00:00");
        auto dialog = open();
        child<QListWidget>(*dialog, "alarmList")->setCurrentRow(1);
        click(child<QPushButton>(*dialog, "deleteAlarmButton"));
        QCOMPARE(rows(child<QListWidget>(*dialog, "alarmList")),
                 (QStringList{"07:00:00", "09:00:00"}));
        QCOMPARE(child<QListWidget>(*dialog, "alarmList")->currentRow(), 1);
        click(child<QPushButton>(*dialog, "clearAlarmsButton"));
        QCOMPARE(child<QListWidget>(*dialog, "alarmList")->count(), 0);
    }

    void aBadProgramKeepsTheDialogOpenButStoresAll()
    {
        QTemporaryDir bin;
        const QString program = bin.filePath("alarm.sh");
        QVERIFY(fakes::writeFile(program, {}, true));

        auto dialog = open();
        click(child<QCheckBox>(*dialog, "programCheck"));
        child<QLineEdit>(*dialog, "programPathBox")->setText(bin.filePath("alarm.bat"));
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_messages.shown,
                 QStringList{"アラーム起動ソフト|起動するソフトを正常に指定できていません。"});
        QCOMPARE(stored("pgm"), bin.filePath("alarm.bat"));
        child<QLineEdit>(*dialog, "programPathBox")->setText(program);
        QVERIFY(dialog->close());
        QCOMPARE(stored("pgm"), program);

        // Switched off, a bad text still holds the dialog; pgm is stored empty.
        m_messages.shown.clear();
        auto again = open();
        click(child<QCheckBox>(*again, "programCheck"));
        child<QLineEdit>(*again, "programPathBox")->setText("C:\\tools\\alarm.bat");
        QVERIFY(!again->close());
        QCOMPARE(stored("pgm"), QString(""));
    }

    void theCornerTakesEffectAtTheNextStart()
    {
        set("smode", "3");
        auto dialog = open();
        child<QComboBox>(*dialog, "cornerBox")->setCurrentIndex(0);
        QVERIFY(dialog->close());
        QCOMPARE(m_messages.shown,
                 QStringList{"Option|位置の設定の適用は次回起動時に有効となります。"});
        QCOMPARE(stored("smode"), QString("0"));
        QCOMPARE(probe(*m_clockWindow).options().corner(), Corner::BottomRight);
        m_messages.shown.clear();
        OptionsDialog again(
            *m_clockWindow, *m_store,
            OptionsPlatform{
                &m_clock, &m_sound, &m_programs, &m_systemTime, &m_messages, {m_data->path()}});
        QCOMPARE(child<QComboBox>(again, "cornerBox")->currentText(), QString("右下"));
        QVERIFY(again.close());
        QCOMPARE(stored("smode"), QString("3"));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void designsAndTheEmptySkin()
    {
        writeDesign("night");
        // Half a design (no right-corner picture) is not offered: the clock
        // would only show the default in its place.
        QVERIFY(QFile::copy(m_data->filePath("night.vss"), m_data->filePath("half.vss")));
        set("skin", "");
        auto dialog = open();
        QCOMPARE(child<QLabel>(*dialog, "designNameLabel")->text(), QString(""));
        QCOMPARE(rows(child<QListWidget>(*dialog, "designList")),
                 (QStringList{"blue.vss", "night.vss"}));
        QVERIFY(dialog->close());
        QCOMPARE(stored("skin"), QString("blue"));

        auto again = open();
        const QRect night = child<QListWidget>(*again, "designList")
                                ->visualItemRect(child<QListWidget>(*again, "designList")->item(1));
        QTest::mouseClick(child<QListWidget>(*again, "designList")->viewport(), Qt::LeftButton, {},
                          night.center());
        QCOMPARE(child<QLabel>(*again, "designNameLabel")->text(), QString("night"));
        QVERIFY(again->close());
        QCOMPARE(stored("skin"), QString("night"));
    }

    // Settings that cannot be stored (here the file gave way to a folder
    // while the dialog was open) are reported once, and the dialog closes
    // with its choices in effect for this run.
    void unstorableSettingsAreReportedOnce()
    {
        auto dialog = open();
        click(child<QCheckBox>(*dialog, "use24HourCheck"));
        QVERIFY(QFile::remove(m_store->filePath()));
        QVERIFY(QDir().mkpath(m_store->filePath()));
        QVERIFY(dialog->close());
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY2(m_messages.shown[0].startsWith("pendra|設定を保存できませんでした。")
                     && m_messages.shown[0].contains(m_store->filePath()),
                 qPrintable(m_messages.shown.join('\n')));
        QVERIFY(m_clockWindow->flags().use24Hour);
        QVERIFY(QDir(m_store->filePath()).removeRecursively());
    }

    // Closing with nothing changed leaves the file as it was.
    void anUnchangedCloseWritesNothing()
    {
        set("0", "07:30:00*");
        set("pgm", "/bin/true");
        open()->close(); // stores what the dialog shows, the clock's flags too
        const QByteArray before = fakes::readFile(m_store->filePath());
        const int writes = m_store->writeCount();
        auto dialog = open();
        QVERIFY(dialog->close());
        QCOMPARE(fakes::readFile(m_store->filePath()), before);
        QCOMPARE(m_store->writeCount(), writes);
    }

    void volumesAndFlagsGoBack()
    {
        set("nvol", "1");
        set("nvolg", "77");
        m_sound.volume = 0xC8C8C8C8;
        auto dialog = open();
        QCOMPARE(child<QScrollBar>(*dialog, "alarmVolumeBar")->value(), 200);
        QVERIFY(!child<QScrollBar>(*dialog, "alarmVolumeBar")->isEnabled());
        QCOMPARE(child<QScrollBar>(*dialog, "chimeVolumeBar")->value(), 77);
        QVERIFY(child<QScrollBar>(*dialog, "chimeVolumeBar")->isEnabled());

        click(child<QCheckBox>(*dialog, "alarmVolumeCheck"));
        child<QScrollBar>(*dialog, "alarmVolumeBar")->setValue(128);
        click(child<QCheckBox>(*dialog, "chimeVolumeCheck"));
        click(child<QCheckBox>(*dialog, "use24HourCheck"));
        QVERIFY(child<QCheckBox>(*dialog, "use24HourCheck")->isChecked());
        click(child<QCheckBox>(*dialog, "alwaysOnTopCheck"));
        click(child<QCheckBox>(*dialog, "alarmCheck"));
        const int writes = m_store->writeCount();
        QVERIFY(dialog->close());
        QCOMPARE(m_store->writeCount() - writes, 1); // one close, one rewrite
        QCOMPARE(stored("vol"), QString("1"));
        QCOMPARE(stored("volg"), QString("128"));
        QCOMPARE(stored("nvol"), QString("0"));
        QCOMPARE(stored("nvolg"), QString("77"));
        QVERIFY(m_clockWindow->flags().use24Hour);
        QVERIFY(!m_clockWindow->flags().alwaysOnTop);
        QVERIFY(m_clockWindow->flags().alarmOn);
    }

    // A sound's own volume as stored shows in its box and bar; closing
    // writes it back as it was, and a level stays stored while its box is
    // off, so that switching on again offers it.
    void volumeKeysReadBack_data()
    {
        QTest::addColumn<QString>("on");    // "<absent>": no key
        QTest::addColumn<QString>("level"); // the same
        QTest::addColumn<bool>("own");
        QTest::addColumn<int>("shown"); // without its own, the desktop's: 200
        QTest::newRow("absent") << "<absent>"
                                << "<absent>" << false << 200;
        QTest::newRow("own") << "1"
                             << "77" << true << 77;
        QTest::newRow("own, blanks round it") << " 1 "
                                              << " 9" << true << 9;
        // The level the sounds play at without one: shown, and kept on closing
        // rather than silenced.
        QTest::newRow("own, no level") << "1"
                                       << "<absent>" << true << 200;
        QTest::newRow("own, level no number") << "1"
                                              << "loud" << true << 0;
        QTest::newRow("switched off, level kept") << "0"
                                                  << "77" << false << 200;
        QTest::newRow("not a number") << "yes"
                                      << "77" << false << 200;
    }
    void volumeKeysReadBack()
    {
        QFETCH(QString, on);
        QFETCH(QString, level);
        QFETCH(bool, own);
        QFETCH(int, shown);
        for (const auto &[key, value] : {std::pair{"vol", on}, std::pair{"volg", level},
                                         std::pair{"nvol", on}, std::pair{"nvolg", level}}) {
            if (value != "<absent>")
                set(key, value);
        }
        m_sound.volume = 0xC8C8C8C8;
        auto dialog = open();
        for (const char *sound : {"alarm", "chime"}) {
            const QByteArray name(sound);
            auto *check = child<QCheckBox>(*dialog, (name + "VolumeCheck").constData());
            auto *bar = child<QScrollBar>(*dialog, (name + "VolumeBar").constData());
            QCOMPARE(check->isChecked(), own);
            QCOMPARE(bar->isEnabled(), own);
            QCOMPARE(bar->value(), shown);
        }
        QVERIFY(dialog->close());
        const QString levelStored = own ? QString::number(shown) : level;
        QCOMPARE(stored("vol"), QString(own ? "1" : "0"));
        QCOMPARE(stored("nvol"), stored("vol"));
        QCOMPARE(stored("volg"), levelStored);
        QCOMPARE(stored("nvolg"), levelStored);
    }

    void theTests()
    {
        auto dialog = open();
        QSignalSpy notices(dialog.get(), &OptionsDialog::alarmTestRequested);
        click(child<QPushButton>(*dialog, "alarmTestButton"));
        QCOMPARE(m_messages.shown, QStringList{"pendra|アラームをONにしてください。"});
        click(child<QCheckBox>(*dialog, "alarmCheck"));
        click(
            child<QCheckBox>(*dialog, "programCheck")); // a program, but none named: nothing starts
        click(child<QPushButton>(*dialog, "alarmTestButton"));
        QVERIFY(m_programs.commands.isEmpty());
        QCOMPARE(notices.count(), 0);
        QVERIFY(child<QPushButton>(*dialog, "alarmTestButton")->isEnabled());
        click(child<QCheckBox>(*dialog, "programCheck"));
        click(child<QPushButton>(*dialog, "alarmTestButton"));
        QCOMPARE(notices.count(), 1);
        QCOMPARE(stored("vol"), QString("0"));

        click(child<QCheckBox>(*dialog, "chimeCheck"));
        click(child<QCheckBox>(*dialog, "chimeVolumeCheck"));
        child<QScrollBar>(*dialog, "chimeVolumeBar")->setValue(0);
        m_sound.volume = 0x12345678;
        click(child<QPushButton>(*dialog, "chimeTestButton"));
        QCOMPARE(stored("nvol"), QString("1"));
        QCOMPARE(stored("nvolg"), QString("0"));
        QCOMPARE(m_sound.volume, 0u);
        QVERIFY(!child<QPushButton>(*dialog, "alarmTestButton")->isEnabled()
                && !child<QPushButton>(*dialog, "chimeTestButton")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*dialog, "chimeTestButton")->isEnabled(),
                                 15000);
        QTRY_COMPARE(m_sound.volume, 0x12345678u);
        QVERIFY(child<QPushButton>(*dialog, "alarmTestButton")->isEnabled());
    }

    void helpTopics()
    {
        auto dialog = open();
        QTest::keyClick(child<QComboBox>(*dialog, "cornerBox"), Qt::Key_F1);
        click(child<QPushButton>(*dialog, "moreDesignsButton"));
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*dialog, "okButton"));
        child<QPushButton>(*dialog, "moreDesignsButton")->setFocus();
        QTest::keyClick(child<QPushButton>(*dialog, "moreDesignsButton"), Qt::Key_F1);
        QCOMPARE(m_help.topics, (QList<int>{16, 39, 39}));
        QVERIFY(QFile::exists(QString(VESPERA_BIN_DIR) + "/help16.html"));
        QVERIFY(QFile::exists(QString(VESPERA_BIN_DIR) + "/help39.html"));
        QCOMPARE(m_messages.shown, QStringList());
        // No page could be opened: F1 says so, as the welcome window's "ヘルプ" does.
        m_help.topicsFound = false;
        QTest::keyClick(child<QComboBox>(*dialog, "cornerBox"), Qt::Key_F1);
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown[0].endsWith("|ヘルプを開けませんでした。"));
    }

    // On a screen too small for the dialog (a small one at 200 %) it shrinks
    // to the screen, keeps its title bar on it, and its page scrolls to OK.
    // (Run at 200 % by its own test.)
    void fitsASmallScreen()
    {
        auto dialog = open();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QRect room = dialog->screen()->availableGeometry();
        if (room.height() > 6690 / 15 + 60)
            QSKIP("the screen is large enough for the dialog");
        QVERIFY2(room.contains(dialog->geometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                   .arg(dialog->x())
                                                                   .arg(dialog->y())
                                                                   .arg(dialog->width())
                                                                   .arg(dialog->height())));
        QVERIFY(room.contains(dialog->frameGeometry())); // the title bar too
        auto *page = dialog->findChild<QScrollArea *>();
        QVERIFY(page && page->verticalScrollBar()->maximum() > 0);
        if (room.width() > 7800 / 15 + 60) // wide enough: it scrolls only as high as it must
            QCOMPARE(page->horizontalScrollBar()->maximum(), 0);
        page->ensureWidgetVisible(child<QPushButton>(*dialog, "okButton"));
        const QRect ok(child<QPushButton>(*dialog, "okButton")->mapTo(dialog.get(), QPoint()),
                       child<QPushButton>(*dialog, "okButton")->size());
        QVERIFY(dialog->rect().contains(ok));
    }

    void oneDialogAtATime()
    {
        auto dialog = open(); // for the clock window
        dialog->close();
        OtherWindows windows(*m_clockWindow, *m_store,
                             ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound},
                             &m_messages, &m_systemTime);
        probe(*m_clockWindow).face().onOptionButton();
        QPointer<OptionsDialog> first = windows.options();
        QVERIFY(first && first->isVisible());
        probe(*m_clockWindow).face().onOptionButton();
        QCOMPARE(windows.options(), first.data());
        first->close();
        QTRY_VERIFY(!first);
    }

    // The alarm test while an alarm's notice is open: that notice gives way,
    // the test's notice shows, and the button comes back.
    void alarmTestOverAnOpenNotice()
    {
        set("0", "07:30:00");
        set("al", "1");
        auto dialog = open();
        OtherWindows windows(*m_clockWindow, *m_store,
                             ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound},
                             &m_messages, &m_systemTime);
        dialog->close();
        probe(*m_clockWindow).face().onOptionButton();
        OptionsDialog *options = windows.options();
        m_clock.time.setTime(QTime(7, 30, 0));
        probe(*m_clockWindow).onTick();
        QPointer<AlarmNotice> alarmNotice = windows.notice();
        QVERIFY(alarmNotice && alarmNotice->isVisible());
        QTimer::singleShot(200, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        child<QCheckBox>(*options, "alarmCheck")->setChecked(true);
        click(child<QPushButton>(*options,
                                 "alarmTestButton")); // returns when the test's notice has closed
        QVERIFY(!alarmNotice);
        QVERIFY(child<QPushButton>(*options, "alarmTestButton")->isEnabled());
        QCOMPARE(m_sound.files().count("al.wav"), 2);
        options->close();
    }

    // F1 and "その他のデザイン" reach the help viewer through the clock's
    // own set-up of the dialog, not only when a test hands it one.
    void helpThroughTheClocksWindows()
    {
        auto dialog = open();
        dialog->close();
        OtherWindows windows(*m_clockWindow, *m_store,
                             ClockPlatform{&m_clock, &m_desktop, &m_random, &m_programs, &m_sound},
                             &m_messages, &m_systemTime, &m_help);
        probe(*m_clockWindow).face().onOptionButton();
        OptionsDialog *options = windows.options();
        QVERIFY(options);
        m_help.topics.clear();
        QTest::keyClick(child<QComboBox>(*options, "cornerBox"), Qt::Key_F1);
        click(child<QPushButton>(*options, "moreDesignsButton"));
        QCOMPARE(m_help.topics, (QList<int>{16, 39}));
        options->close();
    }

    // Escape closes as the close box does: every edit is applied and stored.
    void escapeStoresLikeTheCloseBox()
    {
        auto dialog = open();
        click(child<QCheckBox>(*dialog, "alarmVolumeCheck"));
        click(child<QCheckBox>(*dialog, "use24HourCheck"));
        QTest::keyClick(child<QPushButton>(*dialog, "okButton"), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(stored("vol"), QString("1"));
        QVERIFY(m_clockWindow->flags().use24Hour);
    }

    // Enter in the hour and minute boxes is no digit: it does not press OK
    // and close the dialog over a reservation not yet added.
    void enterInTheTimeBoxesIsDiscarded()
    {
        auto dialog = open();
        std::vector<std::unique_ptr<QSignalSpy>> presses;
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            presses.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
        for (QLineEdit *box :
             {child<QLineEdit>(*dialog, "hourBox"), child<QLineEdit>(*dialog, "minuteBox")}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter);
        }
        QVERIFY(dialog->isVisible());
        for (const auto &spy : presses)
            QCOMPARE(spy->count(), 0); // no button, default or not, was pressed
    }

    // While the dialog is open the clock removes a one-time alarm that rang
    // and adds a preset one; closing keeps both changes and the user's own.
    void whatTheClockChangedSurvivesTheClose()
    {
        set("0", "07:30:00*");
        set("1", "08:00:00");
        set("2", "06:00:00");
        set("al", "1");
        auto dialog = open();
        m_clock.time.setTime(QTime(7, 30, 0));
        probe(*m_clockWindow).onTick(); // rings, and the one-time alarm goes
        QCOMPARE(stored("0"), QString("08:00:00"));
        QVERIFY(probe(*m_clockWindow).preset().addPresetAlarm(Alarm::fromStored("10:15:00*")));

        child<QListWidget>(*dialog, "alarmList")->setCurrentRow(2); // the user deletes 06:00:00...
        click(child<QPushButton>(*dialog, "deleteAlarmButton"));
        child<QLineEdit>(*dialog, "hourBox")->setFocus(); // ...and adds 9:05
        type(*dialog, "95");
        click(child<QPushButton>(*dialog, "setAlarmButton"));
        dialog->close();
        const QStringList expected{"08:00:00", "10:15:00*", "09:05:00"};
        AlarmList now = ClockSettings(*m_store).alarms();
        QCOMPARE(storedTexts(now), expected);
        QCOMPARE(storedTexts(probe(*m_clockWindow).alarms()), expected);
    }

    void mergingEdits_data()
    {
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("edited");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("merged");
        const QStringList ab{"07:00:00", "08:00:00"};
        QTest::newRow("nothing changed") << ab << ab << ab << ab;
        QTest::newRow("clock removed one")
            << ab << ab << QStringList{"08:00:00"} << QStringList{"08:00:00"};
        QTest::newRow("clock added, user cleared")
            << ab << QStringList() << QStringList{"07:00:00", "08:00:00", "09:00:00*"}
            << QStringList{"09:00:00*"};
        QTest::newRow("duplicates, one removed")
            << QStringList{"07:00:00", "07:00:00"} << QStringList{"07:00:00"}
            << QStringList{"07:00:00", "07:00:00", "10:00:00*"}
            << QStringList{"07:00:00", "10:00:00*"};
        QTest::newRow("removed what the clock removed too")
            << ab << QStringList{"08:00:00", "11:00:00"} << QStringList{"08:00:00"}
            << QStringList{"08:00:00", "11:00:00"};
    }
    void mergingEdits()
    {
        QFETCH(QStringList, opened);
        QFETCH(QStringList, edited);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, merged);
        QCOMPARE(storedTexts(mergeAlarmEdits(alarmsFromStored(opened), alarmsFromStored(edited),
                                             alarmsFromStored(stored))),
                 merged);
    }

    // A corner the clock does not know shows as the top-left one it is laid
    // out like; closing without touching it says nothing and keeps the key.
    void handEditedCornerIsLeftAlone()
    {
        set("smode", "7");
        auto dialog = open();
        QCOMPARE(child<QComboBox>(*dialog, "cornerBox")->currentText(), QString("左上"));
        dialog->close();
        QVERIFY(m_messages.shown.isEmpty());
        QCOMPARE(stored("smode"), QString("7"));
    }

    // A design name a site stored is shown as it is, never as markup.
    void designNameIsPlainText()
    {
        set("skin", "<b>big</b>");
        auto dialog = open();
        QLabel plain(child<QLabel>(*dialog, "designNameLabel")->parentWidget());
        plain.setGeometry(child<QLabel>(*dialog, "designNameLabel")->geometry());
        plain.setTextFormat(Qt::PlainText);
        plain.setText("<b>big</b>");
        QCOMPARE(child<QLabel>(*dialog, "designNameLabel")->grab().toImage(),
                 plain.grab().toImage());
    }

    void setTheComputersClock()
    {
        m_clock.time.setTime(QTime(23, 59, 45));
        auto dialog = open();
        click(child<QPushButton>(*dialog, "laterButton"));
        click(child<QPushButton>(*dialog, "laterButton"));
        QTRY_COMPARE(child<QLabel>(*dialog, "targetLabel")->text(), QString("00:02:00"));
        m_systemTime.result = {false, "時刻を設定する権限がありません。"};
        click(child<QPushButton>(*dialog, "setClockButton"));
        QCOMPARE(m_systemTime.asked, QList<QTime>{QTime(0, 2)});
        QCOMPARE(m_messages.shown, QStringList{"Option|時刻を設定する権限がありません。"});
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"

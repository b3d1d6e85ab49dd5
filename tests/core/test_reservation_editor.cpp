// The reservation editor's typing rules, driven key by key as a user types
// them, in each hour mode; the checks of "セット"; "削除".
#include "core/reservation_editor.h"

#include <QtTest>

using namespace vespera;

namespace {

// Stands for the editor's boxes: a text box takes a key after its key-press
// rule, replaces a text selected on entry, holds two characters at most,
// and its key-release rule may move the focus on.
struct Typist {
    QString mode = QStringLiteral("24");
    QString hour, minute;
    QString hourPart = QStringLiteral("00"), minutePart = QStringLiteral("00"),
            secondPart = QStringLiteral("00");
    EditorFocus focus = EditorFocus::Stay; // Stay: the hour box
    bool selected = true;

    static void put(QString &text, QChar key, KeyAction action, bool &selected)
    {
        if (action == KeyAction::Discard)
            return;
        if (action == KeyAction::EmptyThenType || selected)
            text.clear();
        selected = false;
        if (text.size() < 2)
            text += key;
    }
    void moveTo(EditorFocus to)
    {
        if (to != EditorFocus::Stay && to != focus) {
            focus = to;
            selected = true; // entering a box selects its text
        }
    }
    void type(const QString &keys)
    {
        for (QChar key : keys) {
            if (focus == EditorFocus::Stay) {
                put(hour, key, hourKeyPress(selected ? QString() : hour, key, mode), selected);
                const AfterKey after = hourKeyRelease(hour, mode);
                hourPart = after.staged;
                moveTo(after.focus);
            } else if (focus == EditorFocus::Minute) {
                put(minute, key, minuteKeyPress(selected ? QString() : minute, key), selected);
                const AfterKey after = minuteKeyRelease(minute);
                minutePart = after.staged;
                moveTo(after.focus);
            }
        }
    }
    void nextMode()
    {
        mode = nextHourMode(mode);
        hourPart = stagedHour(hour, mode);
    }
    void toMinuteBox() { moveTo(EditorFocus::Minute); }
    AddOutcome set(int listSize = 0) const
    {
        return addReservation(mode, hour, minute, hourPart, minutePart, secondPart, listSize);
    }
};

} // namespace

class TestReservationEditor : public QObject {
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<int>("modePresses"); // 0: 24, 1: AM, 2: PM
        QTest::addColumn<QString>("hourKeys");
        QTest::addColumn<QString>("minuteKeys"); // typed after the focus moved on, or after a click
        QTest::addColumn<QString>("outcome");    // the entry, or the refusal
        QTest::newRow("24: 7 then 3 goes to the minutes") << 0 << "73"
                                                          << ""
                                                          << "07:03:00";
        QTest::newRow("24: 25 is refused") << 0 << "25"
                                           << ""
                                           << "時間が不正です";
        QTest::newRow("24: 9, minutes left alone") << 0 << "9"
                                                   << ""
                                                   << "09:00:00";
        QTest::newRow("24: 0 moves on at once") << 0 << "0"
                                                << "45"
                                                << "00:45:00";
        QTest::newRow("24: letters are dropped") << 0 << "1x7"
                                                 << "0"
                                                 << "17:00:00";
        QTest::newRow("24: 23:59") << 0 << "23"
                                   << "59"
                                   << "23:59:00";
        QTest::newRow("24: minute 6 moves on to セット") << 0 << "8"
                                                         << "67"
                                                         << "08:06:00";
        QTest::newRow("PM 7:30") << 2 << "7"
                                 << "30"
                                 << "19:30:00";
        QTest::newRow("AM 12:00 is noon") << 1 << "12"
                                          << "0"
                                          << "12:00:00";
        QTest::newRow("PM with no hour") << 2 << ""
                                         << "15"
                                         << "12:15:00";
        QTest::newRow("PM 0 is refused") << 2 << "0"
                                         << "10"
                                         << "時間が不正です";
        QTest::newRow("AM 13 is refused") << 1 << "13"
                                          << "5"
                                          << "時間が不正です";
    }
    void typing()
    {
        QFETCH(int, modePresses);
        QFETCH(QString, hourKeys);
        QFETCH(QString, minuteKeys);
        QFETCH(QString, outcome);
        Typist t;
        for (int i = 0; i < modePresses; ++i)
            t.nextMode();
        t.type(hourKeys);
        if (!minuteKeys.isEmpty()) {
            t.toMinuteBox();
            t.type(minuteKeys);
        }
        const AddOutcome added = t.set();
        QCOMPARE(added.refusal.isEmpty() ? added.alarm.toStored() : added.refusal, outcome);
    }

    void focusMovesOn()
    {
        Typist t;
        t.type("7");
        QCOMPARE(t.focus, EditorFocus::Minute);
        t.type("4");
        QCOMPARE(t.focus, EditorFocus::Minute);
        t.type("5");
        QCOMPARE(t.focus, EditorFocus::Set);
        QCOMPARE(t.hourPart + ':' + t.minutePart, QString("07:45"));

        Typist zero;
        zero.type("0");
        zero.type("0");
        QCOMPARE(zero.focus, EditorFocus::Seconds);
    }

    // Back in a box whose number cannot grow, a digit starts a new one.
    void aFullBoxStartsAnew()
    {
        QCOMPARE(hourKeyPress("3", '5', "24"), KeyAction::EmptyThenType);
        QCOMPARE(hourKeyPress("2", '3', "24"), KeyAction::Type);
        QCOMPARE(hourKeyPress("2", '3', "PM"), KeyAction::EmptyThenType);
        QCOMPARE(minuteKeyPress("6", '1'), KeyAction::EmptyThenType);
        QCOMPARE(minuteKeyPress("5", '9'), KeyAction::Type);
        QCOMPARE(minuteKeyPress("5", ':'), KeyAction::Discard);
    }

    void theModeRestagesTheHour()
    {
        Typist t;
        t.type("7");
        QCOMPARE(t.hourPart, QString("07"));
        t.nextMode(); // AM
        QCOMPARE(t.hourPart, QString("07"));
        t.nextMode(); // PM
        QCOMPARE(t.hourPart, QString("19"));
        t.nextMode();
        QCOMPARE(t.mode, QString("24"));
    }

    void elevenButNotTwelve()
    {
        QCOMPARE(addReservation("24", "7", "", "07", "00", "00", 10).alarm.toStored(),
                 QString("07:00:00"));
        QCOMPARE(addReservation("24", "7", "", "07", "00", "00", 11).refusal,
                 QString("10項目以上は登録できません。"));
        QCOMPARE(addReservation("24", "7", "75", "07", "75", "00", 0).refusal,
                 QString("分が不正です"));
    }

    void deleting()
    {
        AlarmList list = alarmsFromStored({"07:00:00", "08:00:00", "09:00:00"});
        QCOMPARE(deleteReservation(list, 1), 1);
        QCOMPARE(storedTexts(list), (QStringList{"07:00:00", "09:00:00"}));
        QCOMPARE(deleteReservation(list, 1), -1); // the last one: nothing to select
        QCOMPARE(deleteReservation(list, -1), -1);
        QCOMPARE(storedTexts(list), QStringList{"07:00:00"});
    }
};

QTEST_GUILESS_MAIN(TestReservationEditor)
#include "test_reservation_editor.moc"

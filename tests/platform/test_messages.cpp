// The shared question box, driven by keys and the mouse as a user drives it:
// what answers it, what never does, and its first moment, when no key does.
#include "platform/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

namespace {

constexpr int kPatience = 60000;
// Long enough for a key that would answer to have answered (a mnemonic
// clicks its button a tenth of a second later).
constexpr int kChanceToAnswer = 1000;

// Puts the question and, once its box is up, hands the box to `drive`.
bool ask(platform::QtMessages &messages, const std::function<void(QMessageBox *)> &drive)
{
    QTimer::singleShot(0, [drive] {
        QMessageBox *box = nullptr;
        (void)QTest::qWaitFor(
            [&] {
                // Keys go to the active window, as they do on a desktop.
                box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                return box && QApplication::activeWindow() == box;
            },
            kPatience);
        if (box)
            drive(box);
    });
    return messages.question("vesweb", "設定を変更してもよろしいですか？");
}

// A key as the user types it: to whichever control of the box has the focus.
void type(QMessageBox *box, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == box ? focus : box, Qt::Key(key), modifiers);
}

// Whether the box went away within a generous while.
bool answered(QMessageBox *box)
{
    return QTest::qWaitFor([box] { return !box->isVisible(); }, kChanceToAnswer);
}

void click(QMessageBox *box, QMessageBox::StandardButton button)
{
    QTest::mouseClick(box->button(button), Qt::LeftButton);
}

} // namespace

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    // After its first moment: Enter, Space and Escape say no, Alt and a
    // letter say what the letter says, and a letter alone says nothing
    // (the mouse answers then).
    void keysThatAnswer_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << true << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << true << false;
        QTest::newRow("Alt+Y") << int(Qt::Key_Y) << int(Qt::AltModifier) << true << true;
        QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier) << true << false;
        // The mouse then says the other thing than the letter.
        QTest::newRow("y alone") << int(Qt::Key_Y) << 0 << false << false;
        QTest::newRow("Y with Shift") << int(Qt::Key_Y) << int(Qt::ShiftModifier) << false << false;
        QTest::newRow("n alone") << int(Qt::Key_N) << 0 << false << true;
    }
    void keysThatAnswer()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, answers);
        QFETCH(bool, yes);
        platform::QtMessages messages(0);
        bool closedByKey = false;
        const bool said = ask(messages, [&](QMessageBox *box) {
            type(box, key, Qt::KeyboardModifiers(modifiers));
            closedByKey = answered(box);
            if (!closedByKey)
                click(box, yes ? QMessageBox::Yes : QMessageBox::No);
        });
        QCOMPARE(closedByKey, answers);
        QCOMPARE(said, yes);
    }

    // In its first moment no key answers, not even Alt and a letter; the
    // mouse does.
    void firstMomentKeysAreDropped()
    {
        platform::QtMessages messages(kPatience);
        bool closedByKey = false;
        const bool said = ask(messages, [&](QMessageBox *box) {
            for (const auto &[key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                                 {Qt::Key_Escape, Qt::NoModifier},
                                                 {Qt::Key_Space, Qt::NoModifier},
                                                 {Qt::Key_N, Qt::AltModifier},
                                                 {Qt::Key_Y, Qt::AltModifier},
                                                 {Qt::Key_Y, Qt::NoModifier}})
                type(box, key, modifiers);
            closedByKey = answered(box);
            if (!closedByKey)
                click(box, QMessageBox::Yes);
        });
        QVERIFY(!closedByKey);
        QVERIFY(said);
    }

    // The first moment is a moment: half a second later Enter says no.
    void keysAnswerAfterTheFirstMoment()
    {
        platform::QtMessages messages;
        const bool said = ask(messages, [](QMessageBox *box) {
            QTest::qWait(platform::QtMessages::kKeysIgnoredMs + 200);
            type(box, Qt::Key_Return, Qt::NoModifier);
            if (!answered(box))
                click(box, QMessageBox::Yes);
        });
        QVERIFY(!said);
    }
};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"

// Every window in English, as a user whose desktop runs in English sees it:
// no Japanese left, and no text cut off by its control. Without the
// translation the same windows keep their Japanese texts, and fit too.
#include "alarms/alarm_notice.h"
#include "alarms/preset_dial.h"
#include "alarms/program_chooser.h"
#include "app/other_windows.h"
#include "common/ui_language.h"
#include "designbrowser/catalogue.h"
#include "designbrowser/studio.h"
#include "fakes/clock_fixture.h"
#include "fakes/find_child.h"
#include "info/about_window.h"
#include "info/welcome_window.h"
#include "options/options_dialog.h"
#include "remover/remover_window.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTranslator>
#include <QtTest>

using fakes::child;
using namespace vespera;

namespace {

// Kana, kanji and full-width forms; the symbols both languages show ("：",
// "●", "□", "↑", "―") are outside these ranges.
bool hasJapanese(const QString &text)
{
    for (QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff)
            || (u >= 0xff01 && u <= 0xff5e && u != 0xff1a))
            return true;
    }
    return false;
}

QString plain(QString text) { return text.remove(QLatin1Char('&')); }

// How far the ink of the widest line reaches from where the text starts: a
// text is cut when its ink leaves the room, not when its advance does (a
// full-width "：" is mostly blank).
int widest(const QFontMetrics &fm, const QString &text)
{
    int w = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        w = qMax(w, fm.tightBoundingRect(line).right() + 1);
    return w;
}

// The texts a window shows, each with whether it fits its control: the room
// its style gives the text, not the control's own width.
struct Shown {
    QString text;
    bool fits;
};

QList<Shown> textsOf(QWidget *window)
{
    QList<Shown> shown;
    shown << Shown{window->windowTitle(), true};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            const QRect room = label->contentsRect();
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(room.width()) <= room.height()
                                  : widest(fm, label->text()) <= room.width()
                                        && fm.lineSpacing() * (label->text().count('\n') + 1)
                                               <= room.height() + fm.leading() + 2;
            shown << Shown{label->text(), fits};
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            // The room each kind of button leaves its caption.
            const QStyle::SubElement contents =
                qobject_cast<QCheckBox *>(w)      ? QStyle::SE_CheckBoxContents
                : qobject_cast<QRadioButton *>(w) ? QStyle::SE_RadioButtonContents
                                                  : QStyle::SE_PushButtonContents;
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room = button->style()->subElementRect(contents, &option, button);
            shown << Shown{button->text(),
                           button->text().isEmpty()
                               || widest(fm, plain(button->text())) <= room.width()};
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            shown << Shown{group->title(), widest(fm, group->title()) <= group->width()};
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i)
                shown << Shown{combo->itemText(i), widest(fm, combo->itemText(i)) <= room.width()};
        }
    }
    return shown;
}

// The controls a user reads or works, each once: the parts a composite
// control is built of (a spin box's editor, a scroll area's bars) belong to it.
bool isControl(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const QAbstractScrollArea *>(p) && !p->inherits("QScrollArea")
            || p->objectName().startsWith(QLatin1String("qt_scrollarea_")))
            return false;
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w)
           || qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w)
           || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QAbstractSlider *>(w)
           || qobject_cast<const QAbstractScrollArea *>(w) && !w->inherits("QScrollArea")
           || qobject_cast<const QGroupBox *>(w);
}

// What other controls may sit on: a group's frame, or a picture.
bool isFrame(const QWidget *w)
{
    auto *label = qobject_cast<const QLabel *>(w);
    return qobject_cast<const QGroupBox *>(w) || label && !label->pixmap().isNull();
}

// Pairs of visible controls that cover each other. A control inside another
// (a check box in its group's frame) is not an overlap.
QStringList overlapsIn(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->isVisibleTo(window) && isControl(w) && !w->size().isEmpty())
            controls << w;
    const auto name = [](const QWidget *w) {
        QString text;
        if (auto *label = qobject_cast<const QLabel *>(w))
            text = label->text();
        else if (auto *button = qobject_cast<const QAbstractButton *>(w))
            text = button->text();
        else if (auto *group = qobject_cast<const QGroupBox *>(w))
            text = group->title();
        const QString id =
            w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
        text.remove(QLatin1Char('\n'));
        return text.isEmpty() ? id : QStringLiteral("%1 \"%2\"").arg(id, text.left(20));
    };
    QStringList found;
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i], *b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const QRect ra(a->mapTo(window, QPoint()), a->size());
            const QRect rb(b->mapTo(window, QPoint()), b->size());
            if (ra.contains(rb) && isFrame(a) || rb.contains(ra) && isFrame(b))
                continue;
            if (ra.intersects(rb))
                found << QStringLiteral("%1 over %2 (%3x%4)")
                             .arg(name(a), name(b))
                             .arg((ra & rb).width())
                             .arg((ra & rb).height());
        }
    }
    return found;
}

void menuTexts(const QMenu *menu, QStringList &texts)
{
    texts << menu->title();
    for (const QAction *a : menu->actions()) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        texts << a->text();
        if (a->menu())
            menuTexts(a->menu(), texts);
    }
}

} // namespace

class TestEnglish : public QObject, protected fakes::ClockFixture {
    Q_OBJECT

    QTranslator m_english;
    bool m_inEnglish = false;
    fakes::FakeSound m_sound;
    fakes::FakeMessages m_messages;
    fakes::FakeSystemTime m_systemTime;
    fakes::FakeHelp m_help;

    // Every text in the window's language, none cut off.
    void check(QWidget *window, const QStringList &expected)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList texts, problems;
        for (const Shown &s : textsOf(window)) {
            texts << s.text;
            if (!s.fits)
                problems << QStringLiteral("cut off: \"%1\"").arg(s.text);
            if (m_inEnglish && hasJapanese(s.text))
                problems << QStringLiteral("Japanese left: \"%1\"").arg(s.text);
        }
        problems << overlapsIn(window);
        for (const QString &problem : problems) // one a line: a message is cut short
            qWarning("%s: %s", window->metaObject()->className(), qPrintable(problem));
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(
                                         window->metaObject()->className(), problems.join(", "))));
        for (const QString &text : expected)
            QVERIFY2(texts.contains(text),
                     qPrintable("missing \"" + text + "\" among: " + texts.join(" | ")));
    }

    void setLanguage(bool english)
    {
        m_inEnglish = english;
        if (english)
            QCoreApplication::installTranslator(&m_english);
        else
            QCoreApplication::removeTranslator(&m_english);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_english.load(QStringLiteral("vespera_en"), QStringLiteral(VESPERA_BIN_DIR)),
                 "the English translation was not built");
    }
    void init() { reset(); }

    void windows_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << true;
        QTest::newRow("Japanese") << false;
    }

    void windows()
    {
        QFETCH(bool, english);
        setLanguage(english);
        const auto say = [english](const char *en, const char *ja) {
            return QString::fromUtf8(english ? en : ja);
        };

        auto clock = start();
        QStringList menu;
        menuTexts(child<QMenu>(*clock, "root"), menu);
        for (const QString &text : menu)
            QVERIFY2(!english || !hasJapanese(text), qPrintable(text));
        QVERIFY(menu.contains(say("Settings", "設定")));
        QVERIFY(menu.contains(say("Hide automatically", "自動的に隠す")));
        QVERIFY(menu.contains(say("7 AM (morning)", "朝　　 午前　７時")));
        // The hours as an English speaker says them round midnight and noon.
        QVERIFY(menu.contains(say("Midnight", "深夜　午前　０時")));
        QVERIFY(menu.contains(say("Noon", "真昼　午前１２時")));
        QVERIFY(menu.contains(say("1 PM (afternoon)", "真昼　午後　１時")));

        {
            OptionsDialog options(*clock, *m_store,
                                  OptionsPlatform{&m_clock,
                                                  &m_sound,
                                                  &m_programs,
                                                  &m_systemTime,
                                                  &m_messages,
                                                  {m_data->path()},
                                                  &m_help});
            check(&options, {say("Clock position", "時計の位置"), say("Top left", "左上"),
                             say("Chime", "30分時報"), say("Time now", "現在時刻")});
        }
        {
            VolumeOverrides volumes(&m_sound);
            AlarmNotice notice(volumes, *m_store, &m_clock, false);
            notice.showRing(QTime(7, 30), true);
            check(&notice, {say("(late)", "（遅れて通知）"), say("Snooze", "スヌーズ"),
                            say("Alarm:", "です。"), say("7:30 AM", "AM 07:30")});
            // Read as a line: the word, then the time; or the time, then the word.
            const QLabel *first = english ? notice.findChild<QLabel *>("headLabel")
                                          : notice.findChild<QLabel *>("timeLabel");
            const QLabel *second = english ? notice.findChild<QLabel *>("timeLabel")
                                           : notice.findChild<QLabel *>("tailLabel");
            QVERIFY(first->isVisible() && second->isVisible());
            QVERIFY(first->geometry().right() < second->geometry().left());
            QVERIFY(!(english ? notice.findChild<QLabel *>("tailLabel")
                              : notice.findChild<QLabel *>("headLabel"))
                         ->isVisible());
        }
        {
            // The dial's picture in the window's language.
            for (const char *file : {"preset.png", "preset.en.png"})
                QVERIFY(QFile::copy(QString(VESPERA_BIN_DIR) + "/" + file, m_data->filePath(file)));
            PresetScale scale;
            PresetDial dial(*clock, scale, &m_clock, &m_messages);
            check(&dial, {say("Preset alarm", "プリセットアラーム")});
            QCOMPARE(dial.pictureFile(),
                     m_data->filePath(english ? "preset.en.png" : "preset.png"));
        }
        {
            ProgramChooser chooser(QString(), {"/"}, m_data->path());
            check(&chooser, {say("Choose", "指　定")});
        }
        {
            WelcomeWindow welcome(*m_store, &m_help, &m_messages);
            check(&welcome,
                  {say("Got it, don't show this again", "了解したので、次回以降表示しない"),
                   say("What's new", "更新情報")});
        }
        {
            for (const char *file :
                 {"about.png", "blink0.png", "blink1.png", "inu0.png", "inu1.png", "inu2.png"})
                QVERIFY(QFile::copy(QString(VESPERA_BIN_DIR) + "/" + file, m_data->filePath(file)));
            int wags = 0;
            AboutWindow about(&m_random, wags);
            check(&about, {"VESPERA", "Close"}); // the same in both
        }
        {
            vesclean::RemoverWindow remover(*m_store, m_messages);
            check(&remover, {say("Remove the settings stored by VESPERA?",
                                 "VESPERA　で設定されたレジストリを削除しますか？"),
                             say("Yes", "は い"), say("No", "いいえ")});
        }
        const QByteArray page = vesweb::cataloguePage({});
        QVERIFY(page.contains(english ? "lang=\"en\"" : "lang=\"ja\""));
        // The studio's page carries every text as ASCII: an English one has
        // no Japanese left in it, apart from the weekday in its preview.
        const QByteArray studio = vesweb::studioPage({});
        QVERIFY(studio.contains(english ? "lang=\"en\"" : "lang=\"ja\""));
        if (english) {
            for (const char *text : {"Design studio", "Use this design", "Digit style", "Colours"})
                QVERIFY2(studio.contains(text), text);
            QVERIFY(!QRegularExpression("&#(1[2-9]|[2-3][0-9]|40)[0-9]{3};")
                         .match(QString::fromLatin1(studio))
                         .hasMatch());
        }
        setLanguage(false);
    }

    // The messages language as the environment gives it.
    void languageFromTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<bool>("english");
        QTest::newRow("nothing set")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray() << false;
        QTest::newRow("C") << QByteArray() << QByteArray() << QByteArray() << QByteArray("C")
                           << false;
        QTest::newRow("C.UTF-8") << QByteArray() << QByteArray() << QByteArray()
                                 << QByteArray("C.UTF-8") << false;
        QTest::newRow("POSIX messages") << QByteArray() << QByteArray() << QByteArray("POSIX")
                                        << QByteArray("en_US.UTF-8") << false;
        QTest::newRow("LANG English")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray("en_GB.UTF-8") << true;
        QTest::newRow("LANG Japanese")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray("ja_JP.UTF-8") << false;
        QTest::newRow("LANG German")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray("de_DE.UTF-8") << false;
        QTest::newRow("messages over LANG") << QByteArray() << QByteArray() << QByteArray("en_US")
                                            << QByteArray("ja_JP.UTF-8") << true;
        QTest::newRow("LC_ALL over messages") << QByteArray() << QByteArray("ja_JP.UTF-8")
                                              << QByteArray("en_US") << QByteArray() << false;
        QTest::newRow("LANGUAGE first") << QByteArray("en") << QByteArray() << QByteArray()
                                        << QByteArray("ja_JP.UTF-8") << true;
        QTest::newRow("LANGUAGE with C")
            << QByteArray("en") << QByteArray() << QByteArray() << QByteArray("C") << true;
        QTest::newRow("LANGUAGE list") << QByteArray("fr:de:en_GB") << QByteArray() << QByteArray()
                                       << QByteArray("ja_JP.UTF-8") << true;
        QTest::newRow("LANGUAGE Japanese first")
            << QByteArray("ja:en") << QByteArray() << QByteArray() << QByteArray("en_US.UTF-8")
            << false;
        QTest::newRow("LANGUAGE none we have") << QByteArray("fr") << QByteArray() << QByteArray()
                                               << QByteArray("en_US.UTF-8") << true;
        QTest::newRow("LANGUAGE C") << QByteArray("C") << QByteArray() << QByteArray()
                                    << QByteArray("en_US.UTF-8") << false;
    }
    void languageFromTheEnvironment()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, lang);
        QFETCH(bool, english);
        QCOMPARE(common::uiLanguageFrom(language, lcAll, lcMessages, lang)
                     == common::UiLanguage::English,
                 english);
    }

    void localizedFileNames()
    {
        using common::UiLanguage;
        QCOMPARE(common::localizedFileName("help16.html", UiLanguage::English),
                 QString("help16.en.html"));
        QCOMPARE(common::localizedFileName("update.txt", UiLanguage::English),
                 QString("update.en.txt"));
        QCOMPARE(common::localizedFileName("README", UiLanguage::English), QString("README.en"));
        QCOMPARE(common::localizedFileName("help16.html", UiLanguage::Japanese),
                 QString("help16.html"));
    }
};

QTEST_MAIN(TestEnglish)
#include "test_english.moc"

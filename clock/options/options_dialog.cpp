// OptionsDialog — the options dialog: display, alarms and clock adjustment. Every
// setting is read when it opens and applied and stored when it closes.
#include "options_dialog.h"

#include "common/twips.h"
#include "program_path.h"

#include "alarms/alarm_engine.h"
#include "platform/clock_source.h"
#include "platform/help_viewer.h"
#include "platform/messages.h"
#include "platform/program_starter.h"
#include "platform/sound.h"
#include "platform/system_time.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

using common::twips;

namespace vespera {

namespace {
const QString kTitle = QStringLiteral("pendra"); // the program's title on its message boxes
constexpr int kDialogTopic = 16, kDesignsTopic = 39;
constexpr int kChimeHoldMs = 5600; // the chime keeps its own volume 5.5 s

template <typename W> W *place(W *w, const QRect &r)
{
    w->setGeometry(r);
    return w;
}

QLabel *label(const QString &text, const QRect &r, QWidget *parent)
{
    return place(new QLabel(text, parent), r);
}

QString key(const char *name) { return QString::fromLatin1(name); }

// A tall, narrow button too narrow for its caption writes it downwards, one
// character a line, as a caption wraps in a box that tall.
void writeDownwards(QPushButton *button)
{
    const QString caption = button->text();
    if (button->fontMetrics().horizontalAdvance(caption) <= button->width() - 6)
        return;
    QStringList characters;
    for (QChar c : caption)
        characters << QString(c);
    button->setText(characters.join(QLatin1Char('\n')));
}
} // namespace

OptionsDialog::OptionsDialog(OptionsTarget &clock, common::SettingsStore &store, const OptionsPlatform &platform,
             QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_clock(clock), m_store(store), m_platform(platform)
{
    setWindowTitle(QStringLiteral("Option"));
    setFixedSize(7800 / 15, 6690 / 15);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    Command4 = place(new QPushButton(QStringLiteral("OK"), this), twips(6120, 6120, 1455, 375));
    buildDisplay(place(new QGroupBox(tr("表示"), this), twips(240, 120, 3135, 5730)));
    buildAlarms(place(new QGroupBox(tr("アラーム"), this), twips(3600, 1080, 3975, 4815)));
    buildAdjustment(place(new QGroupBox(tr("時計合わせ"), this), twips(3600, 120, 3975, 915)));
    label(tr("ヘルプ：[F1]"), twips(240, 6000, 2775, 375), this);
    connect(Command4, &QPushButton::clicked, this, &QDialog::close);

    // The focus starts on OK, and Tab goes on from there.
    setTabOrder(Command4, Combo1);
    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &OptionsDialog::Timer1_Timer);
    Timer1.start();
    Form_Load();
}

void OptionsDialog::buildDisplay(QGroupBox *frame)
{
    label(tr("時計の位置"), twips(240, 270, 1695, 405), frame);
    Combo1 = place(new QComboBox(frame), twips(240, 540, 2055, 390));
    Combo1->addItems({tr("左上"), tr("左下"), tr("右上"), tr("右下")});
    Check6 = place(new QCheckBox(tr("常に手前"), frame), twips(240, 1005, 2175, 300));
    Check5 = place(new QCheckBox(tr("自動的に隠す"), frame), twips(240, 1275, 2415, 300));
    Check9 = place(new QCheckBox(tr("24時間表示"), frame), twips(240, 1545, 2775, 300));
    Check4 = place(new QCheckBox(tr("ワンちゃんを動かせる"), frame), twips(240, 1800, 2775, 300));
    label(tr("左側ゲージのモード"), twips(240, 2370, 2175, 405), frame);
    Option1 = place(new QRadioButton(tr("カレンダ位置"), frame), twips(480, 2640, 2175, 300));
    Option2 = place(new QRadioButton(tr("第○曜日表示"), frame), twips(480, 2925, 2175, 300));
    label(tr("時計のデザイン"), twips(240, 3240, 1815, 405), frame);
    Label12 = label(QString(), twips(360, 3600, 2415, 405), frame);
    Label12->setTextFormat(Qt::PlainText); // a name a design site set, never markup
    File1 = place(new QListWidget(frame), twips(240, 3960, 2655, 1170));
    Command10 = place(new QPushButton(tr("その他のデザイン"), frame), twips(240, 5160, 2655, 360));
    connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        Label12->setText(item->text().left(item->text().size() - 4));
    });
    connect(Command10, &QPushButton::clicked, this, [this] {
        showHelp(kDesignsTopic);
        Command4->setFocus();
    });
}

void OptionsDialog::buildAlarms(QGroupBox *frame)
{
    label(tr("アラームの予約"), twips(240, 240, 1935, 285), frame);
    List1 = place(new QListWidget(frame), twips(240, 540, 1455, 1140));
    Command7 = place(new QPushButton(tr("削除"), frame), twips(1680, 540, 375, 1155));
    writeDownwards(Command7);
    Command9 = place(new QPushButton(QStringLiteral("AC"), frame), twips(2040, 540, 375, 1155));
    Check2 = place(new QCheckBox(tr("30分時報"), frame), twips(2520, 540, 1335, 390));
    Check3 = place(new QCheckBox(tr("アラーム"), frame), twips(2520, 900, 1335, 285));
    Command6 = place(new QPushButton(m_mode, frame), twips(120, 1740, 615, 360));
    Text3 = place(new QLineEdit(frame), twips(840, 1740, 375, 360));
    label(QStringLiteral("："), twips(1170, 1785, 135, 255), frame);
    Text4 = place(new QLineEdit(frame), twips(1320, 1740, 375, 390));
    label(QStringLiteral("："), twips(1635, 1785, 135, 255), frame);
    Text5 = place(new QLineEdit(QStringLiteral("00"), frame), twips(1800, 1740, 375, 375));
    Command5 = place(new QPushButton(tr("セット"), frame), twips(2400, 1740, 1335, 360));
    label(tr("アラーム時起動するソフト"), twips(240, 2220, 3135, 405), frame);
    Check1 = place(new QCheckBox(frame), twips(210, 2565, 255, 255));
    Text2 = place(new QLineEdit(frame), twips(480, 2520, 2295, 360));
    Command8 = place(new QPushButton(tr("参照"), frame), twips(2880, 2520, 855, 345));
    auto *line = place(new QFrame(frame), QRect(0, 3120 / 15, 3960 / 15, 1));
    line->setFrameShape(QFrame::HLine);
    Check7 = place(new QCheckBox(tr("アラーム音量変更"), frame), twips(240, 3240, 2295, 285));
    Command11 = place(new QPushButton(tr("テスト"), frame), twips(2640, 3240, 1095, 345));
    HScroll1 = place(new QScrollBar(Qt::Horizontal, frame), twips(240, 3600, 3495, 255));
    Check8 = place(new QCheckBox(tr("時報音量変更"), frame), twips(240, 3960, 2295, 285));
    Command12 = place(new QPushButton(tr("テスト"), frame), twips(2640, 3990, 1095, 315));
    HScroll2 = place(new QScrollBar(Qt::Horizontal, frame), twips(240, 4320, 3495, 255));

    for (QLineEdit *box : {Text3, Text4, Text5}) {
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
    }
    Text5->setReadOnly(true);
    connect(Command6, &QPushButton::clicked, this, [this] {
        m_mode = nextHourMode(m_mode);
        Command6->setText(m_mode);
        H = stagedHour(Text3->text(), m_mode);
    });
    connect(Command5, &QPushButton::clicked, this, &OptionsDialog::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, [this] {
        AlarmList entries;
        for (int i = 0; i < List1->count(); ++i)
            entries << List1->item(i)->text();
        const int next = deleteReservation(entries, List1->currentRow());
        if (entries.size() == List1->count())
            return; // nothing was selected
        List1->clear();
        List1->addItems(entries);
        List1->setCurrentRow(next);
    });
    connect(Command9, &QPushButton::clicked, List1, &QListWidget::clear);
    connect(Check1, &QCheckBox::toggled, Text2, &QWidget::setEnabled);
    connect(Check1, &QCheckBox::toggled, Command8, &QWidget::setEnabled);
    connect(Check7, &QCheckBox::toggled, HScroll1, &QWidget::setEnabled);
    connect(Check8, &QCheckBox::toggled, HScroll2, &QWidget::setEnabled);
    connect(Command8, &QPushButton::clicked, this, [this] { emit programChooserRequested(Text2); });
    connect(Command11, &QPushButton::clicked, this, &OptionsDialog::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &OptionsDialog::Command12_Click);
}

void OptionsDialog::buildAdjustment(QGroupBox *frame)
{
    label(tr("現在時刻"), twips(240, 270, 1095, 285), frame);
    Label1 = label(QString(), twips(1200, 270, 1095, 405), frame);
    label(tr("設定時刻"), twips(240, 540, 1095, 285), frame);
    Label2 = label(QString(), twips(1200, 540, 1095, 285), frame);
    label(QStringLiteral("±"), twips(2280, 540, 375, 285), frame);
    Label6 = label(m_adjust.Label6, twips(2520, 420, 375, 375), frame);
    Label6->setAlignment(Qt::AlignCenter);
    Command2 = place(new QPushButton(QStringLiteral("▲"), frame), twips(2880, 420, 255, 180));
    Command3 = place(new QPushButton(QStringLiteral("▼"), frame), twips(2880, 615, 255, 180));
    Command1 = place(new QPushButton(QStringLiteral("SET"), frame), twips(3240, 420, 615, 375));
    for (QPushButton *small : {Command2, Command3}) {
        QFont tiny = small->font();
        tiny.setPixelSize(7);
        small->setFont(tiny);
    }
    connect(Command2, &QPushButton::clicked, this, [this] {
        m_adjust.Command2_Click();
        Label6->setText(m_adjust.Label6);
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        m_adjust.Command3_Click();
        Label6->setText(m_adjust.Label6);
    });
    connect(Command1, &QPushButton::clicked, this, &OptionsDialog::Command1_Click);
}

void OptionsDialog::Form_Load()
{
    List1->clear();
    m_openedAlarms.clear();
    LoadAlarmList(m_openedAlarms, m_store);
    List1->addItems(m_openedAlarms);
    const OptionsTarget::Flags flags = m_clock.optionFlags();
    Check3->setChecked(flags.AlarmOn);
    Check2->setChecked(flags.ChimeOn);
    const QString program = m_store.GetSetting(common::kSection, key("pgm"));
    Check1->setChecked(!program.isEmpty());
    Text2->setText(program);
    Text2->setEnabled(!program.isEmpty());
    Command8->setEnabled(!program.isEmpty());
    // A hand-edited corner the clock does not know is laid out like the
    // top-left one, so that is what shows.
    m_shownCorner = m_clock.corner() >= 0 && m_clock.corner() <= 3 ? m_clock.corner() : 0;
    Combo1->setCurrentIndex(m_shownCorner);
    Check4->setChecked(flags.DogOn);
    Check9->setChecked(flags.Use24Hour);
    (flags.NthWeekday ? Option2 : Option1)->setChecked(true);
    Check6->setChecked(flags.AllwaysTop);
    Check5->setChecked(flags.Autohid);
    for (QScrollBar *bar : {HScroll1, HScroll2})
        bar->setRange(0, 255);
    loadVolume("vol", "volg", Check7, HScroll1);
    loadVolume("nvol", "nvolg", Check8, HScroll2);
    Label12->setText(m_store.GetSetting(common::kSection, key("skin"), QStringLiteral("blue")));

    QStringList designs;
    for (const QString &folder : m_platform.dataFolders)
        designs += QDir(folder).entryList({QStringLiteral("*.vss")}, QDir::Files);
    designs.removeDuplicates();
    designs.sort();
    File1->addItems(designs);
    Timer1_Timer();
}

void OptionsDialog::loadVolume(const char *onKey, const char *levelKey, QCheckBox *check, QScrollBar *bar)
{
    const bool own = storedLevel(m_store.value(common::kSection, key(onKey)), 0) == 1;
    if (own) {
        bar->setValue(storedLevel(m_store.value(common::kSection, key(levelKey)), 0));
    } else {
        // The level the sounds play at now: the lowest byte of the volume.
        const quint32 volume = m_platform.sound ? m_platform.sound->waveVolume() : 0xFFFFFFFFu;
        bar->setValue(int(volume & 0xFF));
    }
    check->setChecked(own);
    bar->setEnabled(own);
}

bool OptionsDialog::saveVolume(const char *onKey, const char *levelKey, QCheckBox *check, QScrollBar *bar)
{
    if (check->isChecked())
        return m_store.SaveSettings(
            common::kSection,
            {{key(onKey), QStringLiteral("1")}, {key(levelKey), QString::number(bar->value())}});
    return m_store.SaveSetting(common::kSection, key(onKey), QStringLiteral("0"));
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    Command4->setFocus();
}

void OptionsDialog::Timer1_Timer()
{
    m_adjust.Timer1_Timer(m_platform.clock->now().time());
    Label1->setText(m_adjust.Label1);
    Label2->setText(m_adjust.Label2);
}

void OptionsDialog::Command1_Click()
{
    if (!m_platform.systemTime)
        return;
    const QTime target = QTime::fromString(Label2->text(), QStringLiteral("HH:mm:ss"));
    QPointer<OptionsDialog> self(this);
    m_platform.systemTime->setTimeOfDay(target, [self](platform::SetTimeResult result) {
        // A refusal is told and nothing else changes: the clock goes on.
        if (!result.ok && self && self->m_platform.messages)
            self->m_platform.messages->information(QStringLiteral("Option"), result.message);
    });
}

void OptionsDialog::Command5_Click()
{
    const AddOutcome outcome =
        addReservation(m_mode, Text3->text(), Text4->text(), H, M, S, List1->count());
    if (!outcome.refusal.isEmpty()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, outcome.refusal);
        return;
    }
    List1->addItem(outcome.entry);
}

void OptionsDialog::Command11_Click()
{
    if (!Check3->isChecked()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, tr("アラームをONにしてください。"));
        return;
    }
    Command11->setEnabled(false);
    if (Check1->isChecked()) {
        if (m_platform.programs && !Text2->text().trimmed().isEmpty())
            m_platform.programs->startCommand(Text2->text());
    } else {
        saveVolume("vol", "volg", Check7, HScroll1);
        emit alarmTestRequested(); // returns when the notice has closed
    }
    Command11->setEnabled(true);
}

void OptionsDialog::Command12_Click()
{
    if (!Check2->isChecked()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, tr("30分時報をONにしてください。"));
        return;
    }
    Command11->setEnabled(false);
    Command12->setEnabled(false);
    saveVolume("nvol", "nvolg", Check8, HScroll2);
    m_clock.PlayChime();
    // The chime keeps its own volume for 5.5 s; the buttons wait with it,
    // the window does not.
    QPointer<OptionsDialog> self(this);
    QTimer::singleShot(Check8->isChecked() ? kChimeHoldMs : 0, this, [self] {
        if (!self)
            return;
        self->Command11->setEnabled(true);
        self->Command12->setEnabled(true);
    });
}

void OptionsDialog::focusOn(EditorFocus focus)
{
    switch (focus) {
    case EditorFocus::Minute: Text4->setFocus(); break;
    case EditorFocus::Seconds: Text5->setFocus(); break;
    case EditorFocus::Set: Command5->setFocus(); break;
    case EditorFocus::Stay: break;
    }
}

// The hour, minute and second boxes type by the editor's rules.
bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    const QString typed = keyEvent->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint();
    if (event->type() == QEvent::KeyPress) {
        // Enter is no digit either: it must not press the dialog's default
        // button and close it over a reservation not yet added.
        if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter)
            return true;
        if (!character)
            return false; // Tab, arrows, Backspace and the like edit as usual
        if (box == Text5) {
            Command5->setFocus();
            return true;
        }
        const QString current = box->selectedText() == box->text() ? QString() : box->text();
        const KeyAction action = box == Text3 ? hourKeyPress(current, typed.at(0), m_mode)
                                              : minuteKeyPress(current, typed.at(0));
        if (action == KeyAction::Discard)
            return true;
        if (action == KeyAction::EmptyThenType)
            box->clear();
        return false;
    }
    if (keyEvent->isAutoRepeat() || box == Text5)
        return false;
    if (box == Text3) {
        const AfterKey after = hourKeyRelease(Text3->text(), m_mode);
        H = after.staged;
        focusOn(after.focus);
    } else {
        const AfterKey after = minuteKeyRelease(Text4->text());
        M = after.staged;
        focusOn(after.focus);
    }
    return false;
}

void OptionsDialog::showHelp(int topic)
{
    if (m_platform.help)
        m_platform.help->showTopic(topic);
}

// F1 opens the help page of the dialog, or the one of the design button
// when that has the focus.
void OptionsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp(focusWidget() == Command10 ? kDesignsTopic : kDialogTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

void OptionsDialog::closeEvent(QCloseEvent *event)
{
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool OptionsDialog::Form_Unload()
{
    bool closing = true;
    const QString program = Text2->text();
    if (!program.isEmpty() && !isStartableProgram(program)) {
        if (m_platform.messages)
            m_platform.messages->information(tr("アラーム起動ソフト"),
                                             tr("起動するソフトを正常に指定できていません。"));
        closing = false; // everything below is stored all the same
    }
    // Every write is tried; the person hears once if any failed.
    QString unsaved;
    auto note = [&](bool ok) {
        if (!ok && unsaved.isEmpty())
            unsaved = m_store.unsavedMessage();
    };
    note(m_store.SaveSetting(common::kSection, key("skin"),
                             Label12->text().isEmpty() ? QStringLiteral("blue") : Label12->text()));
    AlarmList edited;
    for (int i = 0; i < List1->count(); ++i)
        edited << List1->item(i)->text();
    AlarmList stored;
    LoadAlarmList(stored, m_store);
    AlarmList entries = mergeAlarmEdits(m_openedAlarms, edited, stored);
    if (entries.size() > kMaxStoredAlarms) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle,
                                             tr("アラームの予約は12件までです。"
                                                "入りきらない予約は保存されませんでした。"));
        entries = entries.mid(0, kMaxStoredAlarms);
    }
    note(SaveAlarmList(entries, m_store));
    // A closing refused below leaves the dialog open on what is stored now.
    m_openedAlarms = entries;
    List1->clear();
    List1->addItems(entries);

    OptionsTarget::Flags flags;
    flags.Use24Hour = Check9->isChecked();
    flags.AllwaysTop = Check6->isChecked();
    flags.Autohid = Check5->isChecked();
    flags.DogOn = Check4->isChecked();
    flags.AlarmOn = Check3->isChecked();
    flags.ChimeOn = Check2->isChecked();
    flags.NthWeekday = !Option1->isChecked();
    m_clock.reloadAlarmList();
    m_clock.applyOptionFlags(flags);
    note(saveVolume("vol", "volg", Check7, HScroll1));
    note(saveVolume("nvol", "nvolg", Check8, HScroll2));
    note(m_store.SaveSetting(common::kSection, key("pgm"),
                             Check1->isChecked() ? program : QString()));
    // Compared with what the dialog showed: a hand-edited corner left alone
    // is neither announced nor overwritten.
    const bool cornerChanged = Combo1->currentIndex() != m_shownCorner;
    if (cornerChanged && m_platform.messages)
        m_platform.messages->information(QStringLiteral("Option"),
                                         tr("位置の設定の適用は次回起動時に有効となります。"));
    if (cornerChanged || m_shownCorner == m_clock.corner())
        note(m_store.SaveSetting(common::kSection, key("smode"),
                                 QString::number(Combo1->currentIndex())));
    if (!unsaved.isEmpty() && m_platform.messages)
        m_platform.messages->information(kTitle, unsaved);
    if (closing)
        Timer1.stop();
    return closing;
}

} // namespace vespera

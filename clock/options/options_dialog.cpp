// OptionsDialog — the options dialog: display, alarms and clock adjustment. Every
// setting is read when it opens and applied and stored when it closes.
#include "options_dialog.h"

#include "common/twips.h"
#include "core/program_path.h"

#include "core/alarm_engine.h"
#include "design/design_files.h"
#include "platform/clock_source.h"
#include "platform/help_viewer.h"
#include "platform/messages.h"
#include "platform/program_starter.h"
#include "platform/qt_desktop.h"
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
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

using common::twips;

namespace vespera {

namespace {
const QString kTitle = QStringLiteral("pendra"); // the program's title on its message boxes
constexpr int kDialogTopic = 16, kDesignsTopic = 39;
constexpr int kChimeHoldMs = 5600; // the chime keeps its own volume 5.5 s

// The reservations the list shows. Each row shows its entry as stored, a
// hand-edited one too, so reading the rows back loses nothing.
AlarmList shownAlarms(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return alarmsFromStored(rows);
}

template <typename W> W *place(W *w, const QRect &r)
{
    w->setGeometry(r);
    return w;
}

QLabel *label(const QString &text, const QRect &r, QWidget *parent)
{
    return place(new QLabel(text, parent), r);
}

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

OptionsDialog::OptionsDialog(OptionsTarget &clock, common::SettingsStore &store,
                             const OptionsPlatform &platform, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_clock(clock), m_store(store), m_settings(store), m_platform(platform)
{
    setWindowTitle(QStringLiteral("Option"));
    setMaximumSize(kContentSize);
    resize(kContentSize);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    okButton = place(new QPushButton(QStringLiteral("OK"), this), twips(6120, 6120, 1455, 375));
    buildDisplay(place(new QGroupBox(tr("表示"), this), twips(240, 120, 3135, 5730)));
    buildAlarms(place(new QGroupBox(tr("アラーム"), this), twips(3600, 1080, 3975, 4815)));
    buildAdjustment(place(new QGroupBox(tr("時計合わせ"), this), twips(3600, 120, 3975, 915)));
    label(tr("ヘルプ：[F1]"), twips(240, 6000, 2775, 375), this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::close);
    nameControls();

    // The focus starts on OK, and Tab goes on from there.
    setTabOrder(okButton, cornerBox);
    adjustTimer.setInterval(100);
    connect(&adjustTimer, &QTimer::timeout, this, &OptionsDialog::onAdjustTick);
    adjustTimer.start();
    loadSettings();
    scrollWhenTooLarge();
}

void OptionsDialog::nameControls()
{
    const std::pair<QWidget *, const char *> controls[] = {
        {cornerBox, "cornerBox"},
        {alwaysOnTopCheck, "alwaysOnTopCheck"},
        {autoTuckCheck, "autoTuckCheck"},
        {use24HourCheck, "use24HourCheck"},
        {dogCheck, "dogCheck"},
        {calendarWeekOption, "calendarWeekOption"},
        {nthWeekdayOption, "nthWeekdayOption"},
        {designNameLabel, "designNameLabel"},
        {designList, "designList"},
        {moreDesignsButton, "moreDesignsButton"},
        {okButton, "okButton"},
        {alarmList, "alarmList"},
        {deleteAlarmButton, "deleteAlarmButton"},
        {clearAlarmsButton, "clearAlarmsButton"},
        {hourModeButton, "hourModeButton"},
        {setAlarmButton, "setAlarmButton"},
        {browseProgramButton, "browseProgramButton"},
        {alarmTestButton, "alarmTestButton"},
        {chimeTestButton, "chimeTestButton"},
        {chimeCheck, "chimeCheck"},
        {alarmCheck, "alarmCheck"},
        {programCheck, "programCheck"},
        {alarmVolumeCheck, "alarmVolumeCheck"},
        {chimeVolumeCheck, "chimeVolumeCheck"},
        {hourBox, "hourBox"},
        {minuteBox, "minuteBox"},
        {secondsBox, "secondsBox"},
        {programPathBox, "programPathBox"},
        {alarmVolumeBar, "alarmVolumeBar"},
        {chimeVolumeBar, "chimeVolumeBar"},
        {nowLabel, "nowLabel"},
        {targetLabel, "targetLabel"},
        {offsetLabel, "offsetLabel"},
        {setClockButton, "setClockButton"},
        {laterButton, "laterButton"},
        {earlierButton, "earlierButton"}};
    for (const auto &[control, name] : controls)
        control->setObjectName(QLatin1String(name));
}

// The controls sit where the layout puts them on a page of the dialog's full
// size; on a screen too small for it (a small one at 200 %) the dialog
// shrinks to the screen and the page scrolls inside it.
void OptionsDialog::scrollWhenTooLarge()
{
    auto *page = new QWidget;
    page->setFixedSize(kContentSize);
    for (QObject *child : children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow())
            continue;
        const bool hidden = w->isHidden();
        w->setParent(page); // keeps its place; a new parent hides it
        w->setVisible(!hidden);
    }
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(page);
    m_scroll->setGeometry(rect());
}

void OptionsDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_scroll)
        m_scroll->setGeometry(rect());
}

// Centred on its screen, as large as it fits, with its title bar on the
// screen; when the page scrolls, room for its scroll bar.
void OptionsDialog::placeOnScreen()
{
    QSize wanted = kContentSize;
    if (wanted.height() > platform::roomOnScreen(this).height())
        wanted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMaximumSize(wanted);
    platform::centreOnScreen(this, wanted);
}

void OptionsDialog::buildDisplay(QGroupBox *frame)
{
    label(tr("時計の位置"), twips(240, 270, 1695, 270), frame); // ends where the box below begins
    cornerBox = place(new QComboBox(frame), twips(240, 540, 2055, 390));
    cornerBox->addItems({tr("左上"), tr("左下"), tr("右上"), tr("右下")});
    alwaysOnTopCheck = place(new QCheckBox(tr("常に手前"), frame), twips(240, 1005, 2175, 270));
    autoTuckCheck = place(new QCheckBox(tr("自動的に隠す"), frame), twips(240, 1275, 2415, 270));
    use24HourCheck = place(new QCheckBox(tr("24時間表示"), frame), twips(240, 1545, 2775, 270));
    dogCheck = place(new QCheckBox(tr("ワンちゃんを動かせる"), frame), twips(240, 1815, 2775, 300));
    label(tr("左側ゲージのモード"), twips(240, 2370, 2175, 270), frame);
    calendarWeekOption =
        place(new QRadioButton(tr("カレンダ位置"), frame), twips(480, 2640, 2175, 285));
    nthWeekdayOption =
        place(new QRadioButton(tr("第○曜日表示"), frame), twips(480, 2925, 2175, 300));
    label(tr("時計のデザイン"), twips(240, 3240, 1815, 360), frame);
    designNameLabel = label(QString(), twips(360, 3600, 2415, 360), frame);
    designNameLabel->setTextFormat(Qt::PlainText); // a name a design site set, never markup
    designList = place(new QListWidget(frame), twips(240, 3960, 2655, 1170));
    moreDesignsButton =
        place(new QPushButton(tr("その他のデザイン"), frame), twips(240, 5160, 2655, 360));
    connect(designList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        designNameLabel->setText(item->text().left(item->text().size() - 4));
    });
    connect(moreDesignsButton, &QPushButton::clicked, this, [this] {
        showHelp(kDesignsTopic);
        okButton->setFocus();
    });
}

void OptionsDialog::buildAlarms(QGroupBox *frame)
{
    label(tr("アラームの予約"), twips(240, 240, 1935, 285), frame);
    alarmList = place(new QListWidget(frame), twips(240, 540, 1440, 1140));
    deleteAlarmButton = place(new QPushButton(tr("削除"), frame), twips(1680, 540, 360, 1155));
    writeDownwards(deleteAlarmButton);
    clearAlarmsButton =
        place(new QPushButton(QStringLiteral("AC"), frame), twips(2040, 540, 375, 1155));
    chimeCheck = place(new QCheckBox(tr("30分時報"), frame), twips(2520, 540, 1335, 360));
    alarmCheck = place(new QCheckBox(tr("アラーム"), frame), twips(2520, 900, 1335, 285));
    hourModeButton = place(new QPushButton(m_mode, frame), twips(120, 1740, 615, 360));
    hourBox = place(new QLineEdit(frame), twips(840, 1740, 345, 360));
    label(QStringLiteral("："), twips(1185, 1785, 135, 255), frame);
    minuteBox = place(new QLineEdit(frame), twips(1320, 1740, 345, 390));
    label(QStringLiteral("："), twips(1665, 1785, 135, 255), frame);
    secondsBox = place(new QLineEdit(QStringLiteral("00"), frame), twips(1800, 1740, 375, 375));
    setAlarmButton = place(new QPushButton(tr("セット"), frame), twips(2400, 1740, 1335, 360));
    label(tr("アラーム時起動するソフト"), twips(240, 2220, 3135, 300), frame);
    programCheck = place(new QCheckBox(frame), twips(210, 2565, 255, 255));
    programPathBox = place(new QLineEdit(frame), twips(480, 2520, 2295, 360));
    browseProgramButton = place(new QPushButton(tr("参照"), frame), twips(2880, 2520, 855, 345));
    auto *line = place(new QFrame(frame), QRect(0, 3120 / 15, 3960 / 15, 1));
    line->setFrameShape(QFrame::HLine);
    alarmVolumeCheck =
        place(new QCheckBox(tr("アラーム音量変更"), frame), twips(240, 3240, 2295, 285));
    alarmTestButton = place(new QPushButton(tr("テスト"), frame), twips(2640, 3240, 1095, 345));
    alarmVolumeBar = place(new QScrollBar(Qt::Horizontal, frame), twips(240, 3600, 3495, 255));
    chimeVolumeCheck = place(new QCheckBox(tr("時報音量変更"), frame), twips(240, 3960, 2295, 285));
    chimeTestButton = place(new QPushButton(tr("テスト"), frame), twips(2640, 3990, 1095, 315));
    chimeVolumeBar = place(new QScrollBar(Qt::Horizontal, frame), twips(240, 4320, 3495, 255));

    for (QLineEdit *box : {hourBox, minuteBox, secondsBox}) {
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
    }
    secondsBox->setReadOnly(true);
    connect(hourModeButton, &QPushButton::clicked, this, [this] {
        m_mode = nextHourMode(m_mode);
        hourModeButton->setText(m_mode);
        m_hourPart = stagedHour(hourBox->text(), m_mode);
    });
    connect(setAlarmButton, &QPushButton::clicked, this, &OptionsDialog::onSetAlarm);
    connect(deleteAlarmButton, &QPushButton::clicked, this, [this] {
        AlarmList entries = shownAlarms(alarmList);
        const int next = deleteReservation(entries, alarmList->currentRow());
        if (entries.size() == alarmList->count())
            return; // nothing was selected
        alarmList->clear();
        alarmList->addItems(storedTexts(entries));
        alarmList->setCurrentRow(next);
    });
    connect(clearAlarmsButton, &QPushButton::clicked, alarmList, &QListWidget::clear);
    connect(programCheck, &QCheckBox::toggled, programPathBox, &QWidget::setEnabled);
    connect(programCheck, &QCheckBox::toggled, browseProgramButton, &QWidget::setEnabled);
    connect(alarmVolumeCheck, &QCheckBox::toggled, alarmVolumeBar, &QWidget::setEnabled);
    connect(chimeVolumeCheck, &QCheckBox::toggled, chimeVolumeBar, &QWidget::setEnabled);
    connect(browseProgramButton, &QPushButton::clicked, this,
            [this] { emit programChooserRequested(programPathBox->text()); });
    connect(alarmTestButton, &QPushButton::clicked, this, &OptionsDialog::onAlarmTest);
    connect(chimeTestButton, &QPushButton::clicked, this, &OptionsDialog::onChimeTest);
}

void OptionsDialog::buildAdjustment(QGroupBox *frame)
{
    label(tr("現在時刻"), twips(240, 270, 960, 270), frame);
    nowLabel = label(QString(), twips(1200, 270, 1080, 270), frame);
    label(tr("設定時刻"), twips(240, 540, 960, 285), frame);
    targetLabel = label(QString(), twips(1200, 540, 1080, 285), frame);
    label(QStringLiteral("±"), twips(2280, 540, 240, 285), frame);
    offsetLabel = label(m_adjust.offsetText(), twips(2520, 420, 360, 375), frame);
    offsetLabel->setAlignment(Qt::AlignCenter);
    laterButton = place(new QPushButton(QStringLiteral("▲"), frame), twips(2880, 420, 255, 180));
    earlierButton = place(new QPushButton(QStringLiteral("▼"), frame), twips(2880, 615, 255, 180));
    setClockButton =
        place(new QPushButton(QStringLiteral("SET"), frame), twips(3240, 420, 615, 375));
    for (QPushButton *small : {laterButton, earlierButton}) {
        QFont tiny = small->font();
        tiny.setPixelSize(7);
        small->setFont(tiny);
    }
    connect(laterButton, &QPushButton::clicked, this, [this] {
        m_adjust.later();
        offsetLabel->setText(m_adjust.offsetText());
    });
    connect(earlierButton, &QPushButton::clicked, this, [this] {
        m_adjust.earlier();
        offsetLabel->setText(m_adjust.offsetText());
    });
    connect(setClockButton, &QPushButton::clicked, this, &OptionsDialog::onSetClock);
}

void OptionsDialog::setAlarmProgram(const QString &path) { programPathBox->setText(path); }

void OptionsDialog::loadSettings()
{
    alarmList->clear();
    m_openedAlarms = m_settings.alarms();
    alarmList->addItems(storedTexts(m_openedAlarms));
    const ClockFlags flags = m_clock.optionFlags();
    alarmCheck->setChecked(flags.alarmOn);
    chimeCheck->setChecked(flags.chimeOn);
    const QString program = m_settings.alarmProgram();
    programCheck->setChecked(!program.isEmpty());
    programPathBox->setText(program);
    programPathBox->setEnabled(!program.isEmpty());
    browseProgramButton->setEnabled(!program.isEmpty());
    // A hand-edited corner the clock does not know is laid out like the
    // top-left one, so that is what shows.
    m_shownCorner = isKnownCorner(m_clock.corner()) ? int(m_clock.corner()) : 0;
    cornerBox->setCurrentIndex(m_shownCorner);
    dogCheck->setChecked(flags.dog);
    use24HourCheck->setChecked(flags.use24Hour);
    (flags.nthWeekday ? nthWeekdayOption : calendarWeekOption)->setChecked(true);
    alwaysOnTopCheck->setChecked(flags.alwaysOnTop);
    autoTuckCheck->setChecked(flags.autoTuck);
    for (QScrollBar *bar : {alarmVolumeBar, chimeVolumeBar})
        bar->setRange(0, 255);
    showVolume(m_settings.alarmVolume(), alarmVolumeCheck, alarmVolumeBar);
    showVolume(m_settings.chimeVolume(), chimeVolumeCheck, chimeVolumeBar);
    designNameLabel->setText(m_settings.skin());

    // Listed by their left-corner picture, as the clock's folder shows them;
    // a design without both pictures would only give the default instead.
    for (const QString &design : installedDesigns(m_platform.dataFolders))
        designList->addItem(design + QStringLiteral(".vss"));
    onAdjustTick();
}

void OptionsDialog::showVolume(const SoundVolume &volume, QCheckBox *check, QScrollBar *bar)
{
    if (volume.own) {
        bar->setValue(volume.level);
    } else {
        // The level the sounds play at now: the lowest byte of the volume.
        const quint32 volume = m_platform.sound ? m_platform.sound->waveVolume() : 0xFFFFFFFFu;
        bar->setValue(int(volume & 0xFF));
    }
    check->setChecked(volume.own);
    bar->setEnabled(volume.own);
}

SoundVolume OptionsDialog::shownVolume(const QCheckBox *check, const QScrollBar *bar)
{
    return SoundVolume{check->isChecked(), bar->value()};
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && screen())
        placeOnScreen();
    okButton->setFocus();
}

void OptionsDialog::onAdjustTick()
{
    m_adjust.tick(m_platform.clock->now().time());
    nowLabel->setText(m_adjust.nowText());
    targetLabel->setText(m_adjust.targetText());
}

void OptionsDialog::onSetClock()
{
    if (!m_platform.systemTime)
        return;
    const QTime target = m_adjust.target();
    QPointer<OptionsDialog> self(this);
    m_platform.systemTime->setTimeOfDay(target, [self](platform::SetTimeResult result) {
        // A refusal is told and nothing else changes: the clock goes on.
        if (!result.ok && self && self->m_platform.messages)
            self->m_platform.messages->information(QStringLiteral("Option"), result.message);
    });
}

void OptionsDialog::onSetAlarm()
{
    const AddOutcome outcome =
        addReservation(m_mode, hourBox->text(), minuteBox->text(), m_hourPart, m_minutePart,
                       m_secondPart, alarmList->count());
    if (!outcome.refusal.isEmpty()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, outcome.refusal);
        return;
    }
    alarmList->addItem(outcome.alarm.toStored());
}

void OptionsDialog::onAlarmTest()
{
    if (!alarmCheck->isChecked()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, tr("アラームをONにしてください。"));
        return;
    }
    alarmTestButton->setEnabled(false);
    if (programCheck->isChecked()) {
        if (m_platform.programs && !programPathBox->text().trimmed().isEmpty())
            m_platform.programs->startCommand(programPathBox->text());
    } else {
        m_settings.saveAlarmVolume(shownVolume(alarmVolumeCheck, alarmVolumeBar));
        emit alarmTestRequested(); // returns when the notice has closed
    }
    alarmTestButton->setEnabled(true);
}

void OptionsDialog::onChimeTest()
{
    if (!chimeCheck->isChecked()) {
        if (m_platform.messages)
            m_platform.messages->information(kTitle, tr("30分時報をONにしてください。"));
        return;
    }
    alarmTestButton->setEnabled(false);
    chimeTestButton->setEnabled(false);
    m_settings.saveChimeVolume(shownVolume(chimeVolumeCheck, chimeVolumeBar));
    m_clock.playChime();
    // The chime keeps its own volume for 5.5 s; the buttons wait with it,
    // the window does not.
    QPointer<OptionsDialog> self(this);
    QTimer::singleShot(chimeVolumeCheck->isChecked() ? kChimeHoldMs : 0, this, [self] {
        if (!self)
            return;
        self->alarmTestButton->setEnabled(true);
        self->chimeTestButton->setEnabled(true);
    });
}

void OptionsDialog::focusOn(EditorFocus focus)
{
    switch (focus) {
    case EditorFocus::Minute: minuteBox->setFocus(); break;
    case EditorFocus::Seconds: secondsBox->setFocus(); break;
    case EditorFocus::Set: setAlarmButton->setFocus(); break;
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
        if (box == secondsBox) {
            setAlarmButton->setFocus();
            return true;
        }
        const QString current = box->selectedText() == box->text() ? QString() : box->text();
        const KeyAction action = box == hourBox ? hourKeyPress(current, typed.at(0), m_mode)
                                                : minuteKeyPress(current, typed.at(0));
        if (action == KeyAction::Discard)
            return true;
        if (action == KeyAction::EmptyThenType)
            box->clear();
        return false;
    }
    if (keyEvent->isAutoRepeat() || box == secondsBox)
        return false;
    if (box == hourBox) {
        const AfterKey after = hourKeyRelease(hourBox->text(), m_mode);
        m_hourPart = after.staged;
        focusOn(after.focus);
    } else {
        const AfterKey after = minuteKeyRelease(minuteBox->text());
        m_minutePart = after.staged;
        focusOn(after.focus);
    }
    return false;
}

void OptionsDialog::showHelp(int topic)
{
    platform::showHelpOrSay(m_platform.help, m_platform.messages, topic, kTitle);
}

// F1 opens the help page of the dialog, or the one of the design button
// when that has the focus.
void OptionsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp(focusWidget() == moreDesignsButton ? kDesignsTopic : kDialogTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

void OptionsDialog::closeEvent(QCloseEvent *event)
{
    if (storeSettings())
        event->accept();
    else
        event->ignore();
}

bool OptionsDialog::storeSettings()
{
    bool closing = true;
    const QString program = programPathBox->text();
    if (!program.isEmpty() && !isStartableProgram(program)) {
        if (m_platform.messages)
            m_platform.messages->information(tr("アラーム起動ソフト"),
                                             tr("起動するソフトを正常に指定できていません。"));
        closing = false; // everything below is stored all the same
    }
    // Everything goes into one locked rewrite of the file, or none when
    // nothing changed; what the person is told comes after it, so that no
    // message box holds other programs' writes up.
    QVector<QPair<QString, QString>> notices;
    common::SettingsStore::Batch batch(m_store);
    m_settings.saveSkin(designNameLabel->text());
    const AlarmList edited = shownAlarms(alarmList);
    AlarmList entries = mergeAlarmEdits(m_openedAlarms, edited, m_settings.alarms());
    if (entries.size() > kMaxStoredAlarms) {
        notices << qMakePair(kTitle, tr("アラームの予約は12件までです。"
                                        "入りきらない予約は保存されませんでした。"));
        entries = entries.mid(0, kMaxStoredAlarms);
    }
    m_settings.saveAlarms(entries);
    // A closing refused below leaves the dialog open on what is stored now.
    m_openedAlarms = entries;
    alarmList->clear();
    alarmList->addItems(storedTexts(entries));

    ClockFlags flags = m_clock.optionFlags();
    flags.use24Hour = use24HourCheck->isChecked();
    flags.alwaysOnTop = alwaysOnTopCheck->isChecked();
    flags.autoTuck = autoTuckCheck->isChecked();
    flags.dog = dogCheck->isChecked();
    flags.alarmOn = alarmCheck->isChecked();
    flags.chimeOn = chimeCheck->isChecked();
    flags.nthWeekday = !calendarWeekOption->isChecked();
    m_clock.reloadAlarmList(); // reads the batch's list
    m_clock.applyOptionFlags(flags);
    m_settings.saveAlarmVolume(shownVolume(alarmVolumeCheck, alarmVolumeBar));
    m_settings.saveChimeVolume(shownVolume(chimeVolumeCheck, chimeVolumeBar));
    m_settings.saveAlarmProgram(programCheck->isChecked() ? program : QString());
    // Compared with what the dialog showed: a hand-edited corner left alone
    // is neither announced nor overwritten.
    const bool cornerChanged = cornerBox->currentIndex() != m_shownCorner;
    if (cornerChanged)
        notices << qMakePair(QStringLiteral("Option"),
                             tr("位置の設定の適用は次回起動時に有効となります。"));
    if (cornerChanged || m_shownCorner == int(m_clock.corner()))
        m_settings.saveCorner(cornerBox->currentIndex());
    if (!batch.commit())
        notices << qMakePair(kTitle, m_settings.unsavedMessage());
    for (const auto &[title, text] : notices) {
        if (m_platform.messages)
            m_platform.messages->information(title, text);
    }
    if (closing)
        adjustTimer.stop();
    return closing;
}

} // namespace vespera

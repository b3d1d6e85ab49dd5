// AlarmNotice — the alarm notice: shows the time and repeats the alarm sound.
#include "alarm_notice.h"
#include "core/alarm_engine.h"
#include "core/clock_settings.h"

#include "platform/clock_source.h"
#include "platform/sound.h"
#include "platform/x11_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vespera {

namespace {
const QString kAlarmSound = QStringLiteral("al.wav");
const QString kClosingSound = QStringLiteral("b.wav");
constexpr int kRepeats = 5; // after the first: six starts in all, 4 s apart

QLabel *whiteLabel(const QString &text, const QRect &place, int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(place);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}
QString tr12Hour()
{
    return QCoreApplication::translate(
        "AlarmNotice", "AP hh:mm", "the alarm notice's 12-hour time, as QTime::toString writes it");
}

// The large time text in the biggest size that fits its label ("PM 07:30" is
// wider than "19:30").
void fitText(QLabel *label)
{
    QFont f = label->font();
    for (int size = 28; size > 8; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(label->text()) <= label->width())
            break;
    }
    label->setFont(f);
}
} // namespace

QString noticeTimeText(const QTime &t, bool use24Hour)
{
    if (use24Hour)
        return t.toString(QStringLiteral("hh:mm"));
    // The 12-hour time as the language writes it: "AM 08:25" in Japanese,
    // "8:25 AM" in English (QTime writes AM and PM alike in every locale).
    return t.toString(tr12Hour());
}

AlarmNotice::AlarmNotice(VolumeOverrides &volumes, common::SettingsStore &store,
                         platform::ClockSource *clock, bool use24Hour, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_volumes(volumes), m_sound(volumes.sound()), m_store(store), m_clock(clock),
      m_use24Hour(use24Hour)
{
    setWindowTitle(tr("アラーム"));
    setFixedSize(197, 91);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 68, 136));
    setPalette(p);

    // The line as the language has it: the time, with small words before or
    // after it ("AM 08:25です。", "Alarm: 8:25 AM").
    const QString line = tr("%1です。", "the alarm notice's line; %1 is the time");
    const int at = std::max(0, int(line.indexOf(QLatin1String("%1"))));
    timeLabel = whiteLabel(QStringLiteral("00:00"), QRect(8, 16, 141, 40), 28, this);
    timeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headLabel = whiteLabel(line.left(at).trimmed(), QRect(8, 29, 0, 24), 14, this);
    tailLabel = whiteLabel(line.mid(at + 2).trimmed(), QRect(152, 29, 40, 24), 14, this);
    // A word before the time takes the time's left; the time then follows it.
    if (!headLabel->text().isEmpty()) {
        const int head = headLabel->fontMetrics().horizontalAdvance(headLabel->text()) + 2;
        headLabel->setGeometry(QRect(8, 29, head, 24));
        timeLabel->setGeometry(timeLabel->geometry().adjusted(head + 4, 0, 0, 0));
        timeLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        headLabel->hide();
    }
    if (tailLabel->text().isEmpty()) { // the time has the word's room too
        tailLabel->hide();
        timeLabel->setGeometry(
            timeLabel->geometry().adjusted(0, 0, 197 - 8 - timeLabel->geometry().right(), 0));
    }
    // A word longer than its place takes room from the time's left, which the
    // time, aligned right, leaves blank.
    const int longer =
        tailLabel->fontMetrics().horizontalAdvance(tailLabel->text()) - tailLabel->width();
    if (longer > 0 && !tailLabel->isHidden()) {
        tailLabel->setGeometry(tailLabel->geometry().adjusted(-longer, 0, 0, 0));
        timeLabel->setGeometry(timeLabel->geometry().adjusted(0, 0, -longer, 0));
    }
    lateLabel = whiteLabel(tr("（遅れて通知）"), QRect(0, 2, 197, 14), 11, this);
    lateLabel->setAlignment(Qt::AlignCenter);
    lateLabel->hide();
    silenceLabel = whiteLabel(QString(), QRect(0, 88, 197, 14), 11, this);
    silenceLabel->setAlignment(Qt::AlignCenter);
    silenceLabel->hide();
    // OK stays the default: a stray Enter ends the alarm, as it always has.
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(28, 59, 63, 23);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    snoozeButton = new QPushButton(tr("スヌーズ"), this);
    snoozeButton->setGeometry(106, 59, 63, 23);
    snoozeButton->setAutoDefault(false);
    connect(snoozeButton, &QPushButton::clicked, this, [this] {
        emit snoozed();
        accept();
    });

    headLabel->setObjectName(QStringLiteral("headLabel"));
    timeLabel->setObjectName(QStringLiteral("timeLabel"));
    tailLabel->setObjectName(QStringLiteral("tailLabel"));
    lateLabel->setObjectName(QStringLiteral("lateLabel"));
    silenceLabel->setObjectName(QStringLiteral("silenceLabel"));
    okButton->setObjectName(QStringLiteral("okButton"));
    snoozeButton->setObjectName(QStringLiteral("snoozeButton"));

    m_repeatTimer.setInterval(4000);
    connect(&m_repeatTimer, &QTimer::timeout, this, &AlarmNotice::onRepeat);
    m_silenceCheck.setSingleShot(true);
    m_silenceCheck.setInterval(1500);
    connect(&m_silenceCheck, &QTimer::timeout, this, &AlarmNotice::showSilence);
    m_pause.setSingleShot(true);
    m_pause.setInterval(500);
    connect(&m_pause, &QTimer::timeout, this, &AlarmNotice::playAlarm);
    start();
}

void AlarmNotice::start()
{
    m_playCount = 0;
    m_repeatTimer.start();
    timeLabel->setText(noticeTimeText(m_clock->now().time(), m_use24Hour));
    fitText(timeLabel);
    if (!m_sound)
        return;
    const SoundVolume volume = ClockSettings(m_store).alarmVolume();
    if (!volume.own) {
        playAlarm();
        return;
    }
    m_volumeTicket = m_volumes.begin(waveVolumeFromLevel(volume.level));
    m_pause.start(); // the first sound after half a second, as the volume settles
}

void AlarmNotice::showRing(const QTime &time, bool late)
{
    timeLabel->setText(noticeTimeText(time, m_use24Hour));
    fitText(timeLabel);
    lateLabel->setVisible(late);
}

void AlarmNotice::playAlarm()
{
    m_lastPlayMs = m_clock->uptimeMs();
    if (m_sound) {
        m_sound->play(kAlarmSound);
        m_silenceCheck.start();
    }
}

void AlarmNotice::showSilence()
{
    const QString why = m_sound ? m_sound->silence() : QString();
    if (why.isEmpty() == silenceLabel->isHidden())
        return;
    if (!why.isEmpty())
        silenceLabel->setText(tr("音が出せません（%1）").arg(why));
    fitText(silenceLabel);
    silenceLabel->setVisible(!why.isEmpty());
    setFixedSize(197, why.isEmpty() ? 91 : 104); // room for the line under the buttons
}

void AlarmNotice::onRepeat()
{
    // Far more than one interval since the last sound: the computer slept
    // while it rang. Nobody heard it, so the series starts again, once.
    if (m_clock->uptimeMs() - m_lastPlayMs > 2 * m_repeatTimer.interval())
        m_playCount = 0;
    ++m_playCount;
    playAlarm();
    if (m_playCount >= kRepeats)
        m_repeatTimer.stop();
}

void AlarmNotice::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_S && event->modifiers() == Qt::NoModifier) {
        snoozeButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AlarmNotice::showAbove()
{
    show();
    raise();
    activateWindow();
    // Taking the focus lets it come above a full-screen window too.
    platform::x11::activate(this);
}

void AlarmNotice::finish()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_repeatTimer.stop();
    m_pause.stop();
    if (m_sound)
        m_sound->play(kClosingSound);
    if (m_volumeTicket)
        m_volumes.end(*m_volumeTicket);
}

void AlarmNotice::closeEvent(QCloseEvent *event)
{
    finish();
    QDialog::closeEvent(event);
}

void AlarmNotice::done(int result)
{
    finish(); // OK, Escape and the close box all end here
    QDialog::done(result);
}

} // namespace vespera

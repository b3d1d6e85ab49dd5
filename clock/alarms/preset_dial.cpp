// PresetDial — the preset dial: picks a minute of the preset hour on a scale and
// sets a one-time alarm for it.
#include "preset_dial.h"

#include "common/data_dir.h"
#include "platform/clock_source.h"
#include "platform/messages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

namespace vespera {

namespace {
constexpr int kWidth = 468, kHeight = 127, kPictureHeight = 123;
const QRect kHourAt(5, 25, 29, 31), kAmPmAt(41, 50, 35, 25), kMinuteAt(47, 25, 29, 31),
    kOffsetAt(38, 79, 37, 30);

void drawText(QPainter &p, const QRect &r, const QString &text, int pixelSize)
{
    QFont f = p.font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, text);
}
} // namespace

PresetDial::PresetDial(PresetTarget &clock, PresetScale &scale, platform::ClockSource *time,
                       platform::Messages *messages, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_clock(clock), m_scale(scale), m_time(time), m_messages(messages)
{
    setWindowTitle(tr("プリセットアラーム"));
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    // The picture with the words of the window's language, when there is one.
    const QString localized = common::dataFile(tr("preset.png", "the dial's picture in English"));
    m_pictureFile =
        common::fileExists(localized) ? localized : common::dataFile(QStringLiteral("preset.png"));
    m_picture.load(m_pictureFile);

    // The keys for the three buttons: Enter sets, Escape closes, N is NOW.
    connect(new QShortcut(Qt::Key_Return, this), &QShortcut::activated, this, &PresetDial::onSet);
    connect(new QShortcut(Qt::Key_Enter, this), &QShortcut::activated, this, &PresetDial::onSet);
    connect(new QShortcut(Qt::Key_N, this), &QShortcut::activated, this, &PresetDial::onNow);

    // No preset hour, or one outside 0-23, gives the current hour.
    int hour = m_clock.presetHour().value_or(-1);
    if (hour < 0 || hour > 23)
        hour = m_time->now().time().hour();
    m_scale.open(hour, m_time->now().time().minute());
}

void PresetDial::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && screen()) // centred on the screen
        move(screen()->availableGeometry().center() - rect().center());
}

void PresetDial::storeHour() { m_clock.setPresetHour(m_scale.presetHour()); }

void PresetDial::onSet()
{
    if (!m_clock.addPresetAlarm(m_scale.entry())) {
        // The twelve stored keys are taken: an alarm set now would vanish
        // at the next start. The dial stays open for another try later.
        if (m_messages)
            m_messages->information(QStringLiteral("pendra"), tr("アラームの予約は12件までです。"));
        return;
    }
    accept();
}

void PresetDial::onClose() { reject(); }

void PresetDial::onNow()
{
    const QTime now = m_time->now().time();
    m_scale.now(now.hour(), now.minute());
    storeHour();
    update();
}

void PresetDial::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xe8, 0xee, 0xf4));
    if (!m_picture.isNull())
        p.drawPixmap(0, 0, m_picture, 0, 0, kWidth, kPictureHeight);
    // The markers: where the pointer is, what is selected, the offset.
    p.fillRect(QRect(m_scale.selectedMarkerLeft(), 21, 5, 5), QColor(0x20, 0x50, 0xb0));
    p.fillRect(QRect(m_scale.shownMarkerLeft(), 26, 5, 17), QColor(0xd0, 0x30, 0x30, 200));
    p.fillRect(QRect(m_scale.offsetMarkerLeft(), 81, 5, 17), QColor(0x20, 0x90, 0x40, 200));
    p.setPen(QColor(0x10, 0x28, 0x48));
    drawText(p, kHourAt, m_scale.dialHourText(), 22);
    drawText(p, kAmPmAt, m_scale.amPmText(), 12);
    drawText(p, kMinuteAt, m_scale.minuteText(), 22);
    drawText(p, kOffsetAt, m_scale.offsetText(), 20);
}

void PresetDial::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    m_scale.mouseMove(at.x(), at.y());
    update();
}

void PresetDial::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    m_pressedButton = QRect();
    for (const QRect &button : {setButtonRect(), closeButtonRect(), nowButtonRect()}) {
        if (button.contains(at))
            m_pressedButton = button;
    }
    if (!m_pressedButton.isNull())
        return;
    const int before = m_scale.presetHour();
    m_scale.mouseDown(at.x(), at.y());
    if (m_scale.presetHour() != before)
        storeHour();
    update();
}

void PresetDial::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressedButton.isNull() || !m_pressedButton.contains(event->position().toPoint()))
        return;
    if (m_pressedButton == closeButtonRect())
        onClose();
    else if (m_pressedButton == setButtonRect())
        onSet();
    else
        onNow();
}

void PresetDial::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_scale.doubleClick())
        onSet();
    else
        QDialog::mouseDoubleClickEvent(event);
}

} // namespace vespera

// PresetDial — the preset dial: picks a minute of the preset hour on a scale and
// sets a one-time alarm for it.
#pragma once

#include "core/preset_scale.h"

#include <QDialog>
#include <QPixmap>
#include <optional>

namespace platform {
class ClockSource;
class Messages;
} // namespace platform

namespace vespera {

// What the dial reads and changes on the clock.
class PresetTarget {
public:
    virtual ~PresetTarget() = default;
    // The hour the menu or the dial last named (0-23); none before that.
    virtual std::optional<int> presetHour() const = 0;
    virtual void setPresetHour(int hour) = 0;
    // False when the list is full: the store keeps no more.
    virtual bool addPresetAlarm(const Alarm &alarm) = 0;
};

class PresetDial : public QDialog {
    Q_OBJECT
public:
    // The scale outlives the window: a pick is remembered into the next opening.
    PresetDial(PresetTarget &clock, PresetScale &scale, platform::ClockSource *time,
               platform::Messages *messages = nullptr, QWidget *parent = nullptr);

    void onSet();   // Set
    void onClose(); // ×
    void onNow();   // NOW

    // The picture buttons, in the window's pixels.
    static QRect closeButtonRect() { return {400, 67, 51, 20}; }
    static QRect setButtonRect() { return {400, 91, 51, 19}; }
    static QRect nowButtonRect() { return {4, 91, 40, 20}; }
    // The picture of the scale and its buttons, in the window's language.
    QString pictureFile() const { return m_pictureFile; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void storeHour();

    PresetTarget &m_clock;
    PresetScale &m_scale;
    platform::ClockSource *m_time;
    platform::Messages *m_messages;
    QString m_pictureFile;
    QPixmap m_picture;
    QRect m_pressedButton;
};

} // namespace vespera

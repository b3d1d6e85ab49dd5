// What the pointer does on the clock's face: which control a press, a click
// or a move lands on, and what the clock is asked to do about it.
#pragma once

#include "design/skin_layout.h"

#include <QPoint>
#include <QPointF>
#include <optional>

class QEnterEvent;
class QMouseEvent;

namespace vespera {

class FaceView;
class Tucker;

// The clock's answers to the pointer on its face.
class FaceCommands {
public:
    virtual ~FaceCommands() = default;
    // Clicks: a press and a left release on the same control.
    virtual void onEdgeStrip() = 0;
    virtual void onAlarmMark() = 0;
    virtual void onCloseButton() = 0;
    virtual void onMenuButton() = 0;
    virtual void onLogo() = 0;
    virtual void onOptionButton() = 0;
    // Presses that act at once.
    virtual void onAlarmButton() = 0;
    virtual void startDesignBrowser() = 0; // the dog
    virtual void onMouseDown(Qt::MouseButton button, QPoint pos) = 0;
    // A real move over the face, where it passes to the window.
    virtual void onMouseMove(QPoint pos) = 0;
    // A switch turned on the face is stored at once.
    virtual void storeFlags() = 0;
};

class FacePointer {
public:
    FacePointer(const FaceView &view, Tucker &tucker, FaceCommands &commands);

    void press(const QMouseEvent &event);
    void release(const QMouseEvent &event);
    void doubleClick(const QMouseEvent &event);
    void move(const QMouseEvent &event);
    void enter(const QEnterEvent &event);

private:
    void moved(QPointF global, QPoint pos);

    const FaceView &m_view;
    Tucker &m_tucker;
    FaceCommands &m_commands;
    Ctl m_pressed = Ctl::Count;
    std::optional<QPointF> m_lastSeen; // where the pointer was last seen over the window
};

} // namespace vespera

// What the pointer does on the clock's face.
#include "face_pointer.h"

#include "face_view.h"
#include "tucker.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace vespera {

FacePointer::FacePointer(const FaceView &view, Tucker &tucker, FaceCommands &commands)
    : m_view(view), m_tucker(tucker), m_commands(commands)
{
}

void FacePointer::press(const QMouseEvent &event)
{
    const QPoint pos = event.position().toPoint();
    m_lastSeen = event.globalPosition();
    m_pressed = m_view.controlAt(pos);
    if (isDog(m_pressed))
        m_commands.startDesignBrowser();
    else if (m_pressed == Ctl::AlarmButton)
        m_commands.onAlarmButton();
    else if (reachesWindow(m_pressed))
        m_commands.onMouseDown(event.button(), pos);
}

void FacePointer::release(const QMouseEvent &event)
{
    const Ctl released = m_view.controlAt(event.position().toPoint());
    if (event.button() != Qt::LeftButton || released != m_pressed)
        return;
    switch (released) {
    case Ctl::AlarmMark:
        m_commands.onAlarmMark();
        m_commands.storeFlags();
        break;
    case Ctl::EdgeStrip:
        m_commands.onEdgeStrip();
        m_commands.storeFlags();
        break;
    case Ctl::CloseButton: m_commands.onCloseButton(); break;
    case Ctl::MenuButton: m_commands.onMenuButton(); break;
    case Ctl::Logo: m_commands.onLogo(); break;
    case Ctl::OptionButton: m_commands.onOptionButton(); break;
    default: break;
    }
}

// Qt tells a double click as press, release, double click, release: the
// first pair has acted already, so the second does nothing (QWidget would
// take the double click for another press, and its release for a click).
void FacePointer::doubleClick(const QMouseEvent &event)
{
    m_lastSeen = event.globalPosition();
    m_pressed = Ctl::Count; // the release that follows meets no press
}

void FacePointer::move(const QMouseEvent &event)
{
    moved(event.globalPosition(), event.position().toPoint());
}

// Coming in is a move too: some compositors (wlroots') tell a window past
// the window manager of the pointer's coming and going only.
void FacePointer::enter(const QEnterEvent &event)
{
    if (m_tucker.arrivingUnderPointer())
        m_lastSeen = event.globalPosition();
    else
        moved(event.globalPosition(), event.position().toPoint());
    m_tucker.settle();
}

void FacePointer::moved(QPointF global, QPoint pos)
{
    // A window that appears under a resting pointer is told of the pointer
    // where it already was; only a pointer that moved has moved.
    if (m_lastSeen == global)
        return;
    m_lastSeen = global;
    if (reachesWindow(m_view.controlAt(pos)))
        m_commands.onMouseMove(pos);
}

} // namespace vespera

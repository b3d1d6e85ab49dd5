// The desktop around the clock: work area, pointer and the [Shift] key.
#include "desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

WorkArea QtDesktop::workArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return WorkArea{0, 0, 1024, 768};
    // availableGeometry follows _NET_WORKAREA on X11.
    const QRect r = screen->availableGeometry();
    return WorkArea{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

QPoint QtDesktop::pointerPos() const { return QCursor::pos(); }

bool QtDesktop::shiftAlone() const
{
    // queryKeyboardModifiers asks the server, so it works without focus.
    const auto mods = QGuiApplication::queryKeyboardModifiers()
                      & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return mods == Qt::ShiftModifier;
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect client(window->geometry().topLeft(), window->size());
    client.moveCenter(screen->availableGeometry().center());
    window->setGeometry(client);
}

} // namespace platform

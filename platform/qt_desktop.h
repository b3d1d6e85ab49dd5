// The desktop as the display server shows it, and windows placed on its screens.
#pragma once

#include "desktop.h"

#include <memory>

class QScreen;
class QWidget;

namespace platform {
namespace x11 {
class PointerWatch;
}

class QtDesktop : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;
    QList<Monitor> monitors() const override;
    WorkArea workArea(const QString &monitor = QString()) const override;
    QPoint pointerPos() const override;
    std::optional<QPoint> seenPointer() const override;
    bool shiftAlone() const override;

private:
    std::unique_ptr<x11::PointerWatch> m_pointerWatch;
};

// The screen of the named monitor; the primary one when none has that name.
QScreen *screenNamed(const QString &monitor);

// The largest client area a window may have on its screen's work area with
// all of its frame there too: the frame is known once the window manager has
// framed the window, and a title bar's height is allowed before.
QSize roomOnScreen(const QWidget *window);

// Centres a window on its screen's work area, as large as it may be up to
// `wanted` (its present size when none is given) and never with its title bar
// off the top, where it could not be taken; a window that cannot shrink to
// fit goes off the bottom rather than the top.
void centreOnScreen(QWidget *window, QSize wanted = QSize());

} // namespace platform

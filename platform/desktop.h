// The desktop around the clock: work area, pointer and the [Shift] key.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace platform {

// Left/Top/Right/Bottom of the work area in pixels, Right and Bottom exclusive.
struct WorkArea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const WorkArea &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const WorkArea &o) const { return !(*this == o); }
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual WorkArea workArea() const = 0;
    virtual QPoint pointerPos() const = 0;
    virtual bool shiftAlone() const = 0; // [Shift] held and no other modifier
};

class QtDesktop : public Desktop {
public:
    WorkArea workArea() const override;
    QPoint pointerPos() const override;
    bool shiftAlone() const override;
};

// Places a window that is not shown yet so that its client area is centred on
// the primary screen's work area (its frame is not known before it shows).
void centreOnScreen(QWidget *window);

} // namespace platform

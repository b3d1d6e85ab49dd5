// The clock's popup menu: the tree of commands and the check marks it shows.
#pragma once

#include "core/clock_flags.h"
#include "core/preset_hours.h"

#include "platform/desktop.h"

#include <QObject>
#include <QPoint>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace vespera {

// The state behind the check marks; the menu only shows it.
struct MenuChecks {
    ClockFlags flags;
    bool dontCount = false;
    HourMarks hours;
    bool startAtLogin = false;
};

// What the menu's entries ask the clock to do.
enum class MenuCommand {
    StandardView,
    UptimeView,
    TotalView,
    HideMode,
    PresetNow, // from either of its two entries
    ResetTotal,
    DontCount,
    StartAtLogin,
    AlwaysOnTop,
    AutoTuck,
    Quit,
    Count
};

class ClockMenu : public QObject {
    Q_OBJECT
public:
    explicit ClockMenu(QWidget *owner);

    // Puts the check marks where the clock's state has them; called before
    // every popup, so a mark toggled by a click never outlives the state.
    void showChecks(const MenuChecks &checks);
    // Lists the monitors in their submenu, the chosen one checked ("" for the
    // primary one, also while the chosen one is missing).
    void showMonitors(const QList<platform::Monitor> &monitors, const QString &chosen);
    // Without a way to start at login the entry is not shown at all.
    void setStartAtLoginShown(bool shown);

    // The whole menu, or only the preset alarms (the alarm button's own).
    // Only ever shown as a popup, never as a menu bar.
    enum class Popup { Whole, Presets };
    void popUp(Popup which, QPoint at);

    // Chooses an entry as a click does: its mark toggles and
    // commandChosen() follows.
    void trigger(MenuCommand command);

signals:
    void commandChosen(MenuCommand command);
    void presetHourChosen(int hour);
    void monitorChosen(const QString &monitor);

private:
    QAction *item(QMenu *menu, const char *name, const QString &caption, bool checkable = false);
    QAction *command(QMenu *menu, const char *name, const QString &caption, MenuCommand command,
                     bool checkable = false);

    QMenu *root;
    QMenu *viewMenu, *settingsMenu, *presetMenu;
    QAction *standardView, *uptimeView, *totalView, *hideMode;
    QAction *presetNow, *presetNowBelow, *resetTotal, *dontCount;
    QMenu *monitorMenu;
    QAction *startAtLogin;
    std::array<QAction *, kHours> presetHours{};
    QAction *alwaysOnTop, *autoTuck, *quit;
    std::array<QAction *, size_t(MenuCommand::Count)> m_actionOf{}; // the entry of each command
};

} // namespace vespera

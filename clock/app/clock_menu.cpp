// The clock's popup menu: the tree of commands and the check marks it shows.
#include "clock_menu.h"

#include <QActionGroup>
#include <QMenu>

namespace vespera {

ClockMenu::ClockMenu(QWidget *owner) : QObject(owner)
{
    root = new QMenu(tr("メニュー"), owner);
    root->setObjectName(QStringLiteral("root"));

    viewMenu = root->addMenu(tr("表示"));
    viewMenu->setObjectName(QStringLiteral("viewMenu"));
    standardView = command(viewMenu, "standardView", tr("標準"), MenuCommand::StandardView);
    uptimeView = command(viewMenu, "uptimeView", tr("システム駆動時間"), MenuCommand::UptimeView);
    totalView = command(viewMenu, "totalView", tr("積算駆動時間"), MenuCommand::TotalView);
    viewMenu->addSeparator()->setObjectName(QStringLiteral("hideSeparator"));
    hideMode = command(viewMenu, "hideMode", tr("隠す"), MenuCommand::HideMode, true);

    settingsMenu = root->addMenu(tr("設定"));
    settingsMenu->setObjectName(QStringLiteral("settingsMenu"));
    presetMenu = settingsMenu->addMenu(tr("プリセットアラーム"));
    presetMenu->setObjectName(QStringLiteral("presetMenu"));
    presetNow = command(presetMenu, "presetNow", tr("●　現在"), MenuCommand::PresetNow);
    presetMenu->addSeparator()->setObjectName(QStringLiteral("hoursSeparatorAbove"));
    for (int hour = 0; hour < kHours; ++hour) {
        presetHours[hour] = item(presetMenu, "presetHours", presetHourCaption(hour));
        presetHours[hour]->setData(hour);
        connect(presetHours[hour], &QAction::triggered, this,
                [this, hour] { emit presetHourChosen(hour); });
    }
    presetMenu->addSeparator()->setObjectName(QStringLiteral("hoursSeparatorBelow"));
    presetNowBelow = command(presetMenu, "presetNowBelow", tr("●　現在"), MenuCommand::PresetNow);
    resetTotal =
        command(settingsMenu, "resetTotal", tr("積算カウンターリセット"), MenuCommand::ResetTotal);
    dontCount = command(settingsMenu, "dontCount", tr("積算禁止"), MenuCommand::DontCount, true);
    monitorMenu = settingsMenu->addMenu(tr("表示するモニター"));
    monitorMenu->setObjectName(QStringLiteral("monitorMenu"));
    startAtLogin = command(settingsMenu, "startAtLogin", tr("ログイン時に起動"),
                           MenuCommand::StartAtLogin, true);

    alwaysOnTop = command(root, "alwaysOnTop", tr("常に手前"), MenuCommand::AlwaysOnTop, true);
    autoTuck = command(root, "autoTuck", tr("自動的に隠す"), MenuCommand::AutoTuck, true);
    quit = command(root, "quit", tr("終了"), MenuCommand::Quit);
    showChecks(MenuChecks{});
}

QAction *ClockMenu::item(QMenu *menu, const char *name, const QString &caption, bool checkable)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

QAction *ClockMenu::command(QMenu *menu, const char *name, const QString &caption,
                            MenuCommand command, bool checkable)
{
    QAction *a = item(menu, name, caption, checkable);
    connect(a, &QAction::triggered, this, [this, command] { emit commandChosen(command); });
    QAction *&first = m_actionOf[size_t(command)]; // "現在" has two entries: the upper one
    if (!first)
        first = a;
    return a;
}

void ClockMenu::setStartAtLoginShown(bool shown) { startAtLogin->setVisible(shown); }

void ClockMenu::popUp(Popup which, QPoint at)
{
    (which == Popup::Presets ? presetMenu : root)->popup(at);
}

void ClockMenu::trigger(MenuCommand command) { m_actionOf[size_t(command)]->trigger(); }

void ClockMenu::showChecks(const MenuChecks &checks)
{
    hideMode->setChecked(checks.flags.hideMode);
    dontCount->setChecked(checks.dontCount);
    alwaysOnTop->setChecked(checks.flags.alwaysOnTop);
    autoTuck->setChecked(checks.flags.autoTuck);
    startAtLogin->setChecked(checks.startAtLogin);
    // An hour shows a mark only once it has one: no empty boxes down the list.
    for (int hour = 0; hour < kHours; ++hour) {
        presetHours[hour]->setCheckable(checks.hours.isMarked(hour));
        presetHours[hour]->setChecked(checks.hours.isMarked(hour));
    }
}

void ClockMenu::showMonitors(const QList<platform::Monitor> &monitors, const QString &chosen)
{
    monitorMenu->clear();
    auto *group = new QActionGroup(monitorMenu); // goes with the actions at the next clear
    bool found = false;
    for (const platform::Monitor &m : monitors)
        found = found || m.name == chosen;
    auto add = [this, group](const QString &caption, const QString &name, bool checked) {
        QAction *a = item(monitorMenu, "monitor", caption, true);
        a->setData(name);
        a->setChecked(checked);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { emit monitorChosen(name); });
    };
    add(tr("プライマリモニター"), QString(), !found);
    for (const platform::Monitor &m : monitors) {
        add(tr("%1（%2×%3）").arg(m.name).arg(m.resolution.width()).arg(m.resolution.height()),
            m.name, found && m.name == chosen);
    }
}

} // namespace vespera

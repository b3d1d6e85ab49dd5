// The clock's popup menu: the tree of commands and the check marks it shows.
#include "clock_menu.h"

#include <QActionGroup>
#include <QMenu>

namespace vespera {

ClockMenu::ClockMenu(QWidget *owner) : QObject(owner)
{
    Menu = new QMenu(QStringLiteral("メニュー"), owner);
    Menu->setObjectName(QStringLiteral("Menu"));

    View = Menu->addMenu(QStringLiteral("表示"));
    View->setObjectName(QStringLiteral("View"));
    Normal = item(View, "Normal", QStringLiteral("標準"));
    SysTime = item(View, "SysTime", QStringLiteral("システム駆動時間"));
    SumSysTime = item(View, "SumSysTime", QStringLiteral("積算駆動時間"));
    View->addSeparator()->setObjectName(QStringLiteral("sen2"));
    Kakusu = item(View, "Kakusu", QStringLiteral("隠す"), true);

    Setting = Menu->addMenu(QStringLiteral("設定"));
    Setting->setObjectName(QStringLiteral("Setting"));
    mnuPreAl = Setting->addMenu(QStringLiteral("プリセットアラーム"));
    mnuPreAl->setObjectName(QStringLiteral("mnuPreAl"));
    mnuNow = item(mnuPreAl, "mnuNow", QStringLiteral("●　現在"));
    mnuPreAl->addSeparator()->setObjectName(QStringLiteral("sen3"));
    for (int hour = 0; hour < kHours; ++hour) {
        mnuPAH[hour] = item(mnuPreAl, "mnuPAH", presetHourCaption(hour));
        mnuPAH[hour]->setData(hour);
        connect(mnuPAH[hour], &QAction::triggered, this, [this, hour] { emit mnuPAH_Click(hour); });
    }
    mnuPreAl->addSeparator()->setObjectName(QStringLiteral("sen4"));
    mnuNow2 = item(mnuPreAl, "mnuNow2", QStringLiteral("●　現在"));
    Reset = item(Setting, "Reset", QStringLiteral("積算カウンターリセット"));
    NoSum = item(Setting, "NoSum", QStringLiteral("積算禁止"), true);
    mnuMonitor = Setting->addMenu(QStringLiteral("表示するモニター"));
    mnuMonitor->setObjectName(QStringLiteral("mnuMonitor"));

    AllwaysTop = item(Menu, "AllwaysTop", QStringLiteral("常に手前"), true);
    Autohid = item(Menu, "Autohid", QStringLiteral("自動的に隠す"), true);
    End = item(Menu, "End", QStringLiteral("終了"));
    showChecks(MenuChecks{});
}

QAction *ClockMenu::item(QMenu *menu, const char *name, const QString &caption, bool checkable)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

void ClockMenu::showChecks(const MenuChecks &checks)
{
    Kakusu->setChecked(checks.Kakusu);
    NoSum->setChecked(checks.NoSum);
    AllwaysTop->setChecked(checks.AllwaysTop);
    Autohid->setChecked(checks.Autohid);
    // An hour shows a mark only once it has one: no empty boxes down the list.
    for (int hour = 0; hour < kHours; ++hour) {
        mnuPAH[hour]->setCheckable(checks.hours.isMarked(hour));
        mnuPAH[hour]->setChecked(checks.hours.isMarked(hour));
    }
}

void ClockMenu::showMonitors(const QList<platform::Monitor> &monitors, const QString &chosen)
{
    mnuMonitor->clear();
    auto *group = new QActionGroup(mnuMonitor); // goes with the actions at the next clear
    bool found = false;
    for (const platform::Monitor &m : monitors)
        found = found || m.name == chosen;
    auto add = [this, group](const QString &caption, const QString &name, bool checked) {
        QAction *a = item(mnuMonitor, "mnuMonitorItem", caption, true);
        a->setData(name);
        a->setChecked(checked);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { emit monitorChosen(name); });
    };
    add(QStringLiteral("プライマリモニター"), QString(), !found);
    for (const platform::Monitor &m : monitors) {
        add(QStringLiteral("%1（%2×%3）")
                .arg(m.name)
                .arg(m.resolution.width())
                .arg(m.resolution.height()),
            m.name, found && m.name == chosen);
    }
}

} // namespace vespera

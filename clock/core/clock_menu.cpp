// The clock's popup menu: the tree of commands and the check marks it shows.
#include "clock_menu.h"

#include <QActionGroup>
#include <QMenu>

namespace vespera {

ClockMenu::ClockMenu(QWidget *owner) : QObject(owner)
{
    Menu = new QMenu(tr("メニュー"), owner);
    Menu->setObjectName(QStringLiteral("Menu"));

    View = Menu->addMenu(tr("表示"));
    View->setObjectName(QStringLiteral("View"));
    Normal = item(View, "Normal", tr("標準"));
    SysTime = item(View, "SysTime", tr("システム駆動時間"));
    SumSysTime = item(View, "SumSysTime", tr("積算駆動時間"));
    View->addSeparator()->setObjectName(QStringLiteral("sen2"));
    Kakusu = item(View, "Kakusu", tr("隠す"), true);

    Setting = Menu->addMenu(tr("設定"));
    Setting->setObjectName(QStringLiteral("Setting"));
    mnuPreAl = Setting->addMenu(tr("プリセットアラーム"));
    mnuPreAl->setObjectName(QStringLiteral("mnuPreAl"));
    mnuNow = item(mnuPreAl, "mnuNow", tr("●　現在"));
    mnuPreAl->addSeparator()->setObjectName(QStringLiteral("sen3"));
    for (int hour = 0; hour < kHours; ++hour) {
        mnuPAH[hour] = item(mnuPreAl, "mnuPAH", presetHourCaption(hour));
        mnuPAH[hour]->setData(hour);
        connect(mnuPAH[hour], &QAction::triggered, this, [this, hour] { emit mnuPAH_Click(hour); });
    }
    mnuPreAl->addSeparator()->setObjectName(QStringLiteral("sen4"));
    mnuNow2 = item(mnuPreAl, "mnuNow2", tr("●　現在"));
    Reset = item(Setting, "Reset", tr("積算カウンターリセット"));
    NoSum = item(Setting, "NoSum", tr("積算禁止"), true);
    mnuMonitor = Setting->addMenu(tr("表示するモニター"));
    mnuMonitor->setObjectName(QStringLiteral("mnuMonitor"));
    startAtLogin = item(Setting, "startAtLogin", tr("ログイン時に起動"), true);

    AllwaysTop = item(Menu, "AllwaysTop", tr("常に手前"), true);
    Autohid = item(Menu, "Autohid", tr("自動的に隠す"), true);
    End = item(Menu, "End", tr("終了"));
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
    startAtLogin->setChecked(checks.startAtLogin);
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
    add(tr("プライマリモニター"), QString(), !found);
    for (const platform::Monitor &m : monitors) {
        add(tr("%1（%2×%3）").arg(m.name).arg(m.resolution.width()).arg(m.resolution.height()),
            m.name, found && m.name == chosen);
    }
}

} // namespace vespera

// Writes many keys into a settings file, one locked rewrite each: half of a
// test that two programs writing at once lose nothing.
#include "common/settings_store.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    common::SettingsStore store = common::SettingsStore::atPath(args[1]);
    const QString prefix = args[2];
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        if (!store.SaveSetting(QStringLiteral("pendra"), prefix + QString::number(i),
                               QString::number(i)))
            return 1;
    }
    return 0;
}

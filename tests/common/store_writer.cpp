// Another program writing the settings file, for the tests of writers at once:
//   store_writer PATH PREFIX COUNT   writes COUNT keys, one locked rewrite each
//   store_writer PATH hold MS KEY    one rewrite that holds the lock MS
//                                    milliseconds (says "locked" when it has
//                                    it), then stores KEY=held
#include "common/settings_store.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    common::SettingsStore store = common::SettingsStore::atPath(args[1]);
    if (args[2] == QLatin1String("hold") && args.size() == 5) {
        const bool written = store.change([&](common::IniDocument &doc) {
            std::printf("locked\n");
            std::fflush(stdout);
            QThread::msleep(args[3].toULong());
            doc.set(QStringLiteral("pendra"), args[4], QStringLiteral("held"));
            return true;
        });
        return written ? 0 : 1;
    }
    const QString prefix = args[2];
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        if (!store.saveSetting(QStringLiteral("pendra"), prefix + QString::number(i),
                               QString::number(i)))
            return 1;
    }
    return 0;
}

// vesclean — removes every setting the clock and the design browser stored,
// after one question.
#include "remover_window.h"

#include "common/settings_store.h"
#include "platform/messages.h"
#include "platform/program_icon.h"
#include "platform/x11_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::x11::preferX11(); // centred as it says, also in a Wayland session
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesclean"));
    QApplication::setWindowIcon(platform::programIcon());
    common::SettingsStore store;
    platform::QtMessages messages;
    vesclean::Form1 window(store, messages);
    window.exec();
    return 0;
}

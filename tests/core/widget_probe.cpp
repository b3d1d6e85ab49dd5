// Built only by the test core_has_no_widgets, which expects this to fail: the
// clock's core library must not reach a widget header.
#include <QWidget>

int widgetProbe() { return sizeof(QWidget); }

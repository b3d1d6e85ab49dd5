// Modal message boxes with an OK button.
#include "messages.h"

#include <QMessageBox>

namespace platform {

void QtMessages::information(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

} // namespace platform

// Modal message boxes: notes with an OK button, and yes-or-no questions.
#include "messages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

void QtMessages::information(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

void QtMessages::notice(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.exec();
}

bool QtMessages::question(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Messages", "はい(&Y)"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("Messages", "いいえ(&N)"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace platform

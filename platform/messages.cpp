// Modal message boxes: notes with an OK button, and yes-or-no questions.
#include "messages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPixmap>
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

namespace {
bool ask(const QString &title, const QString &text, const QImage &picture)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No);
    if (!picture.isNull())
        box.setIconPixmap(QPixmap::fromImage(picture));
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Messages", "はい(&Y)"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("Messages", "いいえ(&N)"));
    return box.exec() == QMessageBox::Yes;
}
} // namespace

bool QtMessages::question(const QString &title, const QString &text)
{
    return ask(title, text, QImage());
}

bool QtMessages::questionWithPicture(const QString &title, const QString &text,
                                     const QImage &picture)
{
    return ask(title, text, picture);
}

} // namespace platform

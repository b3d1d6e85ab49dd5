// Modal message boxes: notes with an OK button, and yes-or-no questions.
#include "messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>

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

// Keeps keys from answering a question by chance. Someone typing into a page
// when the question comes up goes on typing into it: for its first moment
// every key is dropped, and a letter alone, which a message box would take
// as its button's mnemonic, never answers; Alt and the letter does, and so
// do Enter, Space and Escape after the first moment.
class KeyGuard : public QObject {
public:
    KeyGuard(QMessageBox *box, int ignoredMs) : QObject(box), m_box(box), m_ignoredMs(ignoredMs)
    {
        // Every key of the box, whichever of its controls has the focus,
        // and the shortcut map's look before it fires a mnemonic.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::Show && !m_shown.isValid())
            m_shown.start();
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease
            && type != QEvent::ShortcutOverride)
            return false;
        if (!belongsToBox(watched))
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool firstMoment = !m_shown.isValid() || m_shown.elapsed() < m_ignoredMs;
        const QString text = key->text();
        const bool bareCharacter =
            !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            && !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
        if (!firstMoment && !bareCharacter)
            return false;
        // An accepted override keeps the shortcut map from clicking a button;
        // the key then comes as a key press, and is dropped here.
        event->accept();
        return true;
    }

private:
    bool belongsToBox(QObject *object) const
    {
        if (auto *widget = qobject_cast<QWidget *>(object))
            return widget->window() == m_box;
        return object == m_box->windowHandle();
    }

    QMessageBox *m_box;
    int m_ignoredMs;
    QElapsedTimer m_shown;
};

bool ask(const QString &title, const QString &text, const QImage &picture, int keysIgnoredMs)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No);
    if (!picture.isNull())
        box.setIconPixmap(QPixmap::fromImage(picture));
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Messages", "はい(&Y)"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("Messages", "いいえ(&N)"));
    new KeyGuard(&box, keysIgnoredMs);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

bool QtMessages::question(const QString &title, const QString &text)
{
    return ask(title, text, QImage(), m_keysIgnoredMs);
}

bool QtMessages::questionWithPicture(const QString &title, const QString &text,
                                     const QImage &picture)
{
    return ask(title, text, picture, m_keysIgnoredMs);
}

} // namespace platform

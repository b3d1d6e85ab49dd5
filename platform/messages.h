// Modal message boxes: notes with an OK button, and yes-or-no questions.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace platform {

class Messages {
public:
    virtual ~Messages() = default;
    // OK only, no icon.
    virtual void information(const QString &title, const QString &text) = 0;
    // OK only, with the information icon.
    virtual void notice(const QString &title, const QString &text) = 0;
    // Yes and No, no icon; true for Yes. No is the default button: a stray
    // Enter or Space never says yes. Keys typed for something else never
    // answer: none does in the question's first moment, and a letter needs
    // Alt.
    virtual bool question(const QString &title, const QString &text) = 0;
    // The same with a picture of what the question is about.
    virtual bool questionWithPicture(const QString &title, const QString &text,
                                     const QImage &picture)
    {
        Q_UNUSED(picture);
        return question(title, text);
    }
};

class QtMessages : public Messages {
public:
    // How long a question ignores every key after it appears.
    static constexpr int kKeysIgnoredMs = 500;
    explicit QtMessages(int keysIgnoredMs = kKeysIgnoredMs) : m_keysIgnoredMs(keysIgnoredMs) {}

    void information(const QString &title, const QString &text) override;
    void notice(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;
    bool questionWithPicture(const QString &title, const QString &text,
                             const QImage &picture) override;

private:
    int m_keysIgnoredMs;
};

} // namespace platform

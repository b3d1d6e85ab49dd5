// Modal message boxes: notes with an OK button, and yes-or-no questions.
#pragma once

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
    // Enter or Space never says yes.
    virtual bool question(const QString &title, const QString &text) = 0;
};

class QtMessages : public Messages {
public:
    void information(const QString &title, const QString &text) override;
    void notice(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text) override;
};

} // namespace platform

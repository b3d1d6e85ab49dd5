// Modal message boxes with an OK button.
#pragma once

#include <QString>

class QWidget;

namespace platform {

class Messages {
public:
    virtual ~Messages() = default;
    virtual void information(const QString &title, const QString &text) = 0;
};

class QtMessages : public Messages {
public:
    void information(const QString &title, const QString &text) override;
};

} // namespace platform

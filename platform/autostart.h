// Starting the clock with the user's session: the desktop entry in the
// user's autostart folder that session managers read at login.
#pragma once

#include <QString>

namespace platform {

class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // False, with the reason in `error`, when the entry could not be written
    // or removed; what was there before stays.
    virtual bool setEnabled(bool enabled, QString *error) = 0;
};

// $XDG_CONFIG_HOME/autostart/vespera.desktop (freedesktop's autostart).
// It counts as enabled when it exists and does not say Hidden=true, the way
// a desktop's own session settings switch an entry off.
class XdgAutostart : public Autostart {
public:
    // `program` is the clock's executable; the entry starts it with "a", so
    // a clock already running is left alone without a message.
    explicit XdgAutostart(const QString &program);
    static QString entryPath();
    bool isEnabled() const override;
    bool setEnabled(bool enabled, QString *error) override;
    // The entry written for a program at a path ("vespera" when that is what
    // PATH finds anyway, so a moved install keeps working).
    static QByteArray entryFor(const QString &program);

private:
    QString m_program;
};

} // namespace platform

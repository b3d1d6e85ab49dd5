// Our programs started through QProcess, and their windows found on X11.
#pragma once

#include "program_starter.h"

namespace platform {

class QtProgramStarter : public ProgramStarter {
public:
    bool start(const QString &name, const QStringList &arguments = {}) override;
    bool startCommand(const QString &command) override;
    bool activateWindowOf(const QString &program) override;
    // Where start() finds the program, or an empty string.
    static QString locate(const QString &name);
};

} // namespace platform

// Starting our other programs and bringing a window of theirs to the front.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts one of our programs, detached: the one beside the running
    // program first, then one on PATH. False when none was found or started.
    virtual bool start(const QString &name, const QStringList &arguments = {}) = 0;
    // Starts a command, detached and unwatched: a path to a program file as
    // it stands, anything else split as a shell would split it. False when
    // it cannot start.
    virtual bool startCommand(const QString &command) = 0;
    // Brings a top-level window of one of our programs to the front, found
    // by its window class (which Qt names after the program), not its title:
    // our programs' windows share titles. False when there is none.
    virtual bool activateWindowOf(const QString &program) = 0;
};

} // namespace platform

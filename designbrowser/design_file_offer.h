// A design file handed to the design browser (by a file manager, or chosen
// in its window): shown, and installed only when the user says so.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Messages;
}

namespace vesweb {

// Reads the design file at `path`, shows its design and asks whether to
// install it into `userFolder` (under a free name when its own is taken in
// `folders`); says what came of it. True when it was installed.
bool offerDesignFile(const QString &path, platform::Messages &messages, const QString &userFolder,
                     const QStringList &folders);

} // namespace vesweb

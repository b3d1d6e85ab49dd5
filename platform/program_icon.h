// The icon our three programs share, from the data folder.
#pragma once

#include <QIcon>

namespace platform {

// Null when none of its pictures is found.
QIcon programIcon();

} // namespace platform

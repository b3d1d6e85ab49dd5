// Finding a window's controls and menu items by name, as a test reaches them
// now that they are the window's own.
#pragma once

#include <QList>
#include <QObject>
#include <QtGlobal>

namespace fakes {

// The one child of that type and name; a missing or doubled one ends the
// test program at once, naming it, rather than failing later on a null.
template <typename T> T *child(const QObject &parent, const char *name)
{
    const QList<T *> found = parent.findChildren<T *>(QLatin1String(name));
    if (found.size() != 1)
        qFatal("%s has %lld children named \"%s\" of the type asked for, not one",
               parent.metaObject()->className(), qlonglong(found.size()), name);
    return found.first();
}

// All children of that type and name, in the order they were made; at
// least one, or the test program ends.
template <typename T> QList<T *> children(const QObject &parent, const char *name)
{
    const QList<T *> found = parent.findChildren<T *>(QLatin1String(name));
    if (found.isEmpty())
        qFatal("%s has no children named \"%s\" of the type asked for",
               parent.metaObject()->className(), name);
    return found;
}

} // namespace fakes

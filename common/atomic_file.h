// Replacing a file's content in one step, or not at all.
#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// Writes `data` to a new file beside `path`, makes sure it reached the disk,
// then renames it over `path`: a reader sees the old content or the new,
// never a part. On any failure (a full disk, a folder that cannot be written)
// the old file is left untouched, nothing is left behind, `error` says why
// and false is returned. The file keeps its permissions; a new one gets the
// usual ones of the user's umask.
// A symbolic link at `path` is kept, and the file it points to replaced; or,
// with Links::Refuse, for a file whose name and content come from outside,
// the write is refused, as it is when anything but a regular file is there.
enum class Links { Follow, Refuse };
bool writeFileAtomically(const QString &path, const QByteArray &data, QString *error = nullptr,
                         Links links = Links::Follow);

// The file a write to `path` replaces: the end of its chain of symbolic
// links, or `path` itself.
QString fileWrittenFor(const QString &path);

// Removes the new files that writes to `path` cut short by a crash left
// behind. Call it only where no write to `path` can be under way.
void removeUnfinishedWrites(const QString &path);

} // namespace common

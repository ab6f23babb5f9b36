#pragma once
#include <QFile>
#include <QImage>
#include <QString>

namespace kesto {

// Files that the user or another program can replace (pictures, settings, the lock file, the
// dictionary) may be anything by the time they are opened: a FIFO, whose opening waits for a
// writer that never comes; a device; a folder. Such paths are treated as files that cannot be
// read.

// Opens the file for reading when it is a regular file (itself or through a symbolic link),
// without ever blocking; false, with `file` closed, for anything else or a missing file.
bool OpenRegularFile(QFile &file, const QString &path);

// The picture in the file, or a null picture when the file is missing, is not a regular file
// or does not read as a picture.
QImage ReadPictureFile(const QString &path);

// What lies at a path, for the files that Qt opens by name itself.
enum class PathKind {
    Missing, // nothing at all
    RegularFile, // a regular file, itself or through a symbolic link
    Other, // a folder, a FIFO, a device, a socket or a symbolic link that leads nowhere
};
PathKind KindOfPath(const QString &path);

} // namespace kesto

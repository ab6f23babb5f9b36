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

// Pictures shipped at several sizes: "name.jpg" at its own size, and beside it "name@2x.jpg"
// (and, for some, "name@4x.jpg") with two (four) times as many pixels each way, for screens
// whose device pixel ratio is above 1.
//
// The path of the picture at a scale; scale 1 is the path itself.
QString ScaledPicturePath(const QString &path, int scale);
// The scale to read for a device pixel ratio: the smallest of 1, 2, 4 ... (up to
// largestScale) that covers the ratio, else largestScale.
int PictureScaleFor(qreal devicePixelRatio, int largestScale);
// The picture for a screen of the given device pixel ratio: the larger file of the scale that
// covers the ratio, its devicePixelRatio set to that scale so that it shows at the size of the
// plain picture. A larger file is used only when it is exactly that many times the size of the
// plain one (a plain picture replaced by one of another size is shown as it is); otherwise
// the next smaller scale is tried, and in the end the plain picture is read, as
// ReadPictureFile does. A missing or unreadable plain picture gives a null picture whatever
// larger files lie beside it.
QImage ReadPictureForRatio(const QString &path, qreal devicePixelRatio, int largestScale = 2);

// What lies at a path, for the files that Qt opens by name itself.
enum class PathKind {
    Missing, // nothing at all
    RegularFile, // a regular file, itself or through a symbolic link
    Other, // a folder, a FIFO, a device, a socket or a symbolic link that leads nowhere
};
PathKind KindOfPath(const QString &path);

} // namespace kesto

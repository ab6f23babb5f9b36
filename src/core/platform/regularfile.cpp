#include "core/platform/regularfile.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kesto {

// Checking the path first (QFileInfo::isFile) and then opening it by name would leave a
// moment in which the file can be replaced by a FIFO, and the open would then wait for ever.
// Instead the path is opened once, without waiting (O_NONBLOCK makes the opening of a FIFO
// return at once), and the file that was actually opened is looked at through its handle:
// what is read is what was checked. Only then does QFile take the handle over.
bool OpenRegularFile(QFile &file, const QString &path)
{
    if (file.isOpen())
        file.close();
    if (path.isEmpty())
        return false;
#if defined(Q_OS_UNIX)
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    // Reads of a regular file never wait anyway; the flag goes so that nothing downstream
    // sees a would-block answer.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    // No FIFOs live among the files here; a folder or a device is still refused.
    if (!QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

QImage ReadPictureFile(const QString &path)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return QImage();
    // The format is told by the file's content, as it is for a reader given the name.
    QImageReader reader(&file);
    return reader.read();
}

QString ScaledPicturePath(const QString &path, int scale)
{
    if (scale <= 1)
        return path;
    const QString mark = QLatin1Char('@') + QString::number(scale) + QLatin1Char('x');
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    // A name without an extension, or one that only starts with a dot, takes the mark at its end.
    if (dot <= slash + 1)
        return path + mark;
    return path.left(dot) + mark + path.mid(dot);
}

int PictureScaleFor(qreal devicePixelRatio, int largestScale)
{
    int scale = 1;
    // A hair above a whole ratio (1.0000001 from a computed scale factor) is that ratio.
    while (scale < largestScale && devicePixelRatio > scale + 1e-3)
        scale *= 2;
    return std::min(scale, std::max(1, largestScale));
}

QImage ReadPictureForRatio(const QString &path, qreal devicePixelRatio, int largestScale)
{
    int scale = PictureScaleFor(devicePixelRatio, largestScale);
    if (scale <= 1)
        return ReadPictureFile(path);
    QSize plainSize;
    {
        QFile file;
        if (!OpenRegularFile(file, path))
            return QImage();
        plainSize = QImageReader(&file).size();
    }
    if (plainSize.isValid()) {
        for (; scale > 1; scale /= 2) {
            QImage picture = ReadPictureFile(ScaledPicturePath(path, scale));
            if (!picture.isNull() && picture.size() == plainSize * scale) {
                picture.setDevicePixelRatio(scale);
                return picture;
            }
        }
    }
    return ReadPictureFile(path);
}

PathKind KindOfPath(const QString &path)
{
    if (path.isEmpty())
        return PathKind::Missing;
#if defined(Q_OS_UNIX)
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::lstat(name.constData(), &status) != 0)
        return PathKind::Missing;
    if (S_ISLNK(status.st_mode) && ::stat(name.constData(), &status) != 0)
        return PathKind::Other;
    return S_ISREG(status.st_mode) ? PathKind::RegularFile : PathKind::Other;
#else
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return PathKind::Missing;
    return info.isFile() ? PathKind::RegularFile : PathKind::Other;
#endif
}

} // namespace kesto

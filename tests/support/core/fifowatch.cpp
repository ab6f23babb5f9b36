#include "fifowatch.h"

#include <QFile>
#include <QHash>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto::test {

FifoWatch::FifoWatch() : m_thread([this] { run(); }) {}

FifoWatch::~FifoWatch()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

bool FifoWatch::make(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkfifo(name.constData(), 0600) != 0)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_paths.append(name);
    return true;
}

void FifoWatch::run()
{
    QHash<QByteArray, int> found;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; })) {
        for (qsizetype i = 0; i < m_paths.size(); ++i) {
            const QByteArray path = m_paths.at(i);
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            ::close(fd);
            ++m_unblocked;
            if (++found[path] < kGiveUpAfter)
                continue;
            // The program opens this FIFO again and again, as a lock that is retried: it is
            // replaced by a regular file naming a lock owner that is gone, which ends that too.
            ::unlink(path.constData());
            QFile replacement(QFile::decodeName(path));
            if (replacement.open(QIODevice::WriteOnly))
                replacement.write("4194303\nkesto\n" + QSysInfo::machineHostName().toUtf8() + "\n");
            m_paths.removeAt(i--);
        }
    }
}

} // namespace kesto::test

#pragma once
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kesto::test {

// Makes FIFOs where the program expects files, and keeps a test from hanging should the
// program open one and wait for a writer: once a second the watch opens each FIFO's writing
// end without waiting, which succeeds only while a reader holds the FIFO open, and closes it
// again at once, so that a waiting reader sees an empty file and goes on. unblocked() counts
// how often a reader was found; a program that never waits on a FIFO leaves it at 0 (its own
// non-waiting open lasts microseconds, far too short to be met by a check once a second).
// A FIFO found waited on ten times is replaced by a regular file (see run()), so that even a
// program that retries for ever comes to an end.
class FifoWatch
{
public:
    static constexpr int kGiveUpAfter = 10;

    FifoWatch();
    ~FifoWatch();
    FifoWatch(const FifoWatch &) = delete;
    FifoWatch &operator=(const FifoWatch &) = delete;

    // Makes a FIFO at the path (which must not exist) and watches it; false when it cannot.
    bool make(const QString &path);
    int unblocked() const { return m_unblocked.load(); }

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QList<QByteArray> m_paths;
    bool m_stop = false;
    std::atomic<int> m_unblocked{0};
    std::thread m_thread;
};

} // namespace kesto::test

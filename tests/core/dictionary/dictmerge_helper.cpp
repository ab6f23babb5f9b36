// Runs one dictionary merge in its own process, so that a test can kill it part-way or fill
// its disk.
//   dictmerge_helper <chosen file> <installed file> <stop after rows> [<largest file size>]
// After writing at least <stop after rows> rows (before the commit) it prints "writing";
// after the merge has finished it prints "finished", or "failed" and the message when the
// merge did not update. Either way it then waits on standard input until it is killed or its
// input closes. With a largest file size, no file of the process may grow beyond that many
// bytes: writes past it fail as writes to a full disk do.
#include "core/dictionary/dictmerge.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5)
        return 2;
    const qsizetype stopAfter = args.at(3).toLongLong();

    auto waitForKill = [](const QByteArray &line) {
        std::fputs(line.constData(), stdout);
        std::fflush(stdout);
        while (std::getchar() != EOF) {}
    };
    kesto::MergeOptions options;
    options.progress = [&](qsizetype written) {
        if (stopAfter > 0 && written >= stopAfter)
            waitForKill("writing\n");
    };
    if (args.size() == 5) {
        // Past the limit a write fails (EFBIG) instead of the process being stopped.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t largest = rlim_t(args.at(4).toLongLong());
        const rlimit limit{largest, largest};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
    }
    kesto::MergeReport report = kesto::MergeDictionary(args.at(1), args.at(2), options);
    if (report.outcome == kesto::MergeOutcome::Updated)
        waitForKill("finished\n");
    else
        waitForKill("failed " + report.message.replace(QChar(u'\r'), QChar(u' ')).toUtf8() + '\n');
    return 0;
}

// Runs one dictionary merge in its own process, so that a test can kill it part-way.
//   dictmerge_helper <chosen file> <installed file> <stop after rows>
// After writing at least <stop after rows> rows (before the commit) it prints "writing";
// after the merge has finished it prints "finished". Either way it then waits on standard
// input until it is killed or its input closes.
#include "core/dictionary/dictmerge.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const qsizetype stopAfter = args.at(3).toLongLong();

    auto waitForKill = [](const char *line) {
        std::fputs(line, stdout);
        std::fflush(stdout);
        while (std::getchar() != EOF) {}
    };
    kesto::MergeOptions options;
    options.progress = [&](qsizetype written) {
        if (stopAfter > 0 && written >= stopAfter)
            waitForKill("writing\n");
    };
    const kesto::MergeReport report = kesto::MergeDictionary(args.at(1), args.at(2), options);
    waitForKill(report.outcome == kesto::MergeOutcome::Updated ? "finished\n" : "failed\n");
    return 0;
}

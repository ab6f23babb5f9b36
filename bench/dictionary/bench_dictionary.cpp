// Times every dictionary action on a generated dictionary of 32,767 rows against a bare
// read of all rows of the same file in the same run, and the merge of 32,767 new rows.
//
// Bare read: one connection, "Select * from tarot" read forward-only, the "Key" and "Link"
// of every row taken as text. Every action has to do at least this much.
#include "core/dictionary/dictdb.h"
#include "core/dictionary/dictmerge.h"
#include "core/dictionary/dictsearch.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

using namespace kesto;

namespace {

constexpr int kRows = 32767;

QTemporaryDir *g_dir = nullptr;

QString folder() { return g_dir->path(); }
QString installed() { return InstalledDictionaryPath(folder()); }
QString pristine() { return g_dir->filePath(QStringLiteral("pristine.dll")); }
QString update() { return g_dir->filePath(QStringLiteral("update.dll")); }

const char *const kWords[] = {"Tower",     "Moon",   "Star",   "Cups",     "Swords",  "Wands",
                              "Pentacles", "Arcana", "Spread", "Reversal", "Querent", "Court"};

void writeRows(const QString &path, int count, int firstLink)
{
    QFile::remove(path);
    const QString name = QStringLiteral("bench-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE tarot (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO tarot VALUES (?, ?, 'tarot')"));
        for (int i = 0; i < count; ++i) {
            const int n = firstLink + i;
            q.bindValue(0,
                        QStringLiteral("%1 %2 keyword %3")
                            .arg(QLatin1String(kWords[n % 12]), QLatin1String(kWords[(n / 12) % 12]))
                            .arg(n));
            q.bindValue(1, QStringLiteral("https://reference.example/tarot/entry/%1").arg(n));
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(name);
}

qsizetype bareRead()
{
    qsizetype chars = 0;
    const QString name = QStringLiteral("bench-bare");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(installed());
        db.open();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("Select * from tarot"));
        const int key = q.record().indexOf(QStringLiteral("Key"));
        const int link = q.record().indexOf(QStringLiteral("Link"));
        while (q.next())
            chars += q.value(key).toString().size() + q.value(link).toString().size();
    }
    QSqlDatabase::removeDatabase(name);
    return chars;
}

DictionaryPanel panel(SearchKind kind, const QString &text)
{
    DictionaryPanel p;
    p.programFolder = folder();
    p.kind = kind;
    p.keyText = text;
    p.listedRows = 1;
    return p;
}

void BM_BareRead(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bareRead());
}

void BM_Fill(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadKeywordList(folder()));
}

void BM_PrefixSearch(benchmark::State &state)
{
    const DictionaryPanel p = panel(SearchKind::Exact, QStringLiteral("tower moon"));
    for (auto _ : state)
        benchmark::DoNotOptimize(EnterPressed(p));
}

void BM_WildcardSearch(benchmark::State &state)
{
    const DictionaryPanel p = panel(SearchKind::WildCard, QStringLiteral("*KEYWORD 1*"));
    for (auto _ : state)
        benchmark::DoNotOptimize(EnterPressed(p));
}

void BM_Display(benchmark::State &state)
{
    // The last row's keyword: the scan reads the whole table before it finds it.
    const int last = kRows - 1;
    const DictionaryPanel p = panel(SearchKind::Exact,
                                    QStringLiteral("%1 %2 keyword %3")
                                        .arg(QLatin1String(kWords[last % 12]), QLatin1String(kWords[(last / 12) % 12]))
                                        .arg(last));
    for (auto _ : state) {
        const DictionaryAction a = DisplayClicked(p);
        if (a.browser != BrowserStep::NavigateAndShow || !a.address.startsWith(QStringLiteral("https://")))
            state.SkipWithError("display did not find the entry");
        benchmark::DoNotOptimize(a);
    }
}

void BM_Merge(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(installed());
        QFile::copy(pristine(), installed());
        state.ResumeTiming();
        const MergeReport r = MergeDictionary(update(), installed());
        if (r.outcome != MergeOutcome::Updated || r.rowsAdded != kRows)
            state.SkipWithError("the merge did not add every row");
    }
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PrefixSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_WildcardSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Display)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Merge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    writeRows(pristine(), kRows, 0);
    writeRows(update(), kRows, kRows);
    QFile::copy(pristine(), installed());

    benchmark::Initialize(&argc, argv);
    kesto::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Other programs share the machine, so the wall-clock time of a read can stretch while
    // it waits for a core; the CPU time cannot. Both ratios are printed; the merge, which
    // waits on the disk, is judged by its wall-clock time.
    const auto base = reporter.times.find("BM_BareRead");
    if (base == reporter.times.end())
        return 0;
    const double baseReal = base->second.real;
    const double baseCpu = base->second.cpu;
    std::printf("\n%d rows; bare read of all rows: %.2f ms wall clock, %.2f ms CPU\n", kRows, baseReal * 1e3,
                baseCpu * 1e3);
    std::printf("%-16s %9s %9s %11s %10s  %s\n", "action", "wall ms", "CPU ms", "wall ratio", "CPU ratio", "target");
    for (const auto &[name, t] : reporter.times) {
        if (name == base->first)
            continue;
        const bool merge = name.rfind("BM_Merge", 0) == 0;
        const std::string shortName = name.substr(3, name.find('/') - 3);
        const double realRatio = t.real / baseReal;
        const double cpuRatio = t.cpu / baseCpu;
        const bool met = merge ? t.real < 1.0 : cpuRatio <= 1.5;
        std::printf("%-16s %9.2f %9.2f %11.2f %10.2f  %s %s\n", shortName.c_str(), t.real * 1e3, t.cpu * 1e3, realRatio,
                    cpuRatio, merge ? "under 1000 ms" : "at most 1.5 x bare read", met ? "(met)" : "(MISSED)");
    }
    return 0;
}

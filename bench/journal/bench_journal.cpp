// Times the reading journal with 10,000 kept readings: the list the journal window shows,
// read through the store, against a bare read of the same rows and columns from the same
// file in the same run; and keeping one more reading.
#include "core/journal/journalstore.h"
#include "core/reading/deck.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace kesto;

namespace {

constexpr int kReadings = 10000;

std::unique_ptr<QTemporaryDir> g_folder;
std::unique_ptr<JournalStore> g_store;

// A Celtic Cross with the size of report a real one has.
JournalReading celticCross(int i)
{
    JournalReading r;
    r.keptAt = QDateTime::currentDateTimeUtc().addSecs(-i * 60);
    r.strName = QStringLiteral("Querent %1").arg(i);
    r.strCountry = QStringLiteral("Finland");
    r.strQ = QStringLiteral("What does the coming year %1 hold for my work and my family?").arg(i);
    r.strDate = QStringLiteral("9");
    r.strMonth = QStringLiteral("December");
    r.strYear = QStringLiteral("1980");
    r.strDOB = QStringLiteral("December 9, 1980");
    r.spreadName = QStringLiteral("Celtic Cross");
    r.cardCount = 10;
    r.allowReversed = FlagTrue;
    r.startedByAutoCast = FlagTrue;
    QList<qint32> cards;
    for (int k = 0; k < 10; ++k)
        cards.append((i * 7 + k * 11) % kCardCount);
    cards.append(0);
    r.drawnCards = cards;
    r.reversedCards = QList<qint32>{cards[0], cards[4]};
    QString html = QStringLiteral("<html><body>");
    for (int k = 0; k < 10; ++k)
        html += QStringLiteral("<p><b>Card %1</b></p><p>%2</p><p><u>%3</u></p>")
                    .arg(k + 1)
                    .arg(CardMeaning(cards[k], false), QString(512, QLatin1Char(' ')));
    r.report = (html + QStringLiteral("</body></html>")).toUtf8();
    return r;
}

void BM_BareRead(benchmark::State &state)
{
    for (auto _ : state) {
        QSqlQuery query(g_store->database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT id, kept_at, name, question, spread_name, reversed_count, card_names, note"
                                  " FROM reading ORDER BY kept_at DESC, id DESC"));
        qsizetype rows = 0;
        while (query.next()) {
            for (int c = 0; c < 8; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        if (rows != kReadings)
            state.SkipWithError("the bare read did not see every reading");
    }
}

void BM_StoreList(benchmark::State &state)
{
    for (auto _ : state) {
        const QList<JournalSummary> rows = g_store->list();
        if (rows.size() != kReadings)
            state.SkipWithError("the list did not hold every reading");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_KeepReading(benchmark::State &state)
{
    const JournalReading reading = celticCross(0);
    for (auto _ : state) {
        const auto id = g_store->add(reading);
        if (!id)
            state.SkipWithError("the reading was not kept");
        state.PauseTiming();
        g_store->remove(*id);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_StoreList)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_KeepReading)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

bool populate()
{
    g_folder = std::make_unique<QTemporaryDir>();
    g_store = std::make_unique<JournalStore>(g_folder->path());
    if (!g_store->open())
        return false;
    // Filling is not what is timed: no waiting for the disk while 10,000 readings go in.
    QSqlQuery(g_store->database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (int i = 0; i < kReadings; ++i)
        if (!g_store->add(celticCross(i)))
            return false;
    QSqlQuery(g_store->database()).exec(QStringLiteral("PRAGMA synchronous = FULL"));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!populate()) {
        std::fprintf(stderr, "could not fill the journal\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    kesto::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const kesto::bench::RatioReporter::Times *base = reporter.find("BM_BareRead");
    if (!base)
        return 0;
    std::printf("\nbare read of %d readings' list columns: %.3f ms wall clock\n", kReadings, base->real * 1e3);
    if (const auto *t = reporter.find("BM_StoreList"))
        std::printf("the store's list: %.3f ms, %.2f x the bare read (target at most 1.5 x %s)\n", t->real * 1e3,
                    t->real / base->real, t->real / base->real <= 1.5 ? "met" : "MISSED");
    if (const auto *t = reporter.find("BM_KeepReading"))
        std::printf("keeping one Celtic Cross (one transaction, synced): %.3f ms\n", t->real * 1e3);
    g_store.reset();
    return 0;
}

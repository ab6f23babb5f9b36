// Times the reading journal with 10,000 kept readings, each against a baseline timed in the
// same run:
// - the journal window opened until its list is filled, and the store's list alone, against
//   a bare read of the same rows and columns from the same file;
// - one keystroke in the filter box (one frame is 16 ms), against the same bare read;
// - an automatic Celtic Cross from the AutoCast click to the report with keeping on, against
//   the same cast with keeping off: the share keeping adds;
// - a Celtic Cross exported as a PDF sheet, against drawing its ten pictures alone into the
//   same kind of PDF.
#include "core/journal/journalstore.h"
#include "core/reading/deck.h"
#include "core/platform/regularfile.h"
#include "core/session/session.h"
#include "ui/journal/frmjournal.h"
#include "ui/journal/journalmodel.h"
#include "ui/journal/readingsheet.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/platform/qtplatform.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/fonts.h"
#include "ui/shell/shell.h"

#include <QApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextEdit>
#include "castplatform.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <deque>
#include <memory>

using namespace kesto;
using kesto::bench::kCards;

namespace {

constexpr int kReadings = 10000;

// The cast benchmark's platform, with the journal's keep setting scripted.
class BenchPlatform : public bench::CastPlatform
{
public:
    BenchPlatform() : CastPlatform(QStringLiteral("kesto-bench-journal")) {}

    QString readSetting(const QString &section, const QString &key) override
    {
        return section == QStringLiteral("Journal") && key == QStringLiteral("Keep") ? keep : QString();
    }
    bool writeSetting(const QString &, const QString &, const QString &) override { return true; }

    QString keep = QStringLiteral("1");
};

BenchPlatform *g_platform = nullptr;
std::unique_ptr<QTemporaryDir> g_folder;
std::unique_ptr<Session> g_session;
std::unique_ptr<Shell> g_shell;
JournalReading g_celticCross;

JournalStore &store() { return *g_session->journal.store(); }

JournalReading keptReading(int i)
{
    JournalReading r = g_celticCross;
    r.keptAt = QDateTime::currentDateTimeUtc().addSecs(-i * 60);
    r.strName = QStringLiteral("Querent %1").arg(i);
    r.strQ = QStringLiteral("What does the coming year %1 hold for my work and my family?").arg(i);
    QList<qint32> cards;
    for (int k = 0; k < 10; ++k)
        cards.append((i * 7 + k * 11) % kCardCount);
    cards.append(0);
    r.drawnCards = cards;
    r.reversedCards = QList<qint32>{cards[0], cards[4]};
    return r;
}

void BM_BareRead(benchmark::State &state)
{
    for (auto _ : state) {
        QSqlQuery query(store().database());
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT id, kept_at, name, question, spread_name, reversed_count, card_names, note"
                                  " FROM reading ORDER BY kept_at DESC, id DESC"));
        qsizetype rows = 0;
        while (query.next()) {
            for (int c = 0; c < 8; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        if (rows < kReadings)
            state.SkipWithError("the bare read did not see every reading");
    }
}

void BM_StoreList(benchmark::State &state)
{
    for (auto _ : state) {
        const QList<JournalSummary> rows = store().list();
        if (rows.size() < kReadings)
            state.SkipWithError("the list did not hold every reading");
        benchmark::DoNotOptimize(rows);
    }
}

void BM_OpenJournalWindow(benchmark::State &state)
{
    for (auto _ : state) {
        g_shell->showJournal();
        frmJournal *window = g_shell->existingJournal();
        if (!window || window->model()->rowCount() < kReadings)
            state.SkipWithError("the journal window did not list every reading");
        state.PauseTiming();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// One keystroke in the filter box, the list repainted: alternately a letter more and one
// less, so that every keystroke changes what the list shows.
void BM_FilterKeystroke(benchmark::State &state)
{
    g_shell->showJournal();
    frmJournal *window = g_shell->existingJournal();
    window->txtFilter->setText(QStringLiteral("querent 1"));
    QCoreApplication::processEvents();
    bool longer = true;
    for (auto _ : state) {
        window->txtFilter->setText(longer ? QStringLiteral("querent 12") : QStringLiteral("querent 1"));
        window->repaint();
        longer = !longer;
    }
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void castCelticCross(benchmark::State &state, bool keeping)
{
    g_platform->keep = keeping ? QStringLiteral("1") : QStringLiteral("0");
    for (auto _ : state) {
        state.PauseTiming();
        auto shell = std::make_unique<Shell>(*g_session);
        g_session->reading.readingMode = FlagTrue;
        g_session->reading.strName = QStringLiteral("Ann");
        frmMDI *frame = shell->mainWindow();
        frame->applyReadingArrangement();
        shell->openSpreadScreen();
        frmTarot *tarot = shell->spreadScreen();
        g_platform->scriptCelticCross();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        tarot->cmdAuto->click();

        state.PauseTiming();
        if (!frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))
                 ->toPlainText()
                 .contains(QStringLiteral("Thank You for using Kesto.")))
            state.SkipWithError("the cast did not write its report");
        if (keeping && frame->shownReading() && frame->shownReading()->id)
            store().remove(frame->shownReading()->id);
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    g_platform->keep = QStringLiteral("1");
}

void BM_CastNotKeeping(benchmark::State &state) { castCelticCross(state, false); }
void BM_CastKeeping(benchmark::State &state) { castCelticCross(state, true); }

void BM_KeepReading(benchmark::State &state)
{
    for (auto _ : state) {
        const auto id = store().add(g_celticCross);
        if (!id)
            state.SkipWithError("the reading was not kept");
        state.PauseTiming();
        store().remove(*id);
        state.ResumeTiming();
    }
}

QPdfWriter *pdfWriter(const QString &path)
{
    auto *writer = new QPdfWriter(path);
    writer->setResolution(300);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    return writer;
}

void BM_PdfPicturesOnly(benchmark::State &state)
{
    const QString path = g_folder->filePath(QStringLiteral("pictures.pdf"));
    for (auto _ : state) {
        std::unique_ptr<QPdfWriter> writer(pdfWriter(path));
        QPainter painter(writer.get());
        int x = 0;
        // The pictures the sheet shows: the twice-size ones, at the plain ones' size.
        for (CardId card : kCards) {
            const QImage picture
                = QImageReader(ScaledPicturePath(CardPicturePath(g_platform->programFolder(), card), 2)).read();
            painter.drawImage(QRect(x, 0, picture.width() / 2 * 3, picture.height() / 2 * 3), picture);
            x += picture.width() / 2 * 3;
        }
        painter.end();
    }
}

void BM_PdfSheet(benchmark::State &state)
{
    const QString path = g_folder->filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        if (!ExportReadingPdf(path, *g_platform, g_celticCross))
            state.SkipWithError("the sheet was not written");
    }
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_StoreList)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_OpenJournalWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_KeepReading)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_CastNotKeeping)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CastKeeping)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PdfPicturesOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_PdfSheet)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// A real Celtic Cross with its real report, cast once, then kept 10,000 times over.
bool populate()
{
    g_folder = std::make_unique<QTemporaryDir>();
    g_session = std::make_unique<Session>(*g_platform);
    g_session->journal.setFolder(g_folder->filePath(QStringLiteral("kesto")));
    g_shell = std::make_unique<Shell>(*g_session);
    {
        Shell shell(*g_session);
        g_session->reading.readingMode = FlagTrue;
        g_session->reading.strName = QStringLiteral("Ann");
        shell.mainWindow()->applyReadingArrangement();
        shell.openSpreadScreen();
        g_platform->scriptCelticCross();
        shell.spreadScreen()->cmdAuto->click();
        const JournalReading *shown = shell.mainWindow()->shownReading();
        if (!shown)
            return false;
        g_celticCross = *shown;
        g_celticCross.id = 0;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Filling is not what is timed: no waiting for the disk while 10,000 readings go in.
    QSqlQuery(store().database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (int i = 1; i < kReadings; ++i)
        if (!store().add(keptReading(i)))
            return false;
    QSqlQuery(store().database()).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    return true;
}

double ratio(const kesto::bench::RatioReporter &reporter, const char *name, const char *base)
{
    const auto *t = reporter.find(name);
    const auto *b = reporter.find(base);
    return t && b && b->real > 0 ? t->real / b->real : 0;
}

double ms(const kesto::bench::RatioReporter &reporter, const char *name)
{
    const auto *t = reporter.find(name);
    return t ? t->real * 1e3 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    BenchPlatform platform;
    g_platform = &platform;
    if (!populate()) {
        std::fprintf(stderr, "could not fill the journal\n");
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    kesto::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nwith %d kept readings (wall clock; ratios against a baseline of the same run)\n", kReadings);
    std::printf("bare read of the list's rows: %.2f ms\n", ms(reporter, "BM_BareRead"));
    std::printf("the store's list: %.2f ms, %.2f x the bare read\n", ms(reporter, "BM_StoreList"),
                ratio(reporter, "BM_StoreList", "BM_BareRead"));
    const double open = ratio(reporter, "BM_OpenJournalWindow", "BM_BareRead");
    std::printf("journal window opened, list filled: %.2f ms, %.2f x the bare read (target at most 1.5 x: %s)\n",
                ms(reporter, "BM_OpenJournalWindow"), open, open > 0 && open <= 1.5 ? "met" : "MISSED");
    const double key = ms(reporter, "BM_FilterKeystroke");
    std::printf("one filter keystroke: %.2f ms, %.2f x the bare read (target under 16 ms: %s)\n", key,
                ratio(reporter, "BM_FilterKeystroke", "BM_BareRead"), key > 0 && key < 16 ? "met" : "MISSED");
    const double cast = ms(reporter, "BM_CastNotKeeping");
    const double added = cast > 0 ? (ms(reporter, "BM_CastKeeping") - cast) / cast : 0;
    std::printf("AutoCast to report: %.2f ms without keeping, %.2f ms keeping; keeping adds %.1f %% "
                "(one save alone %.2f ms; target at most 10 %%: %s)\n",
                cast, ms(reporter, "BM_CastKeeping"), added * 100, ms(reporter, "BM_KeepReading"),
                added <= 0.10 ? "met" : "MISSED");
    const double pdf = ratio(reporter, "BM_PdfSheet", "BM_PdfPicturesOnly");
    std::printf("Celtic Cross as a PDF sheet: %.2f ms, %.2f x its ten pictures alone in a PDF (%.2f ms; target at "
                "most 3 x: %s)\n",
                ms(reporter, "BM_PdfSheet"), pdf, ms(reporter, "BM_PdfPicturesOnly"),
                pdf > 0 && pdf <= 3.0 ? "met" : "MISSED");
    g_shell.reset();
    g_session.reset();
    return 0;
}

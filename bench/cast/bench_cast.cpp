// Times a whole automatic Celtic Cross with every card reversed, from the AutoCast click on
// the spread screen to the written report, against a bare load of the same ten card
// pictures into pixmaps in the same run; the same cast on a screen of device pixel ratio 2
// (the larger pictures, four times the pixels) against the cast at ratio 1; and opening a
// card's close-up against loading its picture alone.
//
// The cast runs on the real platform, events and all, except that its three-second pause
// is left out and its random fractions are scripted, so that every card but the crossing
// one lies reversed: nine half turns and one quarter turn.
#include "ui/mainwindow/frmmdi.h"
#include "ui/platform/qtplatform.h"
#include "core/session/session.h"
#include "core/reading/deck.h"
#include "ui/screens/cardcloseup.h"
#include "ui/screens/frmauto.h"
#include "core/platform/regularfile.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/fonts.h"
#include "ui/shell/shell.h"

#include <QApplication>
#include <QScreen>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include "castplatform.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>

using namespace kesto;
using kesto::bench::kCards;

namespace {

class BenchPlatform : public bench::CastPlatform
{
public:
    BenchPlatform() : CastPlatform(QStringLiteral("kesto-bench-cast")) {}
};

BenchPlatform *g_platform = nullptr;

void BM_PictureLoading(benchmark::State &state)
{
    for (auto _ : state) {
        for (CardId card : kCards) {
            QPixmap pixmap
                = QPixmap::fromImage(QImageReader(CardPicturePath(g_platform->programFolder(), card)).read());
            benchmark::DoNotOptimize(pixmap);
        }
    }
}

// The screen of the given device pixel ratio (the benchmark runs offscreen on two screens,
// of ratio 1 and 2).
QScreen *screenOfRatio(qreal ratio)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == ratio)
            return screen;
    return nullptr;
}

// The whole cast as the user meets it: the main window comes on screen with the card table.
// With frameShown the main window is already on screen, which leaves the card table's own
// work: the draw, the pictures, the turns, the layout and the report. The main window opens
// on the screen of the given device pixel ratio.
void castCelticCross(benchmark::State &state, bool frameShown, qreal ratio = 1.0)
{
    QScreen *screen = screenOfRatio(ratio);
    if (!screen) {
        state.SkipWithError("no screen of that device pixel ratio");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        // The way to the spread screen: the querent's Next made the main window in its
        // reading arrangement (not yet on screen) and opened the spread screen.
        auto session = std::make_unique<Session>(*g_platform);
        auto shell = std::make_unique<Shell>(*session);
        session->reading.readingMode = FlagTrue;
        session->reading.strName = QStringLiteral("Ann");
        frmMDI *frame = shell->mainWindow();
        frame->setScreen(screen);
        frame->applyReadingArrangement();
        shell->openSpreadScreen();
        frmTarot *tarot = shell->spreadScreen();
        g_platform->scriptCelticCross();
        if (frameShown)
            frame->showFrame();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        tarot->cmdAuto->click();

        state.PauseTiming();
        const CurrentReading &r = session->reading;
        const bool complete = r.reversedCards && r.reversedCards->size() == 9
            && frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))
                   ->toPlainText()
                   .contains(QStringLiteral("Thank You for using Kesto."));
        if (!complete)
            state.SkipWithError("the cast did not lay out and report nine reversed cards");
        frmAuto *table = shell->existingCardTable();
        if (!table || table->p[0]->pixmap().devicePixelRatio() != ratio)
            state.SkipWithError("the cards were not laid at the screen's pixel ratio");
        shell.reset();
        session.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_AutomaticCast(benchmark::State &state) { castCelticCross(state, false); }
void BM_CastOnShownWindow(benchmark::State &state) { castCelticCross(state, true); }
void BM_CastOnShownWindowAtRatio2(benchmark::State &state) { castCelticCross(state, true, 2.0); }

// The close-up's own picture read as it is shown on a standard screen: the card at twice its
// size, upside down for a reversed card, into a pixmap.
void BM_CloseUpPictureLoading(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        TableCard card;
        card.card = kCards[i++ % kCards.size()];
        card.reversed = true;
        QPixmap pixmap = QPixmap::fromImage(CloseUpPicture(g_platform->programFolder(), card));
        benchmark::DoNotOptimize(pixmap);
    }
}

// Opening the close-up of a card of a laid Celtic Cross as Enter on the card opens it: the
// window made, its picture, texts and dictionary entry, and shown; then closed again.
void BM_OpenCloseUp(benchmark::State &state)
{
    auto session = std::make_unique<Session>(*g_platform);
    auto shell = std::make_unique<Shell>(*session);
    session->reading.readingMode = FlagTrue;
    session->reading.strName = QStringLiteral("Ann");
    frmMDI *frame = shell->mainWindow();
    frame->applyReadingArrangement();
    shell->openSpreadScreen();
    g_platform->scriptCelticCross();
    frame->showFrame();
    shell->spreadScreen()->cmdAuto->click();
    frmAuto *table = shell->existingCardTable();
    if (!table || !table->cardAt(9).isCard()) {
        state.SkipWithError("the cast laid no Celtic Cross");
        return;
    }
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        CardCloseUp *closeUp = table->openCloseUp(i++ % 10);
        if (!closeUp || closeUp->picture->pixmap().isNull()) {
            state.SkipWithError("the close-up did not open with its picture");
            break;
        }
        state.PauseTiming();
        closeUp->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    shell.reset();
    session.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

BENCHMARK(BM_PictureLoading)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_AutomaticCast)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);
BENCHMARK(BM_CastOnShownWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);
BENCHMARK(BM_CastOnShownWindowAtRatio2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);
BENCHMARK(BM_CloseUpPictureLoading)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_OpenCloseUp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    // Two offscreen screens side by side, of device pixel ratio 1 and 2.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KESTO_TWO_SCREENS);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    BenchPlatform platform;
    g_platform = &platform;

    benchmark::Initialize(&argc, argv);
    kesto::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const kesto::bench::RatioReporter::Times *base = reporter.find("BM_PictureLoading");
    if (!base)
        return 0;
    const double baseReal = base->real;
    const double baseCpu = base->cpu;
    std::printf("\nten card pictures loaded into pixmaps: %.3f ms wall clock, %.3f ms CPU\n", baseReal * 1e3,
                baseCpu * 1e3);
    std::printf("%-44s %9s %9s %11s %10s\n", "Celtic Cross, every card reversed", "wall ms", "CPU ms", "wall ratio",
                "CPU ratio");
    const std::pair<const char *, const char *> rows[] = {
        {"BM_AutomaticCast", "AutoCast click to report"},
        {"BM_CastOnShownWindow", "the same, main window already on screen"},
    };
    for (const auto &[name, label] : rows) {
        const kesto::bench::RatioReporter::Times *t = reporter.find(name);
        if (!t)
            continue;
        std::printf("%-44s %9.3f %9.3f %11.2f %10.2f\n", label, t->real * 1e3, t->cpu * 1e3, t->real / baseReal,
                    t->cpu / baseCpu);
    }
    if (const kesto::bench::RatioReporter::Times *t = reporter.find("BM_AutomaticCast"))
        std::printf("target: the whole cast at most 3 x the picture loading %s\n",
                    t->real / baseReal <= 3.0 ? "(met)" : "(MISSED)");

    // A ratio of one measured pair to another, wall clock and CPU, against its target.
    const auto compare = [&reporter](const char *label, const char *name, const char *baseline, double target) {
        const kesto::bench::RatioReporter::Times *t = reporter.find(name);
        const kesto::bench::RatioReporter::Times *b = reporter.find(baseline);
        if (!t || !b)
            return;
        std::printf("%s: %.3f ms against %.3f ms wall clock, ratio %.2f (CPU %.2f); target at most %.1f x %s\n", label,
                    t->real * 1e3, b->real * 1e3, t->real / b->real, t->cpu / b->cpu, target,
                    t->real / b->real <= target ? "(met)" : "(MISSED)");
    };
    std::printf("\n");
    compare("the cast on a shown window at device pixel ratio 2 against 1", "BM_CastOnShownWindowAtRatio2",
            "BM_CastOnShownWindow", 2.5);
    compare("opening a card's close-up against loading its picture", "BM_OpenCloseUp", "BM_CloseUpPictureLoading", 3.0);
    return 0;
}

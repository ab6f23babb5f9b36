// Pictures on a screen of device pixel ratio 2: the card table, the close-up, the spread and
// manual pick screens show the larger picture files at the logical size of the plain ones,
// turned as the cards lie, and read them again when their window moves between screens.
// Runs on two offscreen screens side by side, the second of ratio 2.
#include "readingwalk.h"

#include "core/reading/layouts.h"
#include "core/reading/spreads.h"
#include "ui/screens/cardcloseup.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

QScreen *screenOfRatio(qreal ratio)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    const auto found = std::find_if(screens.begin(), screens.end(),
                                    [ratio](const QScreen *s) { return s->devicePixelRatio() == ratio; });
    return found == screens.end() ? nullptr : *found;
}
QScreen *standardScreen() { return screenOfRatio(1.0); }
QScreen *sharpScreen() { return screenOfRatio(2.0); }

// Moves a top-level window onto a screen, as a user dragging it there.
void moveTo(QWidget *window, QScreen *screen)
{
    window->move(screen->geometry().topLeft() + QPoint(20, 20));
    if (QWindow *handle = window->windowHandle())
        handle->setScreen(screen);
    else
        window->setScreen(screen);
    QCoreApplication::processEvents();
}

// A file of the program folder at a scale, as RGB32.
QImage fileAt(const QString &path, int scale) { return rgb32(ReadPictureFile(ScaledPicturePath(path, scale))); }

// The pixels a pixmap holds, whatever ratio it shows at.
QImage pixels(const QPixmap &pixmap)
{
    QImage image = rgb32(pixmap.toImage());
    image.setDevicePixelRatio(1.0);
    return image;
}

QImage turned(const QImage &picture, double angle)
{
    if (angle == 180.0)
        return halfTurn(picture);
    if (angle == 90.0)
        return quarterTurn(picture);
    return picture;
}

} // namespace

class TestSharpPictures : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

    // Checks every box of an automatic Celtic Cross with every card but the crossing one
    // reversed: the picture file of the scale, turned as the card lies, at the plain
    // picture's logical size in the laid-out place.
    void checkTable(frmAuto *table, const QList<int> &cards, int scale)
    {
        const auto layout = LayoutPositions(kCelticCross);
        for (int i = 0; i < 10; ++i) {
            const LayoutPosition &place = layout[std::size_t(i)];
            const double angle = place.quarterTurned ? 90.0 : 180.0;
            const QPixmap shown = table->p[i]->pixmap();
            QCOMPARE(shown.devicePixelRatio(), qreal(scale));
            QCOMPARE(pixels(shown), turned(fileAt(CardPicturePath(w->folder.path(), cards[i]), scale), angle));
            const QSize logical = place.quarterTurned ? kCardPictureSize.transposed() : kCardPictureSize;
            QCOMPARE(table->p[i]->size(), logical);
            QCOMPARE(table->p[i]->pos(), twipsPoint(place.left, place.top));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(standardScreen() && sharpScreen(),
                 "the test needs the second offscreen screen of ratio 2 (tests/support/ui/twoscreens.json)");
        const QString plain = CardPicturePath(qEnvironmentVariable("KESTO_PROGRAM_DIR"), 0);
        for (const int scale : {2, 4})
            QVERIFY2(!ReadPictureFile(ScaledPicturePath(plain, scale)).isNull(),
                     qPrintable(QStringLiteral("no %1x card pictures in the built program folder").arg(scale)));
    }
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void cardTableFollowsItsScreen();
    void closeUp();
    void spreadAndManualPickScreens();
};

void TestSharpPictures::cardTableFollowsItsScreen()
{
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    const QList<int> cards{12, 3, 77, 0, 45, 19, 64, 30, 22, 9};
    for (int card : cards)
        w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    for (int i = 0; i < 10; ++i)
        w->platform.queueFractions({0.75f});
    // The main window waits, not yet shown, on the sharp screen; the cast lays the cards there.
    moveTo(w->shell.existingMainWindow(), sharpScreen());
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    QCOMPARE(table->devicePixelRatioF(), 2.0);
    checkTable(table, cards, 2);

    // Moved to the standard screen, the table shows the plain pictures; back, the larger ones.
    moveTo(w->shell.existingMainWindow(), standardScreen());
    QCOMPARE(table->devicePixelRatioF(), 1.0);
    checkTable(table, cards, 1);
    moveTo(w->shell.existingMainWindow(), sharpScreen());
    checkTable(table, cards, 2);

    // Zoomed, the pictures are made from the larger ones at the ratio, at the zoomed size.
    table->setZoom(frmAuto::kZoomStep);
    const QPixmap zoomed = table->p[0]->pixmap();
    QCOMPARE(zoomed.devicePixelRatio(), 2.0);
    QCOMPARE(zoomed.deviceIndependentSize().toSize(), table->p[0]->size());
    table->actualSize();
    checkTable(table, cards, 2);
}

void TestSharpPictures::closeUp()
{
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kOneCard, Deck::Whole, true);
    w->platform.queueFractions({fractionFor(33, subsetOf(Deck::Whole)), 0.75f});
    moveTo(w->shell.existingMainWindow(), sharpScreen());
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    CardCloseUp *closeUp = table->openCloseUp(0);
    QVERIFY(closeUp);
    moveTo(closeUp, sharpScreen());
    const QString path = CardPicturePath(w->folder.path(), 33);
    // Twice the table's size at ratio 2: the four-times picture, upside down.
    QPixmap shown = closeUp->picture->pixmap();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.deviceIndependentSize().toSize(), CardCloseUp::pictureSize());
    QCOMPARE(pixels(shown), halfTurn(fileAt(path, 4)));
    // On the standard screen, the twice picture.
    moveTo(closeUp, standardScreen());
    shown = closeUp->picture->pixmap();
    QCOMPARE(shown.devicePixelRatio(), 1.0);
    QCOMPARE(pixels(shown), halfTurn(fileAt(path, 2)));
}

void TestSharpPictures::spreadAndManualPickScreens()
{
    frmTarot *tarot = w->toSpreadScreen();
    moveTo(tarot, sharpScreen());
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, false);
    const QString spread = SpreadPicturePath(w->folder.path(), kCelticCross);
    const QPixmap shown = tarot->pctCard->pixmap();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    const QSize room = tarot->pctCard->contentsRect().size() - QSize(4, 4);
    const QImage plain = fileAt(spread, 1);
    if (plain.width() <= room.width() && plain.height() <= room.height())
        QCOMPARE(pixels(shown), fileAt(spread, 2));
    QVERIFY(shown.deviceIndependentSize().width() <= room.width());

    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    frmManual *manual = w->shell.existingManualPickScreen();
    QVERIFY(manual);
    moveTo(manual, sharpScreen());
    QImage back = rgb32(QImage(QStringLiteral(":/kesto/cardback@2x.jpg")));
    back.setDevicePixelRatio(1.0);
    QVERIFY(!back.isNull());
    for (FaceDownBox *box : {manual->p[0], manual->p[77]}) {
        QCOMPARE(box->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(pixels(box->pixmap()), back);
        QCOMPARE(box->size(), QSize(twipsToPixels(350), twipsToPixels(600)));
    }
    QCOMPARE(manual->picManual->pixmap().devicePixelRatio(), 2.0);
    QCOMPARE(pixels(manual->picManual->pixmap()), fileAt(spread, 2));
    moveTo(manual, standardScreen());
    QCOMPARE(manual->p[5]->pixmap().devicePixelRatio(), 1.0);
    QCOMPARE(pixels(manual->p[5]->pixmap()), rgb32(QImage(QStringLiteral(":/kesto/cardback.jpg"))));
}

QTEST_MAIN(TestSharpPictures)
#include "tst_sharppictures.moc"

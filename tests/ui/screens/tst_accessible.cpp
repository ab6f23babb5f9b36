// What a screen reader is told, read through the accessibility interfaces: the card boxes of
// the table with their positions, cards and orientation, the face-down cards, the spread
// pictures, the reading display, the toolbar buttons and the unlabelled check box.
#include "readingwalk.h"
#include "findchild.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/reading/spreads.h"
#include "ui/screens/cardcloseup.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

QString accessible(QObject *object, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QStringLiteral("<no interface>");
}

} // namespace

class TestAccessible : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void cardTable();
    void manualPickAndSpreadScreen();
};

void TestAccessible::cardTable()
{
    // A Celtic Cross with the root reversed, and a One Card reading whose position has no
    // name of its own.
    frmTarot *tarot = w->toSpreadScreen();
    QCOMPARE(accessible(tarot->chkRev), QStringLiteral("Allow Reverse Cards"));
    QCOMPARE(accessible(tarot->pctCard), QStringLiteral("Spread picture: Celtic Cross"));
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    const QList<int> cards{12, 3, 77, 0, 45, 19, 64, 30, 22, 9};
    for (int card : cards)
        w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    for (int i = 0; i < 10; ++i)
        w->platform.queueFractions({i == 2 ? 0.75f : 0.25f});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);

    const QString cross = SpreadByIndex(kCelticCross)->listName;
    for (int i = 0; i < 10; ++i) {
        const QString expected
            = QStringLiteral("%1, %2: %3").arg(i + 1).arg(PositionName(cross, i + 1), CardName(cards[i]));
        QCOMPARE(accessible(table->p[i]), expected);
    }
    QCOMPARE(accessible(table->p[1]), QStringLiteral("2, The Crossing: ") + CardName(3));
    QCOMPARE(accessible(table->p[0], QAccessible::Description), QStringLiteral("Upright"));
    QCOMPARE(accessible(table->p[2], QAccessible::Description), QStringLiteral("Reversed"));
    QCOMPARE(accessible(table->p[1], QAccessible::Description),
             QStringLiteral("Laid sideways across card 1; the reading takes it upright"));
    QCOMPARE(accessible(table), QStringLiteral("Card table"));
    QCOMPARE(accessible(table->openCloseUp(2)->picture), CardName(77) + QStringLiteral(", Reversed"));

    frmMDI *frame = w->shell.existingMainWindow();
    QCOMPARE(accessible(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))), QStringLiteral("Reading"));
    QVERIFY(!accessible(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1")), QAccessible::Description).isEmpty());
    // The querent fields are named by their captions.
    QCOMPARE(accessible(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))), QStringLiteral("Name"));
    QCOMPARE(accessible(frame->findChild<QPlainTextEdit *>(QStringLiteral("txtQ"))), QStringLiteral("Question"));
    const QStringList keys{QStringLiteral("Back"),    QStringLiteral("Forward"), QStringLiteral("Stop"),
                           QStringLiteral("Refresh"), QStringLiteral("Home"),    QStringLiteral("Search")};
    for (const QString &key : keys) {
        QWidget *button
            = child<QToolBar>(frame, "TB")
                  ->widgetForAction(child<QToolBar>(frame, "TB")->findChild<QAction *>(QStringLiteral("TB_") + key));
        QVERIFY(button);
        QCOMPARE(accessible(button), key);
        QCOMPARE(accessible(button, QAccessible::Description), QStringLiteral("Dictionary browser: ") + key);
    }
}

void TestAccessible::manualPickAndSpreadScreen()
{
    // Major arcana only: 22 face-down cards, each counted among 22. The one-card spread's
    // position has no name after its number.
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kOneCard, Deck::Major, false);
    QCOMPARE(accessible(tarot->pctCard), QStringLiteral("Spread picture: One Card"));
    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    QPointer<frmManual> manual = w->shell.existingManualPickScreen();
    QVERIFY(manual);
    QCOMPARE(accessible(manual->p[0]), QStringLiteral("Face-down card 1 of 22"));
    QCOMPARE(accessible(manual->p[13]), QStringLiteral("Face-down card 14 of 22"));
    QCOMPARE(accessible(manual->picManual), QStringLiteral("Spread picture: One Card"));
    QCOMPARE(accessible(manual->txtDisp), QStringLiteral("Next position"));

    w->platform.queueFractions({fractionFor(7, subsetOf(Deck::Major))});
    QTest::mouseClick(manual->p[5], Qt::LeftButton);
    QTRY_VERIFY(!manual);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    QCOMPARE(accessible(table->p[0]), QStringLiteral("1: ") + CardName(7));
}

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"

#include "core/reading/currentreading.h"
#include "core/reading/draw.h"
#include "core/rotation/cardturner.h"
#include "core/rotation/rotation.h"

#include <QtTest>

using namespace kesto;

// The rules the reading screens apply around a draw: the manual pick's deck and
// orientation, the cast taken from the spread screen, the querent's date of birth, and the
// turning state both screens keep for their card pictures.
class tst_ReadingRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void manualPickSubset_data();
    void manualPickSubset();
    void manualPickOrientation_data();
    void manualPickOrientation();
    void castTakesSpreadChoice();
    void dateOfBirthText_data();
    void dateOfBirthText();
    void turnAfterCancelledTurnRunsToItsEnd();
};

void tst_ReadingRules::manualPickSubset_data()
{
    QTest::addColumn<Flag>("minor");
    QTest::addColumn<Flag>("major");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("size");
    QTest::newRow("whole deck") << FlagFalse << FlagFalse << 0 << 78;
    QTest::newRow("major") << FlagFalse << FlagTrue << 0 << 22;
    QTest::newRow("minor") << FlagTrue << FlagFalse << 22 << 56;
    // Where the automatic cast draws nothing, the manual pick lays out the major arcana.
    QTest::newRow("both ticked gives the major arcana") << FlagTrue << FlagTrue << 0 << 22;
}

void tst_ReadingRules::manualPickSubset()
{
    QFETCH(Flag, minor);
    QFETCH(Flag, major);
    QFETCH(int, first);
    QFETCH(int, size);
    for (Flag reversed : {FlagFalse, FlagTrue}) {
        const DeckSubset subset = ManualPickSubset({minor, major, reversed});
        QCOMPARE(subset, (DeckSubset{first, size}));
    }
}

// The fraction is the platform's single-precision number, widened before it is scaled:
// 0.05f and 0.35f sit just off a half step, which single-precision arithmetic would land on.
void tst_ReadingRules::manualPickOrientation_data()
{
    QTest::addColumn<float>("fraction");
    QTest::addColumn<bool>("reversed");
    QTest::newRow("0 is upright") << 0.0f << false;
    QTest::newRow("0.125 rounds to 1") << 0.125f << true;
    QTest::newRow("0.25 half rounds down to even 2") << 0.25f << false;
    QTest::newRow("0.75 half rounds up to even 8") << 0.75f << false;
    QTest::newRow("0.5 is 5") << 0.5f << true;
    QTest::newRow("0.05f lies just above the half") << 0.05f << true;
    QTest::newRow("0.35f lies just below the half") << 0.35f << true;
    QTest::newRow("0.99 rounds to 10") << 0.99f << false;
}

void tst_ReadingRules::manualPickOrientation()
{
    QFETCH(float, fraction);
    QFETCH(bool, reversed);
    QCOMPARE(ManualPickReversed(fraction), reversed);
}

void tst_ReadingRules::castTakesSpreadChoice()
{
    CurrentReading r;
    r.resetCast();
    r.card = QStringLiteral("Celtic Cross");
    r.no = 10;
    r.lboo = FlagTrue;
    r.hboo = FlagFalse;
    r.rboo = FlagTrue;
    r.takeSpreadChoice();
    QCOMPARE(r.spreadName, QStringLiteral("Celtic Cross"));
    QCOMPARE(r.cardCount, 10);
    QCOMPARE(r.minorOnly, FlagTrue);
    QCOMPARE(r.majorOnly, FlagFalse);
    QCOMPARE(r.allowReversed, FlagTrue);

    r.lboo = FlagFalse;
    r.hboo = FlagTrue;
    r.rboo = FlagFalse;
    r.takeSpreadChoice();
    QCOMPARE(r.minorOnly, FlagFalse);
    QCOMPARE(r.majorOnly, FlagTrue);
    QCOMPARE(r.allowReversed, FlagFalse);
}

void tst_ReadingRules::dateOfBirthText_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("text");
    QTest::newRow("all prompts") << "Month"
                                 << "Date"
                                 << "Year" << QString();
    QTest::newRow("chosen") << "March"
                            << "4"
                            << "1980"
                            << "March 4, 1980";
    // Only all three prompts together mean no date; one chosen part shows the rest as is.
    QTest::newRow("month only") << "March"
                                << "Date"
                                << "Year"
                                << "March Date, Year";
    QTest::newRow("year missing") << "March"
                                  << "4"
                                  << "Year"
                                  << "March 4, Year";
}

void tst_ReadingRules::dateOfBirthText()
{
    QFETCH(QString, month);
    QFETCH(QString, date);
    QFETCH(QString, year);
    QFETCH(QString, text);
    const QString shown = DateOfBirthText(month, date, year);
    QCOMPARE(shown, text);
}

// A turn cancelled by an event (the flag set during a yield) leaves the flag set; the next
// turn starts afresh and runs to its end.
void tst_ReadingRules::turnAfterCancelledTurnRunsToItsEnd()
{
    QImage source(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(8 * x, 12 * y, 200));
    const QImage whole = RotatePicture(source, 33);

    CardTurner turner;
    turner.sourcePicture = source;
    int yields = 0;
    turner.turn(33, [&] {
        if (++yields == 3)
            turner.cancel = 1;
    });
    QCOMPARE(yields, 3);
    QCOMPARE(turner.cancel, qint16(1));
    QVERIFY(turner.rotatedPicture != whole);

    yields = 0;
    const QImage &turned = turner.turn(33, [&] { ++yields; });
    QCOMPARE(yields, source.width());
    QCOMPARE(&turned, &turner.rotatedPicture);
    QCOMPARE(turned, whole);
    QCOMPARE(turner.sourcePicture, source);
}

QTEST_GUILESS_MAIN(tst_ReadingRules)
#include "tst_readingrules.moc"

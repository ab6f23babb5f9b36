#include "readingwalk.h"

#include "core/journal/journal.h"
#include "core/reading/spreads.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"
#include "ui/screens/frmtarot.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

enum class Cast { Automatic, Manual };

// Walks a whole reading of a spread to its end: AutoCast, or every face-down pick.
void finishReading(ReadingWalk &w, int spread, Cast cast, bool reversed, const QString &name = u"Ann"_s)
{
    frmTarot *tarot = w.toSpreadScreen(name);
    ReadingWalk::choose(tarot, spread, Deck::Whole, reversed);
    if (cast == Cast::Automatic) {
        QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    } else {
        QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
        frmManual *manual = w.shell.existingManualPickScreen();
        const int count = SpreadByIndex(spread)->cardCount;
        for (int k = 0; k < count; ++k) {
            if (k == count - 1)
                QVERIFY(w.session.journal.store()->list().isEmpty()); // nothing kept before the end
            QTest::mouseClick(manual->p[k], Qt::LeftButton);
        }
    }
    QCoreApplication::processEvents();
}

QTextEdit *display(ReadingWalk &w) { return w.shell.existingMainWindow()->findChild<QTextEdit *>(u"rtbDisp1"_s); }

void compareCast(const JournalReading &kept, const CurrentReading &r)
{
    QCOMPARE(kept.strName, r.strName);
    QCOMPARE(kept.strCountry, r.strCountry);
    QCOMPARE(kept.strQ, r.strQ);
    QCOMPARE(kept.strDOB, r.strDOB);
    QCOMPARE(kept.strDate, r.strDate);
    QCOMPARE(kept.strMonth, r.strMonth);
    QCOMPARE(kept.strYear, r.strYear);
    QCOMPARE(kept.spreadName, r.spreadName);
    QCOMPARE(kept.cardCount, r.cardCount);
    QCOMPARE(kept.minorOnly, r.minorOnly);
    QCOMPARE(kept.majorOnly, r.majorOnly);
    QCOMPARE(kept.allowReversed, r.allowReversed);
    QCOMPARE(kept.startedByAutoCast, r.startedByAutoCast);
    QCOMPARE(kept.startedByManual, r.startedByManual);
    QCOMPARE(kept.isManualPick, r.isManualPick);
    QCOMPARE(kept.spreadListIndex, r.spreadListIndex);
    QCOMPARE(kept.drawnCards, r.drawnCards);
    QCOMPARE(kept.reversedCards, r.reversedCards);
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFinishedReadingIsKept_data();
    void everyFinishedReadingIsKept();
    void journalTroubleLeavesTheReadingAlone();
    void keepingTurnedOff();
};

void TestJournal::everyFinishedReadingIsKept_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<Cast>("cast");
    QTest::addColumn<bool>("reversed");
    for (int spread = 0; spread < 8; ++spread)
        for (Cast cast : {Cast::Automatic, Cast::Manual})
            for (bool reversed : {false, true})
                QTest::addRow("%s %s%s", qPrintable(SpreadByIndex(spread)->listName),
                              cast == Cast::Automatic ? "auto" : "manual", reversed ? " reversed" : "")
                    << spread << cast << reversed;
}

void TestJournal::everyFinishedReadingIsKept()
{
    QFETCH(int, spread);
    QFETCH(Cast, cast);
    QFETCH(bool, reversed);
    ReadingWalk w;
    finishReading(w, spread, cast, reversed);
    const CurrentReading &r = w.session.reading;
    QCOMPARE(r.isManualPick, toFlag(cast == Cast::Manual));

    const QList<JournalSummary> rows = w.session.journal.store()->list();
    QCOMPARE(rows.size(), 1);
    const auto kept = w.session.journal.store()->reading(rows.first().id);
    QVERIFY(kept);
    compareCast(*kept, r);
    QCOMPARE(kept->reportHtml, display(w)->toHtml());
    QVERIFY(kept->keptAt.secsTo(QDateTime::currentDateTimeUtc()) < 60);
    QCOMPARE(rows.first().reversedCount, kept->reversedCount());
    QVERIFY(w.platform.messages.isEmpty());
}

void TestJournal::journalTroubleLeavesTheReadingAlone()
{
    // The same reading with a journal that works and with one in a folder that cannot exist.
    QString reports[2];
    for (int broken = 0; broken < 2; ++broken) {
        ReadingWalk w;
        if (broken) {
            w.userData.writeFile(u"not-a-folder"_s, "x");
            w.session.journal.setFolder(w.userData.filePath(u"not-a-folder/kesto"_s));
        }
        w.platform.queueFractions({0.1f, 0.3f, 0.5f});
        finishReading(w, 3, Cast::Automatic, false);
        reports[broken] = w.report();
        if (broken) {
            QCOMPARE(w.platform.messages.size(), 1);
            QVERIFY(w.platform.messages.first().text.contains(u"not kept"_s));
            // A second reading in the same run says nothing more.
            QTest::mouseClick(w.shell.existingMainWindow()->cmdRestart, Qt::LeftButton);
            w.platform.queueFractions({0.1f, 0.3f, 0.5f});
            finishReading(w, 3, Cast::Automatic, false);
            QCOMPARE(w.platform.messages.size(), 1);
            QCOMPARE(w.report(), reports[0]);
        }
    }
    QVERIFY(reports[0].contains(u"Thank You for using Kesto."_s));
    QCOMPARE(reports[1], reports[0]);
}

void TestJournal::keepingTurnedOff()
{
    ReadingWalk w;
    w.session.journal.setKeeping(false);
    finishReading(w, 1, Cast::Automatic, false);
    QVERIFY(w.session.journal.store()->list().isEmpty());
    QVERIFY(w.shell.existingMainWindow()->shownReading());
}

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"

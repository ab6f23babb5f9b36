// The spread and option screen, driven as a user drives it: list clicks, menu entries, the
// arcana boxes, AutoCast, Manual, Back and Exit, and the whole way from the mode screen to
// the card table.
#include "ui/mainwindow/frmmdi.h"
#include "findchild.h"
#include "appfixture.h"
#include "eventprobe.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmfront.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/frmopen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

QColor spreadColour(int k) { return QColor::fromHsv(k * 45, 255, 220); }

struct Fixture : BasicAppFixture<PausingPlatform>
{
    Fixture()
    {
        // Each spread picture in its own colour, so that the screen can be seen to show the
        // picture of the spread selected.
        for (int k = 0; k < kSpreadCount; ++k) {
            QImage picture(150, 120, QImage::Format_RGB32);
            picture.fill(spreadColour(k));
            picture.save(folder.filePath(QStringLiteral("pic/c%1.jpg").arg(k)), "JPG", 95);
        }
    }

    // Fills the querent screen and presses Next; returns the spread screen it opens.
    frmTarot *enterQuerent(const QString &name, const QString &country, const QString &question)
    {
        session.reading.readingMode = FlagTrue;
        shell.openQuerentScreen();
        frmFront *front = shell.querentScreen();
        QTest::keyClicks(front->txtName, name);
        QTest::keyClicks(front->txtCountry, country);
        QTest::keyClicks(front->txtQuestion, question);
        QTest::mouseClick(front->cmdNext, Qt::LeftButton);
        frmTarot *tarot = shell.spreadScreen();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(tarot)); }();
        return tarot;
    }
};

void clickRow(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Clicks a check box or option button on its indicator, where a user clicks it.
void clickBox(QAbstractButton *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

bool showsColour(const QLabel *box, const QColor &expected)
{
    const QImage shown = box->pixmap().toImage();
    if (shown.isNull())
        return false;
    const QColor c = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    return qAbs(c.red() - expected.red()) < 12 && qAbs(c.green() - expected.green()) < 12
        && qAbs(c.blue() - expected.blue()) < 12;
}

} // namespace

class TestTarot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<Fixture>(); }
    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadShowsQuerentAndResetsCast();
    void listClickShowsSpread_data();
    void listClickShowsSpread();
    void missingPictureShowsNoStalePicture();
    void oneSpreadStaysSelected();
    void spreadMenuEntriesSelectByName_data();
    void spreadMenuEntriesSelectByName();
    void arcanaBoxesStayExclusive_data();
    void arcanaBoxesStayExclusive();
    void castCopiesChoice_data();
    void castCopiesChoice();
    void waitPanelIsPaintedBeforePause();
    void backOpensEmptyQuerentScreenKeepingValues();
    void exitEndsProgram_data();
    void exitEndsProgram();
    void modeScreenToCardTable();

private:
    std::unique_ptr<Fixture> f;
};

void TestTarot::loadShowsQuerentAndResetsCast()
{
    // A finished cast left in the record: loading the screen clears it.
    CurrentReading &reading = f->session.reading;
    reading.drawnCards = QList<qint32>{1, 2, 3};
    reading.reversedCards = QList<qint32>{2};
    reading.spreadName = QStringLiteral("Three Cards");
    reading.cardCount = 3;
    reading.startedByAutoCast = FlagTrue;
    reading.allowReversed = FlagTrue;

    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), QStringLiteral("Will I travel?"));
    // The date boxes were left as they were: the information line shows the composed date.
    QCOMPARE(tarot->lblInfo->text(), QStringLiteral("Name: Ann     Date: January 1, 1980     Country: Peru"));
    QCOMPARE(tarot->txtQ->toPlainText(), QStringLiteral("Question: Will I travel?"));

    QCOMPARE(reading.spreadName, QStringLiteral("-1"));
    QCOMPARE(reading.cardCount, -1);
    QVERIFY(!IsArrayDimensioned(reading.drawnCards));
    QVERIFY(!IsArrayDimensioned(reading.reversedCards));
    QCOMPARE(reading.startedByAutoCast, FlagFalse);
    QCOMPARE(reading.allowReversed, FlagFalse);
    QCOMPARE(reading.isManualPick, FlagFalse);

    QCOMPARE(tarot->lstOption->count(), kSpreadCount);
    for (int k = 0; k < kSpreadCount; ++k)
        QCOMPARE(tarot->lstOption->item(k)->text(), SpreadByIndex(k)->listName);
    QCOMPARE(tarot->lstOption->currentRow(), 0);
    QCOMPARE(reading.no, 10);
    QCOMPARE(reading.MaxCardInSet, qint16(0));
    QCOMPARE(reading.spreadListIndex, 0);
    QCOMPARE(tarot->txtDisp->toPlainText(), SpreadByIndex(kCelticCross)->description);
    QVERIFY(showsColour(tarot->pctCard, spreadColour(0)));

    QVERIFY(tarot->chkRev->isChecked());
    QVERIFY(!tarot->chkHA->isChecked());
    QVERIFY(!tarot->chkLA->isChecked());
    QVERIFY(!tarot->picMessage->isVisible());
}

void TestTarot::listClickShowsSpread_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cards");
    QTest::addColumn<QString>("descriptionStart");

    QTest::newRow("one card") << 1 << 1 << QStringLiteral("This is the simplest spread of all.");
    QTest::newRow("eliphas levy wheel") << 4 << 5 << QStringLiteral("This layout is based on the Eliphas Levy Wheel.");
    QTest::newRow("line spread") << 5 << 5
                                 << QStringLiteral("All cards in this layout are in a straight horizontal line");
    QTest::newRow("four seasons") << 7 << 8 << QStringLiteral("This spread can be used to look into the near future");
}

void TestTarot::listClickShowsSpread()
{
    QFETCH(int, row);
    QFETCH(int, cards);
    QFETCH(QString, descriptionStart);

    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    clickRow(tarot->lstOption, row);

    const CurrentReading &reading = f->session.reading;
    QCOMPARE(reading.spreadListIndex, row);
    QCOMPARE(reading.MaxCardInSet, qint16(row));
    QCOMPARE(reading.no, cards);
    QVERIFY(tarot->txtDisp->toPlainText().startsWith(descriptionStart));
    QVERIFY(showsColour(tarot->pctCard, spreadColour(row)));
    // Choosing a spread is not casting it.
    QCOMPARE(reading.cardCount, -1);
}

void TestTarot::missingPictureShowsNoStalePicture()
{
    QFile::remove(f->folder.filePath(QStringLiteral("pic/c3.jpg")));
    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    clickRow(tarot->lstOption, 2);
    QVERIFY(showsColour(tarot->pctCard, spreadColour(2)));

    clickRow(tarot->lstOption, 3);
    QVERIFY(tarot->pctCard->pixmap().isNull());
    QCOMPARE(tarot->pctCard->text(), QStringLiteral("Three Cards"));
    // The rest of the spread's details still follow the selection.
    QCOMPARE(f->session.reading.no, 3);
    QVERIFY(tarot->txtDisp->toPlainText().startsWith(QStringLiteral("This spread is good for someone")));
}

void TestTarot::oneSpreadStaysSelected()
{
    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    QListWidget *list = tarot->lstOption;
    clickRow(list, 2);
    const int spreadNumber = f->session.reading.no;
    const QPoint chosen = list->visualItemRect(list->item(2)).center();
    const QPoint belowRows(4, list->viewport()->height() - 2);

    // Ctrl+click and Ctrl+Space on the chosen spread, and a click below the rows, each
    // could leave no spread selected: the cast would then have no positions.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, chosen);
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowRows);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, belowRows);
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().constFirst(), list->item(2));
    QCOMPARE(f->session.reading.no, spreadNumber);

    // Choosing another spread, with or without Ctrl, still moves the selection.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(4)).center());
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().constFirst(), list->item(4));
}

void TestTarot::spreadMenuEntriesSelectByName_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("cards");

    QTest::newRow("celtic cross") << 0 << QStringLiteral("&Celtic Cross") << 10;
    QTest::newRow("three cards") << 3 << QStringLiteral("T&hree Cards") << 3;
    QTest::newRow("seven card chakra") << 6 << QStringLiteral("&Seven card chakra layout") << 7;
    QTest::newRow("four seasons") << 7 << QStringLiteral("F&our Seasons Spread(Moravin/Fenwyn)") << 8;
}

void TestTarot::spreadMenuEntriesSelectByName()
{
    QFETCH(int, entry);
    QFETCH(QString, caption);
    QFETCH(int, cards);

    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    clickRow(tarot->lstOption, 1); // start away from every row under test
    QCOMPARE(tarot->mnuScenario.size(), kSpreadCount);
    QAction *action = tarot->mnuScenario.at(entry);
    QCOMPARE(action->text(), caption);
    action->trigger();

    QCOMPARE(tarot->lstOption->currentRow(), entry);
    QVERIFY(tarot->lstOption->item(entry)->isSelected());
    QCOMPARE(f->session.reading.no, cards);
    QCOMPARE(f->session.reading.spreadListIndex, entry);
    QCOMPARE(tarot->txtDisp->toPlainText(), SpreadByIndex(entry)->description);
}

void TestTarot::arcanaBoxesStayExclusive_data()
{
    QTest::addColumn<QString>("clicks"); // H = Major Arcana, L = Minor Arcana
    QTest::addColumn<bool>("major");
    QTest::addColumn<bool>("minor");

    QTest::newRow("major alone") << QStringLiteral("H") << true << false;
    QTest::newRow("minor after major") << QStringLiteral("HL") << false << true;
    QTest::newRow("major after minor") << QStringLiteral("LH") << true << false;
    QTest::newRow("major ticked and unticked") << QStringLiteral("HH") << false << false;
    QTest::newRow("back and forth") << QStringLiteral("HLH") << true << false;
}

void TestTarot::arcanaBoxesStayExclusive()
{
    QFETCH(QString, clicks);
    QFETCH(bool, major);
    QFETCH(bool, minor);

    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    for (QChar c : clicks)
        clickBox(c == QLatin1Char('H') ? tarot->chkHA : tarot->chkLA);
    QCOMPARE(tarot->chkHA->isChecked(), major);
    QCOMPARE(tarot->chkLA->isChecked(), minor);
    QVERIFY(tarot->chkRev->isChecked());
}

void TestTarot::castCopiesChoice_data()
{
    QTest::addColumn<QString>("start"); // object name of the button or menu entry
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("arcana"); // clicks on H / L
    QTest::addColumn<QList<int>>("pauses");

    QTest::newRow("autocast, reversed, minor")
        << QStringLiteral("cmdAuto") << 0 << true << QStringLiteral("L") << QList<int>{};
    QTest::newRow("autocast, upright only, major")
        << QStringLiteral("cmdAuto") << 6 << false << QStringLiteral("H") << QList<int>{3000};
    QTest::newRow("autocast menu, whole deck")
        << QStringLiteral("mnuAutoCast") << 3 << false << QString() << QList<int>{3000};
    QTest::newRow("manual, upright only")
        << QStringLiteral("cmdManual") << 4 << false << QStringLiteral("LH") << QList<int>{};
    QTest::newRow("manual menu, reversed")
        << QStringLiteral("mnuManual") << 7 << true << QStringLiteral("L") << QList<int>{};
}

void TestTarot::castCopiesChoice()
{
    QFETCH(QString, start);
    QFETCH(int, row);
    QFETCH(bool, reversed);
    QFETCH(QString, arcana);
    QFETCH(QList<int>, pauses);

    const bool manual = start.contains(QLatin1String("anual"));
    QPointer<frmTarot> tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    clickRow(tarot->lstOption, row);
    if (!reversed)
        clickBox(tarot->chkRev);
    for (QChar c : arcana)
        clickBox(c == QLatin1Char('H') ? tarot->chkHA : tarot->chkLA);
    const bool major = tarot->chkHA->isChecked();
    const bool minor = tarot->chkLA->isChecked();

    if (auto *button = tarot->findChild<QPushButton *>(start))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        tarot->findChild<QAction *>(start)->trigger();

    const CurrentReading &r = f->session.reading;
    const QString name = SpreadByIndex(row)->listName;
    QCOMPARE(r.card, name);
    QCOMPARE(r.rboo, toFlag(reversed));
    QCOMPARE(r.lboo, toFlag(minor));
    QCOMPARE(r.hboo, toFlag(major));
    QCOMPARE(r.isManualPick, toFlag(manual));
    QCOMPARE(r.startedByAutoCast, toFlag(!manual));
    QCOMPARE(r.startedByManual, toFlag(manual));
    QCOMPARE(r.spreadName, name);
    QCOMPARE(r.cardCount, SpreadByIndex(row)->cardCount);
    QCOMPARE(r.minorOnly, toFlag(minor));
    QCOMPARE(r.majorOnly, toFlag(major));
    QCOMPARE(r.allowReversed, toFlag(reversed));
    QVERIFY(!(r.minorOnly == FlagTrue && r.majorOnly == FlagTrue));
    QCOMPARE(f->platform.pauses, pauses);

    // The screen closed as navigation: the program goes on.
    QVERIFY(!tarot || !tarot->isVisible());
    QCOMPARE(f->platform.endCount, 0);
}

void TestTarot::waitPanelIsPaintedBeforePause()
{
    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    clickBox(tarot->chkRev); // upright only: the cast waits
    EventProbe paints(tarot->picMessage, QEvent::Paint, {});
    bool visibleAtPause = false;
    int paintsAtPause = -1;
    f->platform.onPause = [&] {
        visibleAtPause = tarot->picMessage->isVisible();
        paintsAtPause = paints.count;
    };
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    QCOMPARE(f->platform.pauses, QList<int>{3000});
    QVERIFY(visibleAtPause);
    QVERIFY2(paintsAtPause > 0, "the wait panel must be on screen before the program pauses");
    QCOMPARE(tarot->lblWait->text(), QStringLiteral("Kesto is generating the Tarot result...."));
    QCOMPARE(tarot->lblPleaseWait->text(), QStringLiteral("Please Wait ..."));
}

void TestTarot::backOpensEmptyQuerentScreenKeepingValues()
{
    frmTarot *first = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), QStringLiteral("Why?"));
    clickBox(first->chkRev);
    clickBox(first->chkHA);
    clickRow(first->lstOption, 5);
    QTest::mouseClick(first->cmdBack, Qt::LeftButton);

    QCOMPARE(f->platform.endCount, 0);
    QVERIFY(!first->isVisible());
    frmFront *front = f->shell.querentScreen();
    QVERIFY(front->isVisible());
    QCOMPARE(front->txtName->text(), QString());
    QCOMPARE(front->txtCountry->text(), QString());
    QCOMPARE(front->txtQuestion->toPlainText(), QString());
    QCOMPARE(front->cmbMonth->currentText(), QStringLiteral("January"));
    QCOMPARE(front->cmbDate->currentText(), QStringLiteral("1"));
    QCOMPARE(front->cmbYear->currentText(), QStringLiteral("1980"));
    QCOMPARE(f->session.reading.strName, QStringLiteral("Ann"));
    QCOMPARE(f->session.reading.strCountry, QStringLiteral("Peru"));
    QCOMPARE(f->session.reading.strQ, QStringLiteral("Why?"));

    // Next again: a fresh spread screen with the new querent and its start states.
    QTest::keyClicks(front->txtName, QStringLiteral("Bob"));
    QTest::mouseClick(front->cmdNext, Qt::LeftButton);
    frmTarot *second = f->shell.spreadScreen();
    QVERIFY(second != first);
    QVERIFY(second->lblInfo->text().startsWith(QStringLiteral("Name: Bob     ")));
    QCOMPARE(second->lstOption->currentRow(), 0);
    QCOMPARE(f->session.reading.no, 10);
    QVERIFY(second->chkRev->isChecked());
    QVERIFY(!second->chkHA->isChecked());
    // The main window, made on the first pass, shows the querent of the second.
    QCOMPARE(f->shell.existingMainWindow()->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(),
             QStringLiteral("Bob"));
}

void TestTarot::exitEndsProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("exit button") << QStringLiteral("cmdCancel");
    QTest::newRow("file exit") << QStringLiteral("mnuExit");
    QTest::newRow("close box") << QString();
}

void TestTarot::exitEndsProgram()
{
    QFETCH(QString, how);
    frmTarot *tarot = f->enterQuerent(QStringLiteral("Ann"), QStringLiteral("Peru"), {});
    if (how.isEmpty())
        tarot->close();
    else if (auto *button = tarot->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        tarot->findChild<QAction *>(how)->trigger();
    QCOMPARE(f->platform.endCount, 1);
    QVERIFY(!tarot->isVisible());
    QVERIFY(f->platform.pauses.isEmpty());
    // The main window made by Next was never shown; ending the program closes it as well.
    QVERIFY(!f->shell.existingMainWindow());
}

void TestTarot::modeScreenToCardTable()
{
    f->shell.showModeScreen();
    frmOpen *open = f->shell.modeScreen();
    clickBox(open->optReading);
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);
    QCOMPARE(f->session.reading.readingMode, FlagTrue);

    frmFront *front = f->shell.querentScreen();
    QVERIFY(front->isVisible());
    QTest::keyClicks(front->txtName, QStringLiteral("Ann"));
    front->cmbMonth->setCurrentIndex(2);
    front->cmbDate->setCurrentIndex(6);
    front->cmbYear->setCurrentIndex(75);
    QTest::keyClicks(front->txtCountry, QStringLiteral("Peru"));
    QTest::keyClicks(front->txtQuestion, QStringLiteral("Where next?"));
    QTest::mouseClick(front->cmdNext, Qt::LeftButton);

    // Next made the main window in its reading arrangement; it is not on screen yet.
    frmMDI *frame = f->shell.existingMainWindow();
    QVERIFY(frame);
    QVERIFY(!frame->isVisible());
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("Ann"));
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtDOB"))->text(), QStringLiteral("March 7, 1975"));

    QPointer<frmTarot> tarot = f->shell.spreadScreen();
    QVERIFY(tarot->isVisible());
    // The card table comes up inside the main window: what the record holds at that moment.
    CurrentReading atCardTable;
    bool spreadScreenStillOpen = false;
    EventProbe shown(frame, QEvent::Show, [&] {
        atCardTable = f->session.reading;
        spreadScreenStillOpen = tarot && tarot->isVisible();
    });
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    QCOMPARE(shown.count, 1);
    QVERIFY(frame->isVisible());
    QVERIFY(spreadScreenStillOpen);
    QVERIFY(!tarot || !tarot->isVisible());
    QCOMPARE(atCardTable.spreadName, QStringLiteral("Celtic Cross"));
    QCOMPARE(atCardTable.cardCount, 10);
    QCOMPARE(atCardTable.allowReversed, FlagTrue);
    QCOMPARE(atCardTable.minorOnly, FlagFalse);
    QCOMPARE(atCardTable.majorOnly, FlagFalse);
    QCOMPARE(atCardTable.startedByAutoCast, FlagTrue);
    QCOMPARE(atCardTable.startedByManual, FlagFalse);
    QCOMPARE(atCardTable.isManualPick, FlagFalse);
    QVERIFY(!IsArrayDimensioned(atCardTable.drawnCards));
    QCOMPARE(atCardTable.strDOB, QStringLiteral("March 7, 1975"));
    QVERIFY(f->platform.pauses.isEmpty());

    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("Ann"));
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtCountry"))->text(), QStringLiteral("Peru"));
    QCOMPARE(frame->findChild<QPlainTextEdit *>(QStringLiteral("txtQ"))->toPlainText(), QStringLiteral("Where next?"));
    QVERIFY(child<QWidget>(frame, "picTop")->isVisible());
    QVERIFY(child<QWidget>(frame, "picRight")->isVisible());
    QVERIFY(!child<QWidget>(frame, "picLeft")->isVisible());
    QCOMPARE(f->platform.endCount, 0);
}

QTEST_MAIN(TestTarot)
#include "tst_tarot.moc"

#include "readingwalk.h"
#include "findchild.h"

#include "core/journal/journal.h"
#include "core/journal/reportdocument.h"
#include "core/reading/spreads.h"
#include "core/reading/deck.h"
#include "ui/journal/frmjournal.h"
#include "ui/journal/journalmodel.h"
#include "ui/journal/readingsheet.h"
#include "core/reading/layouts.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"
#include "ui/screens/frmtarot.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTreeView>
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

// The report as a reader sees it: per paragraph its alignment and rule, per run of text its
// emphasis and the text.
QStringList reportStructure(const QTextDocument *document)
{
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        QString line = align & Qt::AlignHCenter ? u"centre"_s : u"left"_s;
        line += block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth) ? u" rule|"_s : u"|"_s;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            line += u"[%1%2]"_s.arg(format.fontWeight() >= QFont::Bold ? u"b"_s : u""_s,
                                    format.fontUnderline() ? u"u"_s : u""_s)
                + fragment.text();
        }
        lines.append(line);
    }
    return lines;
}

struct TableView
{
    QList<QImage> pictures;
    QList<QPoint> places;
    QList<bool> boxesShown;
    QList<bool> numbersShown;
};

TableView tableView(frmAuto *table)
{
    TableView view;
    for (int i = 0; i < frmAuto::kBoxCount; ++i) {
        view.pictures.append(boxImage(table->p[i]));
        view.places.append(table->p[i]->pos());
        view.boxesShown.append(table->p[i]->isVisibleTo(table));
        view.numbersShown.append(table->lbl[i]->isVisibleTo(table));
    }
    return view;
}

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
    void unreadableAndNewerJournals();
    void journalSurvivesARestart();
    void reachableFromModeScreenAndMainWindow();
    void listFilterAndKeyboard();
    void noteSavedAsTyped();
    void sheetAsPdf_data();
    void sheetAsPdf();
    void paperFollowsTheLocale();
    void printPreviewFromBothWindows();
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
    QCOMPARE(kept->report, EncodeReport(*display(w)->document()));
    QVERIFY(kept->keptAt.secsTo(QDateTime::currentDateTimeUtc()) < 60);
    QCOMPARE(rows.first().reversedCount, kept->reversedCount());
    QVERIFY(w.platform.messages.isEmpty());

    // Start Again, then the reading shown again from the journal.
    const TableView before = tableView(w.shell.existingCardTable());
    const QStringList report = reportStructure(display(w)->document());
    const CurrentReading original = r;
    QTest::mouseClick(child<QPushButton>(w.shell.existingMainWindow(), "cmdRestart"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.session.reading = CurrentReading();
    QVERIFY(w.shell.reopenReading(rows.first().id));
    QCoreApplication::processEvents();

    compareCast(*kept, w.session.reading);
    QCOMPARE(w.session.reading.drawnCards, original.drawnCards);
    frmMDI *frame = w.shell.existingMainWindow();
    QVERIFY(frame && frame->isVisible());
    QVERIFY(child<QWidget>(frame, "picTop")->isVisible() && child<QWidget>(frame, "picRight")->isVisible()
            && !child<QWidget>(frame, "picLeft")->isVisible());
    QCOMPARE(frame->findChild<QLineEdit *>(u"txtName"_s)->text(), original.strName);
    QCOMPARE(reportStructure(display(w)->document()), report);
    QCOMPARE(display(w)->textCursor().position(), 0);
    const TableView after = tableView(w.shell.existingCardTable());
    QCOMPARE(after.places, before.places);
    QCOMPARE(after.boxesShown, before.boxesShown);
    QCOMPARE(after.numbersShown, before.numbersShown);
    for (int i = 0; i < frmAuto::kBoxCount; ++i)
        QVERIFY2(after.pictures[i] == before.pictures[i], qPrintable(u"box %1"_s.arg(i + 1)));
    // Shown again, not kept again.
    QCOMPARE(w.session.journal.store()->list().size(), 1);
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
            QTest::mouseClick(child<QPushButton>(w.shell.existingMainWindow(), "cmdRestart"), Qt::LeftButton);
            w.platform.queueFractions({0.1f, 0.3f, 0.5f});
            finishReading(w, 3, Cast::Automatic, false);
            QCOMPARE(w.platform.messages.size(), 1);
            QCOMPARE(w.report(), reports[0]);
        }
    }
    QVERIFY(reports[0].contains(u"Thank You for using Kesto."_s));
    QCOMPARE(reports[1], reports[0]);
}

void TestJournal::unreadableAndNewerJournals()
{
    {
        // Garbage where the journal belongs: moved aside, told once, the reading kept anew.
        ReadingWalk w;
        const QByteArray garbage = QByteArray("no journal ").repeated(500);
        w.userData.writeFile(u"kesto/journal.sqlite"_s, garbage);
        finishReading(w, 1, Cast::Automatic, false);
        QVERIFY(w.report().contains(u"Thank You for using Kesto."_s));
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY(w.platform.messages.first().text.contains(u"journal.sqlite.unreadable-"_s));
        const QString moved = w.session.journal.store()->movedAsidePath();
        QFile kept(moved);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), garbage);
        QCOMPARE(w.session.journal.store()->list().size(), 1);
    }
    {
        // A newer Kesto's journal: read, never written; the window offers no changes.
        QTemporaryDir user;
        {
            JournalStore store(user.path());
            JournalReading r;
            r.strName = u"From the future"_s;
            QVERIFY(store.add(r));
            QSqlQuery(store.database()).exec(u"PRAGMA user_version = 7"_s);
        }
        ReadingWalk w;
        w.session.journal.setFolder(user.path());
        finishReading(w, 1, Cast::Automatic, false);
        QVERIFY(w.report().contains(u"Thank You for using Kesto."_s));
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY(w.platform.messages.first().text.contains(u"newer version"_s));
        w.shell.showJournal();
        frmJournal *journal = w.shell.existingJournal();
        QCOMPARE(journal->model()->rowCount(), 1);
        QVERIFY(!journal->cmdDelete->isEnabled());
        QVERIFY(journal->txtNote->isReadOnly());
        QVERIFY(journal->cmdOpen->isEnabled());
        QCOMPARE(w.platform.messages.size(), 1);
    }
}

void TestJournal::keepingTurnedOff()
{
    ReadingWalk w;
    w.session.journal.setKeeping(false);
    finishReading(w, 1, Cast::Automatic, false);
    QVERIFY(w.session.journal.store()->list().isEmpty());
    QVERIFY(w.shell.existingMainWindow()->shownReading());
}

void TestJournal::journalSurvivesARestart()
{
    QTemporaryDir user;
    for (const QString &name : {u"Ann"_s, u"Bob"_s, u"Cy"_s}) {
        ReadingWalk w;
        w.session.journal.setFolder(user.path());
        finishReading(w, 1, Cast::Automatic, false, name);
    }
    ReadingWalk later;
    later.session.journal.setFolder(user.path());
    const QList<JournalSummary> rows = later.session.journal.store()->list();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].name, u"Cy"_s);
    QCOMPARE(rows[2].name, u"Ann"_s);
}

void TestJournal::reachableFromModeScreenAndMainWindow()
{
    ReadingWalk w;
    w.shell.showModeScreen();
    frmOpen *open = w.shell.modeScreen();
    QTest::mouseClick(open->cmdJournal, Qt::LeftButton);
    QVERIFY(w.shell.existingJournal() && w.shell.existingJournal()->isVisible());
    w.shell.existingJournal()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.shell.existingJournal());
    QVERIFY(open->isVisible()); // closing the journal ends nothing
    QCOMPARE(w.platform.endCount, 0);
    open->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(open));
    QTest::keyClick(open, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(w.shell.existingJournal() && w.shell.existingJournal()->isVisible());
    w.shell.existingJournal()->close();

    finishReading(w, 1, Cast::Automatic, false);
    frmMDI *frame = w.shell.existingMainWindow();
    for (bool dictionary : {false, true}) {
        if (dictionary)
            frame->applyDictionaryArrangement();
        QVERIFY(frame->menuBar()->actions().contains(child<QMenu>(frame, "mnuJournal")->menuAction()));
        // After the window's four own menus, whatever else follows.
        QCOMPARE(frame->menuBar()->actions().indexOf(child<QMenu>(frame, "mnuJournal")->menuAction()), 4);
        QVERIFY(child<QMenu>(frame, "mnuJournal")->menuAction()->isVisible());
        child<QAction>(frame, "mnuReadingJournal")->trigger();
        QVERIFY(w.shell.existingJournal() && w.shell.existingJournal()->isVisible());
        QCOMPARE(w.shell.existingJournal()->model()->rowCount(), 1);
        w.shell.existingJournal()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void TestJournal::listFilterAndKeyboard()
{
    ReadingWalk w;
    for (const QString &name : {u"Ann"_s, u"Bob"_s, u"Cyd"_s}) {
        finishReading(w, 3, Cast::Automatic, false, name);
        QTest::mouseClick(child<QPushButton>(w.shell.existingMainWindow(), "cmdRestart"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    w.shell.showJournal();
    frmJournal *journal = w.shell.existingJournal();
    QTreeView *list = journal->lstReadings;
    QAbstractItemModel *shown = list->model();
    QCOMPARE(shown->rowCount(), 3);
    QCOMPARE(shown->index(0, JournalListModel::QuerentColumn).data().toString(), u"Cyd"_s);
    QCOMPARE(shown->index(2, JournalListModel::QuerentColumn).data().toString(), u"Ann"_s);
    QCOMPARE(shown->index(0, JournalListModel::SpreadColumn).data().toString(), u"Three Cards"_s);
    QCOMPARE(shown->index(0, JournalListModel::ReversedColumn).data().toInt(), 0);
    QCOMPARE(journal->selectedId(), shown->index(0, 0).data(JournalListModel::IdRole).toLongLong());

    // The filter narrows as the user types: by name, then by a card of one reading only.
    journal->txtFilter->setFocus();
    QTest::keyClicks(journal->txtFilter, u"b"_s);
    QCOMPARE(shown->rowCount(), 1);
    QCOMPARE(shown->index(0, JournalListModel::QuerentColumn).data().toString(), u"Bob"_s);
    journal->txtFilter->clear();
    QCOMPARE(shown->rowCount(), 3);
    const auto bob = w.session.journal.store()->reading(shown->index(1, 0).data(JournalListModel::IdRole).toLongLong());
    const QString bobsCard = CardName(bob->drawnCards->first());
    QTest::keyClicks(journal->txtFilter, bobsCard.toUpper());
    QVERIFY(shown->rowCount() >= 1);
    for (int row = 0; row < shown->rowCount(); ++row) {
        const auto r
            = w.session.journal.store()->reading(shown->index(row, 0).data(JournalListModel::IdRole).toLongLong());
        bool has = false;
        for (CardId c : r->reportedCards())
            has = has || CardName(c).contains(bobsCard, Qt::CaseInsensitive);
        QVERIFY(has);
    }
    journal->txtFilter->clear();
    list->setCurrentIndex(shown->index(0, 0));

    // Arrows from the filter box move through the list; Delete asks, No keeps, Yes deletes.
    QTest::keyClick(journal->txtFilter, Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), 1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.platform.messages.last().buttons, MessageButtons::YesNo);
    QVERIFY(w.platform.messages.last().text.contains(u"Bob"_s));
    QCOMPARE(shown->rowCount(), 3);
    w.platform.answers.push_back(MessageAnswer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(shown->rowCount(), 2);
    QCOMPARE(w.session.journal.store()->list().size(), 2);
    QVERIFY(!journal->txtFilter->text().contains(u"Bob"_s));

    // Enter opens the selected reading in the main window.
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    frmMDI *frame = w.shell.existingMainWindow();
    QVERIFY(frame && frame->isVisible());
    QCOMPARE(frame->findChild<QLineEdit *>(u"txtName"_s)->text(), u"Cyd"_s);
    QCOMPARE(w.session.reading.strName, u"Cyd"_s);
}

void TestJournal::noteSavedAsTyped()
{
    QTemporaryDir user;
    {
        ReadingWalk w;
        w.session.journal.setFolder(user.path());
        finishReading(w, 1, Cast::Automatic, false);
        w.shell.showJournal();
        frmJournal *journal = w.shell.existingJournal();
        const qint64 id = journal->selectedId();
        QTest::keyClicks(journal->txtNote, u"Rain by noo"_s);
        // Saved with every keystroke, before the window or the program closes.
        QCOMPARE(w.session.journal.store()->reading(id)->note, u"Rain by noo"_s);
        QTest::keyClicks(journal->txtNote, u"n"_s);
        // The note is searched too.
        QTest::keyClicks(journal->txtFilter, u"noon"_s);
        QCOMPARE(journal->lstReadings->model()->rowCount(), 1);
        journal->close();
    }
    ReadingWalk later;
    later.session.journal.setFolder(user.path());
    QCOMPARE(later.session.journal.store()->list().first().note, u"Rain by noon"_s);
}

namespace {

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString words(const QString &text) { return text.simplified(); }

bool tableGreen(QRgb pixel)
{
    return std::abs(qRed(pixel) - 0x1F) < 12 && std::abs(qGreen(pixel) - 0x4D) < 12
        && std::abs(qBlue(pixel) - 0x36) < 12;
}

} // namespace

void TestJournal::sheetAsPdf_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<Cast>("cast");
    QTest::newRow("Celtic Cross, automatic") << 0 << Cast::Automatic;
    QTest::newRow("Seven Card Chakra Layout, manual") << 6 << Cast::Manual;
}

void TestJournal::sheetAsPdf()
{
    QFETCH(int, spread);
    QFETCH(Cast, cast);
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty()
        || QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        QSKIP("pdftotext and pdftoppm (poppler-utils) are needed");
    ReadingWalk w;
    finishReading(w, spread, cast, true, u"Zoe Quinn"_s);
    QTemporaryDir out;
    w.platform.fileToSave = out.filePath(u"sheet.pdf"_s);
    frmMDI *frame = w.shell.existingMainWindow();
    QVERIFY(child<QAction>(frame, "mnuExportPdf")->isEnabled());
    child<QAction>(frame, "mnuExportPdf")->trigger();
    QVERIFY(w.platform.suggestedSaveNames.last().startsWith(u"Kesto-reading-Zoe-Quinn-"_s));
    QVERIFY(QFileInfo(w.platform.fileToSave).size() > 0);
    QVERIFY(w.platform.messages.isEmpty());

    // Querent texts are plain text on the sheet, whatever they hold.
    JournalReading sheet = *frame->shownReading();
    sheet.strName = u"Zo\u00EB <b>Quinn</b>"_s;
    w.platform.fileToSave = out.filePath(u"plain.pdf"_s);
    QVERIFY(ExportReadingPdf(w.platform.fileToSave, w.platform, sheet));
    const QString info = runTool(u"pdfinfo"_s, {w.platform.fileToSave});
    QVERIFY2(info.contains(u"Kesto reading for Zo\u00EB <b>Quinn</b>"_s), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(u"Creator:\\s+Kesto\\n"_s)));
    QVERIFY(info.contains(u"(A4)"_s));

    const QString text = words(runTool(u"pdftotext"_s, {w.platform.fileToSave, u"-"_s}));
    QVERIFY(text.startsWith(u"Kesto"_s));
    QVERIFY(text.contains(u"Zo\u00EB <b>Quinn</b>"_s));
    QVERIFY(text.contains(words(SpreadByIndex(spread)->heading)));
    const JournalReading *reading = &sheet;
    const QList<CardId> cards = reading->reportedCards();
    QCOMPARE(cards.size(), SpreadByIndex(spread)->cardCount);

    // Every position's block lies on one page: its title and its card's title together.
    const int pages = info.section(u"Pages:"_s, 1).simplified().section(u' ', 0, 0).toInt();
    QVERIFY(pages >= 2);
    QStringList pageTexts;
    for (int page = 1; page <= pages; ++page) {
        const QString n = QString::number(page);
        pageTexts.append(words(runTool(u"pdftotext"_s, {u"-f"_s, n, u"-l"_s, n, w.platform.fileToSave, u"-"_s})));
        QVERIFY(pageTexts.last().contains(u"Page %1 of %2"_s.arg(page).arg(pages)));
    }
    for (int i = 0; i < cards.size(); ++i) {
        const QString title = words(CardTitle(cards[i], IsInArray(cards[i], reading->reversedCards)));
        QVERIFY2(text.contains(title), qPrintable(title));
        const QString position = words(PositionText(SpreadByIndex(spread)->listName, i + 1)->title);
        bool together = false;
        for (const QString &page : pageTexts) {
            const qsizetype at = page.indexOf(position);
            together = together || (at >= 0 && page.indexOf(title, at) >= 0);
        }
        QVERIFY2(together, qPrintable(position));
    }

    // The first page shows the card table with each card where the layout puts it.
    runTool(u"pdftoppm"_s,
            {u"-r"_s, u"60"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, w.platform.fileToSave,
             out.filePath(u"page"_s)});
    const QImage page(out.filePath(u"page-1.png"_s));
    QVERIFY(!page.isNull());
    QRect green;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (tableGreen(page.pixel(x, y)))
                green |= QRect(x, y, 1, 1);
    QVERIFY(!green.isEmpty() && green.height() > page.height() / 4);
    const SpreadIndex layout = spread;
    const QRect bounds = LayoutBoundsTwips(layout);
    const double scale = double(green.width()) / (bounds.width() / 15.0 + 20);
    for (int i = 0; i < cards.size(); ++i) {
        const QRect box = LayoutBoxTwips(layout, i + 1);
        const QPointF centre = (QPointF(box.center() - bounds.topLeft()) / 15.0 + QPointF(10, 10)) * scale;
        const QPoint at = green.topLeft() + centre.toPoint();
        QVERIFY2(!tableGreen(page.pixel(at)), qPrintable(u"card %1"_s.arg(i + 1)));
    }

    // On paper the cards are the twice-size pictures: every card's picture in the PDF has
    // twice the pixels of the plain one, each way (upright or reversed 280 x 468, the
    // crossing card 468 x 280).
    const QStringList images = runTool(u"pdfimages"_s, {u"-list"_s, w.platform.fileToSave}).split(u'\n');
    int cardImages = 0;
    for (const QString &line : images) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 4 && fields[2] == u"image") {
            const QSize size(fields[3].toInt(), fields[4].toInt());
            QVERIFY2(size == kCardPictureSize * 2 || size == (kCardPictureSize * 2).transposed(), qPrintable(line));
            ++cardImages;
        }
    }
    QCOMPARE(cardImages, int(cards.size()));
}

void TestJournal::paperFollowsTheLocale()
{
    QCOMPARE(LocalePaperSize(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
    QCOMPARE(LocalePaperSize(QLocale(QLocale::Finnish, QLocale::Finland)), QPageSize::A4);
    QCOMPARE(LocalePaperSize(QLocale(QLocale::English, QLocale::UnitedKingdom)), QPageSize::A4);
}

void TestJournal::printPreviewFromBothWindows()
{
    ReadingWalk w;
    finishReading(w, 2, Cast::Automatic, false);
    int previews = 0;
    auto closePreview = [&previews] {
        QTimer::singleShot(0, [&previews] {
            if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                ++previews;
                dialog->reject();
            }
        });
    };
    closePreview();
    child<QAction>(w.shell.existingMainWindow(), "mnuPrintReading")->trigger();
    QCOMPARE(previews, 1);

    w.shell.showJournal();
    frmJournal *journal = w.shell.existingJournal();
    closePreview();
    QTest::mouseClick(journal->cmdPrint, Qt::LeftButton);
    QCOMPARE(previews, 2);
    QTemporaryDir out;
    w.platform.fileToSave = out.filePath(u"from-journal.pdf"_s);
    QTest::mouseClick(journal->cmdPdf, Qt::LeftButton);
    QVERIFY(QFileInfo(w.platform.fileToSave).size() > 0);
    // A folder that cannot take the file is told, not hidden.
    w.platform.fileToSave = out.filePath(u"missing/folder/x.pdf"_s);
    QTest::mouseClick(journal->cmdPdf, Qt::LeftButton);
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.platform.messages.first().icon, MessageIcon::Error);
}

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"

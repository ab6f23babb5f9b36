#include "fakeplatform.h"
#include "testfolder.h"

#include "core/journal/journal.h"
#include "core/journal/journalstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimeZone>
#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::FakePlatform;
using kesto::test::TestFolder;

Q_DECLARE_METATYPE(kesto::JournalReading)

namespace {

JournalReading sampleReading(const QString &name = u"Ann"_s)
{
    JournalReading r;
    r.keptAt = QDateTime(QDate(2026, 12, 9), QTime(18, 30, 5, 250), Qt::UTC);
    r.strName = name;
    r.strCountry = u"Finland"_s;
    r.strQ = u"Will it rain?"_s;
    r.strDate = u"9"_s;
    r.strMonth = u"December"_s;
    r.strYear = u"1980"_s;
    r.strDOB = u"December 9, 1980"_s;
    r.spreadName = u"Three Cards"_s;
    r.cardCount = 3;
    r.allowReversed = FlagTrue;
    r.startedByAutoCast = FlagTrue;
    r.spreadListIndex = 3;
    r.drawnCards = QList<qint32>{5, 0, 77, 0};
    r.reversedCards = QList<qint32>{0};
    r.report = QByteArray("{\"blocks\":[]}");
    return r;
}

// Everything a kept reading must give back, field by field.
void compareReadings(const JournalReading &got, const JournalReading &want)
{
    QCOMPARE(got.keptAt, want.keptAt);
    QCOMPARE(got.keptAt.timeSpec(), Qt::UTC);
    QCOMPARE(got.strName, want.strName);
    QCOMPARE(got.strCountry, want.strCountry);
    QCOMPARE(got.strQ, want.strQ);
    QCOMPARE(got.strDate, want.strDate);
    QCOMPARE(got.strMonth, want.strMonth);
    QCOMPARE(got.strYear, want.strYear);
    QCOMPARE(got.strDOB, want.strDOB);
    QCOMPARE(got.spreadName, want.spreadName);
    QCOMPARE(got.cardCount, want.cardCount);
    QCOMPARE(got.minorOnly, want.minorOnly);
    QCOMPARE(got.majorOnly, want.majorOnly);
    QCOMPARE(got.allowReversed, want.allowReversed);
    QCOMPARE(got.startedByAutoCast, want.startedByAutoCast);
    QCOMPARE(got.startedByManual, want.startedByManual);
    QCOMPARE(got.isManualPick, want.isManualPick);
    QCOMPARE(got.spreadListIndex, want.spreadListIndex);
    QCOMPARE(got.drawnCards, want.drawnCards);
    QCOMPARE(got.reversedCards, want.reversedCards);
    QCOMPARE(got.report, want.report);
    QCOMPARE(got.note, want.note);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A journal holding the given readings, written by a store that is gone again.
QString writeJournal(const QString &folder, int readings)
{
    JournalStore store(folder);
    for (int i = 0; i < readings; ++i)
        store.add(sampleReading(u"Reader %1"_s.arg(i)));
    return store.path();
}

void runOn(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"raw"_s);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &s : statements)
            QVERIFY2(q.exec(s), qPrintable(s));
    }
    QSqlDatabase::removeDatabase(u"raw"_s);
}

int rowCount(JournalStore &store) { return int(store.list().size()); }

} // namespace

class tst_JournalStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryValueExactly_data();
    void keepsEveryValueExactly();
    void listsNewestFirstAndSurvivesReopening();
    void notesAndDeletion();
    void readableByTheUserAlone();
    void unreadableFileIsMovedAsideNeverLost_data();
    void unreadableFileIsMovedAsideNeverLost();
    void emptyFileBecomesAJournal();
    void newerJournalOpensReadOnly();
    void lockedJournalIsLeftAlone();
    void fullDiskKeepsNothingOfTheReading();
    void unusableFolder();
    void messagesOncePerRunAndKeepingPersists();
    void killedMidSaveKeepsAllOrNothing();
};

void tst_JournalStore::keepsEveryValueExactly_data()
{
    QTest::addColumn<JournalReading>("reading");

    JournalReading automatic = sampleReading();
    QTest::newRow("automatic, spare slot, one reversed") << automatic;

    JournalReading manual = sampleReading();
    manual.isManualPick = FlagTrue;
    manual.startedByAutoCast = FlagFalse;
    manual.startedByManual = FlagTrue;
    manual.drawnCards = QList<qint32>{1, 2, 3};
    manual.reversedCards = std::nullopt;
    QTest::newRow("manual, no spare slot, none reversed (without bounds)") << manual;

    JournalReading emptyReversed = sampleReading();
    emptyReversed.reversedCards = QList<qint32>{};
    QTest::newRow("reversed cards empty, not without bounds") << emptyReversed;

    JournalReading noCast = sampleReading();
    noCast.spreadName = u"-1"_s;
    noCast.cardCount = -1;
    noCast.drawnCards = std::nullopt;
    noCast.reversedCards = std::nullopt;
    noCast.minorOnly = noCast.majorOnly = FlagTrue;
    QTest::newRow("no cards drawn") << noCast;

    JournalReading odd = sampleReading();
    odd.strName = QString(20000, u'x');
    odd.strCountry = u"\u05D9\u05E9\u05E8\u05D0\u05DC \u0645\u0635\u0631"_s;
    odd.strQ = u"\U0001F52E <b>bold?</b> &amp; \r\n line"_s + QChar(u'\0') + u"after NUL"_s;
    odd.strMonth = u"'; DROP TABLE reading; --"_s;
    odd.strDOB = QString();
    odd.report = QByteArray(100000, ' ') + QByteArray(1, '\0') + QByteArray("\xff\xfe");
    odd.note = u"a note\nwith two lines"_s;
    QTest::newRow("texts of any content") << odd;
}

void tst_JournalStore::keepsEveryValueExactly()
{
    QFETCH(JournalReading, reading);
    TestFolder user(false);
    JournalStore store(user.path());
    const auto id = store.add(reading);
    QVERIFY2(id, qPrintable(store.problemMessage()));
    const auto back = store.reading(*id);
    QVERIFY(back);
    compareReadings(*back, reading);
    QCOMPARE(store.list().first().reversedCount, reading.reversedCount());
}

void tst_JournalStore::listsNewestFirstAndSurvivesReopening()
{
    TestFolder user(false);
    {
        JournalStore store(user.path());
        for (int i = 0; i < 3; ++i) {
            JournalReading r = sampleReading(u"Reader %1"_s.arg(i));
            r.keptAt = r.keptAt.addSecs(i * 60);
            QVERIFY(store.add(r));
        }
    }
    JournalStore again(user.path());
    const QList<JournalSummary> rows = again.list();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].name, u"Reader 2"_s);
    QCOMPARE(rows[2].name, u"Reader 0"_s);
    QCOMPARE(rows[0].spreadName, u"Three Cards"_s);
    QCOMPARE(rows[0].reversedCount, 1);
    // The reported cards only (the spare slot is not a card of the reading), as titled.
    QCOMPARE(rows[0].cardNames.split(u'\n').size(), 3);
    QVERIFY(rows[0].cardNames.contains(u"Reversed"_s));
    QCOMPARE(again.problem(), JournalProblem::None);
}

void tst_JournalStore::notesAndDeletion()
{
    TestFolder user(false);
    JournalStore store(user.path());
    const qint64 first = *store.add(sampleReading(u"One"_s));
    const qint64 second = *store.add(sampleReading(u"Two"_s));
    QVERIFY(store.setNote(first, u"typed \U0001F31F"_s));
    QCOMPARE(store.reading(first)->note, u"typed \U0001F31F"_s);
    QVERIFY(store.remove(second));
    QVERIFY(!store.remove(second));
    QCOMPARE(rowCount(store), 1);
    QVERIFY(!store.reading(second));
}

void tst_JournalStore::readableByTheUserAlone()
{
    TestFolder user(false);
    const QString folder = user.filePath(u"data/kesto"_s);
    JournalStore store(folder);
    QVERIFY(store.add(sampleReading()));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(folder).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    QCOMPARE(::stat(QFile::encodeName(store.path()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0600));
}

void tst_JournalStore::unreadableFileIsMovedAsideNeverLost_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("garbage") << u"garbage"_s;
    QTest::newRow("truncated") << u"truncated"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("fifo") << u"fifo"_s;
}

void tst_JournalStore::unreadableFileIsMovedAsideNeverLost()
{
    QFETCH(QString, kind);
    TestFolder user(false);
    const QString path = user.filePath(JournalStore::fileName());
    QByteArray before;
    if (kind == u"garbage") {
        before = QByteArray("This is not a journal at all. ").repeated(200);
        user.writeFile(JournalStore::fileName(), before);
    } else if (kind == u"truncated") {
        writeJournal(user.path(), 40);
        QByteArray whole = readAll(path);
        before = whole.left(whole.size() / 2);
        user.writeFile(JournalStore::fileName(), before);
    } else if (kind == u"folder") {
        user.writeFile(JournalStore::fileName() + u"/inside.txt"_s, "kept");
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    JournalStore store(user.path());
    QVERIFY(store.open());
    QCOMPARE(store.problem(), JournalProblem::MovedAside);
    const QString moved = store.movedAsidePath();
    QVERIFY(QFileInfo(moved).fileName().startsWith(JournalStore::fileName() + u".unreadable-"_s));
    QVERIFY(store.problemMessage().contains(QFileInfo(moved).fileName()));
    if (kind == u"folder")
        QCOMPARE(readAll(moved + u"/inside.txt"_s), QByteArray("kept"));
    else if (kind == u"fifo")
        QVERIFY(QFileInfo(moved).exists() && !QFileInfo(moved).isFile());
    else
        QCOMPARE(readAll(moved), before);

    // A new journal works in its place.
    QVERIFY(store.add(sampleReading()));
    QCOMPARE(rowCount(store), 1);
    QVERIFY(QFileInfo(path).isFile());
}

void tst_JournalStore::emptyFileBecomesAJournal()
{
    TestFolder user(false);
    user.writeFile(JournalStore::fileName(), QByteArray());
    JournalStore store(user.path());
    QVERIFY(store.add(sampleReading()));
    QCOMPARE(store.problem(), JournalProblem::None);
    QVERIFY(store.movedAsidePath().isEmpty());
}

void tst_JournalStore::newerJournalOpensReadOnly()
{
    TestFolder user(false);
    const QString path = writeJournal(user.path(), 2);
    runOn(path, {u"PRAGMA user_version = 99"_s});
    const QByteArray before = readAll(path);

    JournalStore store(user.path());
    QVERIFY(store.open());
    QVERIFY(store.isReadOnly());
    QCOMPARE(store.problem(), JournalProblem::Newer);
    QCOMPARE(rowCount(store), 2);
    QVERIFY(!store.add(sampleReading()));
    QVERIFY(!store.setNote(store.list().first().id, u"x"_s));
    QVERIFY(!store.remove(store.list().first().id));
    QCOMPARE(readAll(path), before);
}

void tst_JournalStore::lockedJournalIsLeftAlone()
{
    TestFolder user(false);
    const QString path = writeJournal(user.path(), 1);
    const QByteArray before = readAll(path);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"other program"_s);
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(u"BEGIN EXCLUSIVE"_s));

        JournalStore store(user.path());
        QVERIFY(!store.add(sampleReading()));
        QCOMPARE(store.problem(), JournalProblem::Locked);
        QVERIFY(store.movedAsidePath().isEmpty());
        QCOMPARE(readAll(path), before);

        QVERIFY(lock.exec(u"ROLLBACK"_s));
        store.clearProblem();
        QVERIFY(store.add(sampleReading()));
        QCOMPARE(rowCount(store), 2);
    }
    QSqlDatabase::removeDatabase(u"other program"_s);
}

void tst_JournalStore::fullDiskKeepsNothingOfTheReading()
{
    TestFolder user(false);
    writeJournal(user.path(), 3);
    JournalStore store(user.path());
    QVERIFY(store.open());
    // The engine's page limit stands in for the disk: no further page can be written.
    QSqlQuery pages(store.database());
    QVERIFY(pages.exec(u"PRAGMA page_count"_s) && pages.next());
    const int count = pages.value(0).toInt();
    pages.finish();
    QVERIFY(pages.exec(u"PRAGMA max_page_count = %1"_s.arg(count)));
    JournalReading big = sampleReading(u"Too big"_s);
    for (int i = 0; i < 5000; ++i)
        big.note += QString::number(i * 7919);
    big.report = big.note.toUtf8();

    QVERIFY(!store.add(big));
    QCOMPARE(store.problem(), JournalProblem::DiskFull);
    const QList<JournalSummary> rows = store.list();
    QCOMPARE(rows.size(), 3);
    for (const JournalSummary &row : rows)
        QVERIFY(row.name.startsWith(u"Reader"_s));
}

void tst_JournalStore::unusableFolder()
{
    TestFolder user(false);
    user.writeFile(u"plain-file"_s, "not a folder");
    JournalStore store(user.filePath(u"plain-file/kesto"_s));
    QVERIFY(!store.open());
    QCOMPARE(store.problem(), JournalProblem::FolderUnusable);
    QVERIFY(!store.add(sampleReading()));
    QVERIFY(store.list().isEmpty());
    QCOMPARE(readAll(user.filePath(u"plain-file"_s)), QByteArray("not a folder"));
}

void tst_JournalStore::messagesOncePerRunAndKeepingPersists()
{
    TestFolder user(false);
    user.writeFile(u"plain-file"_s, "x");
    FakePlatform platform;
    CurrentReading reading;
    reading.spreadName = u"One Card"_s;
    reading.cardCount = 1;
    reading.drawnCards = QList<qint32>{4, 0};
    {
        Journal journal(platform);
        QVERIFY(!journal.keep(reading, "report")); // no folder set: nothing kept, no message
        QVERIFY(journal.takeMessage().isEmpty());
        journal.setFolder(user.filePath(u"plain-file/kesto"_s));
        QVERIFY(!journal.keep(reading, "report"));
        QVERIFY(!journal.takeMessage().isEmpty());
        QVERIFY(!journal.keep(reading, "report"));
        QVERIFY(journal.takeMessage().isEmpty());

        journal.setFolder(user.filePath(u"good"_s));
        QVERIFY(journal.keeping());
        journal.setKeeping(false);
        QVERIFY(!journal.keep(reading, "report"));
        QCOMPARE(journal.store()->list().size(), 0);
    }
    Journal nextRun(platform);
    nextRun.setFolder(user.filePath(u"good"_s));
    QVERIFY(!nextRun.keeping());
    nextRun.setKeeping(true);
    const auto id = nextRun.keep(reading, "report");
    QVERIFY(id);
    const auto kept = nextRun.store()->reading(*id);
    QCOMPARE(kept->drawnCards, reading.drawnCards);
    QCOMPARE(kept->report, QByteArray("report"));
    QCOMPARE(kept->keptAt.timeSpec(), Qt::UTC);
}

void tst_JournalStore::killedMidSaveKeepsAllOrNothing()
{
    TestFolder user(false);
    for (int round = 0; round < 3; ++round) {
        QProcess helper;
        helper.start(QStringLiteral(KESTO_SAVE_HELPER), {user.path()});
        QVERIFY(helper.waitForStarted());
        // Killed at a different point of a save each round.
        int kept = 0;
        while (kept < 2 + round && helper.waitForReadyRead(10000))
            kept += helper.readAll().count("kept");
        QTest::qWait(3 * round);
        helper.kill();
        QVERIFY(helper.waitForFinished());
    }
    JournalStore store(user.path());
    const QList<JournalSummary> rows = store.list();
    QCOMPARE(store.problem(), JournalProblem::None);
    QVERIFY(rows.size() >= 2 + 3 + 4);
    for (const JournalSummary &row : rows) {
        const auto reading = store.reading(row.id);
        QVERIFY(reading);
        QCOMPARE(reading->report, reading->note.toUtf8());
        QCOMPARE(reading->note.size(), rows.first().note.size());
        QCOMPARE(reading->drawnCards->size(), 11);
    }
    QVERIFY(store.add(sampleReading()));
}

QTEST_GUILESS_MAIN(tst_JournalStore)
#include "tst_journalstore.moc"

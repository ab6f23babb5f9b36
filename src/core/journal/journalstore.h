#pragma once
#include "core/reading/currentreading.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

namespace kesto {

// One kept reading: everything needed to show it again exactly as it was.
struct JournalReading
{
    qint64 id = 0;
    // When the reading was kept, in UTC.
    QDateTime keptAt;

    // The querent, exactly as typed.
    QString strName;
    QString strCountry;
    QString strQ;
    QString strDate;
    QString strMonth;
    QString strYear;
    QString strDOB;

    // The cast, exactly as it ended: drawnCards keeps the automatic cast's spare slot, and
    // reversedCards keeps "without bounds" apart from an empty list.
    QString spreadName;
    qint32 cardCount = 0;
    Flag minorOnly = FlagFalse;
    Flag majorOnly = FlagFalse;
    Flag allowReversed = FlagFalse;
    Flag startedByAutoCast = FlagFalse;
    Flag startedByManual = FlagFalse;
    Flag isManualPick = FlagFalse;
    // The spread list's selection when the cast started; the manual pick lays out by it.
    qint32 spreadListIndex = 0;
    CardArray drawnCards;
    CardArray reversedCards;

    // The report as the display showed it, text and emphasis (EncodeReport).
    QByteArray report;
    QString note;

    // The reading in progress, with its report, as a journal entry kept now.
    static JournalReading fromCurrent(const CurrentReading &reading, const QByteArray &report);
    // The querent and cast values written back into a current reading (the rest untouched).
    void restoreInto(CurrentReading &reading) const;

    // The positions the report covers: an automatic cast's spare slot is left out.
    QList<CardId> reportedCards() const;
    // How many of the reported cards lie reversed.
    int reversedCount() const;
};

// A reading as the journal's list shows it; filled without reading the report.
struct JournalSummary
{
    qint64 id = 0;
    QDateTime keptAt;
    QString name;
    QString question;
    QString spreadName;
    int reversedCount = 0;
    // The reported cards' titles, one a line, as the report names them.
    QString cardNames;
    QString note;
};

// What went wrong with the journal file, for the one message a run shows about it.
enum class JournalProblem {
    None,
    // The folder cannot be made or written: nothing can be kept.
    FolderUnusable,
    // The file was no journal (garbage, truncated, a folder, a FIFO): it was moved aside
    // under a dated name and a new journal started.
    MovedAside,
    // Written by a newer Kesto: open read-only, new readings are not kept.
    Newer,
    // Another program holds the file locked.
    Locked,
    // The disk is full: the reading was not kept.
    DiskFull,
    // Any other failure to read or write.
    Failed,
};

// The journal of kept readings: an SQLite file readable by the user alone. Every write is
// one transaction, so a program killed in the middle of a save leaves all or nothing of
// that reading. A file that cannot be read is never deleted or overwritten: it is moved
// aside under a dated name and a new journal is started in its place.
class JournalStore
{
public:
    // The schema this build writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;
    static QString fileName() { return QStringLiteral("journal.sqlite"); }

    explicit JournalStore(const QString &folder);
    ~JournalStore();
    JournalStore(const JournalStore &) = delete;
    JournalStore &operator=(const JournalStore &) = delete;

    QString folder() const { return m_folder; }
    QString path() const;
    // Opens (or creates, or migrates) the journal; true when it can at least be read.
    bool open();
    bool isOpen() const { return m_open; }
    bool isReadOnly() const { return m_readOnly; }

    // Keeps a reading as one transaction; gives its id, or nothing when it was not kept.
    std::optional<qint64> add(const JournalReading &reading);
    // Every reading, newest first, as the list shows it.
    QList<JournalSummary> list();
    std::optional<JournalReading> reading(qint64 id);
    bool setNote(qint64 id, const QString &note);
    bool remove(qint64 id);

    // The last failure and the user's message for it (empty when there is none). A moved
    // journal's message names the file it was moved to.
    JournalProblem problem() const { return m_problem; }
    QString problemMessage() const { return m_problemMessage; }
    void clearProblem() { setProblem(JournalProblem::None, QString()); }
    // Where the unreadable journal was moved, if it was.
    QString movedAsidePath() const { return m_movedAside; }

    // The connection, for tests that need to make the engine fail (a full disk).
    QSqlDatabase database() const { return m_db; }

private:
    bool openConnection(bool readOnly);
    void closeConnection();
    // Moves the file (and a rollback journal beside it) aside under a dated name.
    bool moveAside();
    bool migrate(int fromVersion);
    // Sets problem and message from an engine error; true when the file itself is damaged.
    bool noteError(const class QSqlError &error);
    void setProblem(JournalProblem problem, const QString &message);

    QString m_folder;
    QString m_connection;
    QSqlDatabase m_db;
    bool m_open = false;
    bool m_readOnly = false;
    JournalProblem m_problem = JournalProblem::None;
    QString m_problemMessage;
    QString m_movedAside;
};

// The cards as the journal stores them: "" for an empty list, ids joined by commas, and a
// null value (SQL NULL) for an array without bounds.
QVariant EncodeCardArray(const CardArray &cards);
// The reverse; a text that is not a list of ids reads as an array without bounds.
CardArray DecodeCardArray(const QVariant &stored);

} // namespace kesto

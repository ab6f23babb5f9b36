#include "core/dictionary/dictmerge.h"

#include "core/dictionary/dictdb.h"

#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>
#include <optional>

namespace kesto {

QString NothingToUpdateMessage() { return QStringLiteral("There is nothing to Update"); }

QString WrongFileMessage() { return QStringLiteral("This is the wrong file! Lookup online help"); }

QString UpdatedMessage()
{
    return QStringLiteral("Tarot Dictionary Successfully Updated") + QChar(u'\r')
        + QStringLiteral("Please restart dictionary ");
}

namespace {

struct Entry
{
    QString key;
    QString link;
};

// The chosen file's rows up to (not including) the first foreign one.
struct ChosenRows
{
    bool readable = false;
    QString refusal; // why the file was not read to its end within the limits

    qsizetype rowCount = 0; // rows read, the foreign one included
    bool foreignRow = false;
    QList<Entry> entries; // rows with a keyword and an address, in read order
    qsizetype withoutEntry = 0;
};

// True when the file's "tarot" is a stored table: a view (or a virtual table) can yield rows
// without end and is never read.
bool tarotIsTable(DictionaryConnection &connection)
{
    QSqlQuery schema(connection.database());
    schema.setForwardOnly(true);
    if (!schema.exec(QStringLiteral("select type, sql from sqlite_master where name = 'tarot' "
                                    "collate nocase and type in ('table', 'view')"))
        || !schema.next())
        return true; // no such table: the read of the rows says so
    return schema.value(0).toString() == QLatin1String("table")
        && !schema.value(1).toString().simplified().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive);
}

ChosenRows readChosenFile(const QString &path, const MergeLimits &limits)
{
    ChosenRows chosen;
    DictionaryConnection connection = OpenDictionaryConnection(path, DictionaryAccess::ReadOnly);
    if (connection.isOpen() && !tarotIsTable(connection)) {
        chosen.refusal = QStringLiteral("The update file's tarot is not a table of entries.");
        return chosen;
    }
    DictionaryCursor rows = OpenDictionaryRecordset(connection, UpdateQueryText());
    if (!rows.isValid())
        return chosen;
    const QString tarot = TarotDictionaryName();
    qsizetype totalBytes = 0;
    while (rows.next()) {
        if (chosen.rowCount == limits.rows) {
            chosen.refusal = QStringLiteral("The update file has more than %L1 entries.").arg(limits.rows);
            return chosen;
        }
        ++chosen.rowCount;
        // A table without all three columns holds no row of a tarot dictionary.
        if (!rows.hasKey() || !rows.hasLink() || !rows.hasNames() || rows.names() != tarot) {
            chosen.foreignRow = true;
            break;
        }
        Entry entry{rows.key(), rows.link()};
        const qsizetype keyBytes = entry.key.size() * qsizetype(sizeof(QChar));
        const qsizetype linkBytes = entry.link.size() * qsizetype(sizeof(QChar));
        if (keyBytes > limits.bytesPerText || linkBytes > limits.bytesPerText) {
            chosen.refusal = QStringLiteral("The update file has an entry longer than %L1 characters.")
                                 .arg(limits.bytesPerText / qsizetype(sizeof(QChar)));
            return chosen;
        }
        totalBytes += keyBytes + linkBytes;
        if (totalBytes > limits.totalBytes) {
            chosen.refusal = QStringLiteral("The update file's entries are larger than %L1 MB in all.")
                                 .arg(limits.totalBytes / (1024 * 1024));
            return chosen;
        }
        if (entry.key.isEmpty() || entry.link.isEmpty())
            ++chosen.withoutEntry;
        else
            chosen.entries.append(std::move(entry));
    }
    chosen.readable = !rows.failed();
    return chosen;
}

QString notChangedMessage(const QString &reason)
{
    return QStringLiteral("The Tarot Dictionary was not changed.") + QChar(u'\r') + reason;
}

// Plain words for why the installed file could not be written, from SQLite's result code.
QString writeFailureReason(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    if (known) {
        switch (code) {
        case 3: // SQLITE_PERM
        case 8: // SQLITE_READONLY
        case 23: // SQLITE_AUTH
            return QStringLiteral("The dictionary file is read-only.");
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return QStringLiteral("The dictionary file is in use by another program.");
        case 13: // SQLITE_FULL
            return QStringLiteral("The disk is full.");
        case 10: // SQLITE_IOERR
            return QStringLiteral("The disk could not be written to.");
        case 14: // SQLITE_CANTOPEN
            return QStringLiteral("The dictionary file could not be opened for writing.");
        case 11: // SQLITE_CORRUPT
        case 26: // SQLITE_NOTADB
            return QStringLiteral("The installed dictionary is damaged.");
        default:
            break;
        }
    }
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return QStringLiteral("A new entry could not be saved: ") + detail;
}

MergeReport notChanged(const QString &reason)
{
    MergeReport report;
    report.outcome = MergeOutcome::NotChanged;
    report.message = notChangedMessage(reason);
    report.icon = MessageIcon::Error;
    return report;
}

// One write transaction on the installed dictionary; rolled back unless committed.
class WriteTransaction
{
public:
    explicit WriteTransaction(DictionaryConnection &connection) : m_connection(connection) {}
    ~WriteTransaction()
    {
        if (m_open)
            QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    // Takes the write lock at once, so that the known addresses cannot change between
    // reading them and adding to them.
    QSqlError begin()
    {
        QSqlQuery begin(m_connection.database());
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return begin.lastError();
        m_open = true;
        return QSqlError();
    }
    QSqlError commit()
    {
        QSqlQuery commit(m_connection.database());
        if (!commit.exec(QStringLiteral("COMMIT")))
            return commit.lastError();
        m_open = false;
        return QSqlError();
    }

private:
    DictionaryConnection &m_connection;
    bool m_open = false;
};

// Adds the chosen file's new entries to the installed file in one transaction and gives the
// number added, or the reason why none was. Every statement, the transaction and the
// connection are gone by the time it returns: a failed write has been rolled back and the
// file closed.
std::optional<QString> addEntries(const QString &installedFile, const ChosenRows &chosen, const MergeOptions &options,
                                  qsizetype &added)
{
    DictionaryConnection connection
        = OpenDictionaryConnection(installedFile, DictionaryAccess::ReadWrite, options.busyTimeoutMs);
    if (!connection.isOpen())
        return writeFailureReason(connection.openError());
    WriteTransaction transaction(connection);
    if (const QSqlError error = transaction.begin(); error.isValid())
        return writeFailureReason(error);

    // Every address the installed dictionary knows, read inside the transaction.
    QSet<QString> known;
    {
        DictionaryCursor installed = OpenDictionaryRecordset(connection, UpdateQueryText());
        if (!installed.isValid() || !installed.hasKey() || !installed.hasLink() || !installed.hasNames())
            return QStringLiteral("The installed dictionary is damaged.");
        while (installed.next())
            known.insert(installed.link());
        if (installed.failed())
            return writeFailureReason(installed.error());
    }

    QSqlQuery insert(connection.database());
    if (!insert.prepare(QStringLiteral("INSERT INTO tarot (\"Names\", \"Key\", \"Link\") VALUES (?, ?, ?)")))
        return writeFailureReason(insert.lastError());
    const QString tarot = TarotDictionaryName();
    qsizetype written = 0;
    for (const Entry &entry : chosen.entries) {
        if (known.contains(entry.link))
            continue;
        insert.bindValue(0, tarot);
        insert.bindValue(1, entry.key);
        insert.bindValue(2, entry.link);
        if (!insert.exec())
            return writeFailureReason(insert.lastError());
        known.insert(entry.link);
        ++written;
        if (options.progress && written % 1024 == 0)
            options.progress(written);
    }
    insert.finish();
    // Committed before any wrong-file message: the rows before a foreign row stay.
    if (const QSqlError error = transaction.commit(); error.isValid())
        return writeFailureReason(error);
    added = written;
    return std::nullopt;
}

// When a write fails because the disk is full or cannot be written, the database engine
// cannot roll the transaction back in place: the file keeps the pages written so far, grown,
// with its journal beside it, until the next opening of the file rolls it back. That opening
// is made at once, so that the file is exactly as it was before the failure is reported.
void restoreAfterFailedWrite(const QString &installedFile, int busyTimeoutMs)
{
    if (!QFileInfo::exists(installedFile + QStringLiteral("-journal"))
        && !QFileInfo::exists(installedFile + QStringLiteral("-wal")))
        return;
    DictionaryConnection connection
        = OpenDictionaryConnection(installedFile, DictionaryAccess::ReadWrite, busyTimeoutMs);
    if (connection.isOpen())
        QSqlQuery(connection.database()).exec(QStringLiteral("select count(*) from sqlite_master"));
}

} // namespace

MergeReport MergeDictionary(const QString &chosenFile, const QString &installedFile, const MergeOptions &options)
{
    MergeReport report;
    if (chosenFile.isEmpty())
        return report;

    // The chosen file is read completely and released before the installed one is
    // opened for writing, so the two may be the same file.
    const ChosenRows chosen = readChosenFile(chosenFile, options.limits);
    if (!chosen.refusal.isEmpty()) {
        report = notChanged(chosen.refusal);
        report.outcome = MergeOutcome::Refused;
        return report;
    }
    if (!chosen.readable || chosen.rowCount == 0) {
        report.outcome = MergeOutcome::NothingToUpdate;
        report.message = NothingToUpdateMessage();
        return report;
    }
    report.rowsWithoutEntry = chosen.withoutEntry;

    if (!chosen.entries.isEmpty()) {
        if (!QFileInfo::exists(installedFile))
            return notChanged(QStringLiteral("The installed dictionary file is missing."));
        qsizetype added = 0;
        if (const std::optional<QString> reason = addEntries(installedFile, chosen, options, added)) {
            restoreAfterFailedWrite(installedFile, options.busyTimeoutMs);
            return notChanged(*reason);
        }
        report.rowsAdded = added;
    }

    if (chosen.foreignRow) {
        report.outcome = MergeOutcome::WrongFile;
        report.message = WrongFileMessage();
    } else {
        report.outcome = MergeOutcome::Updated;
        report.message = UpdatedMessage();
    }
    return report;
}

} // namespace kesto

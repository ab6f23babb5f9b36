#include "core/dictionary/dictdb.h"
#include "core/platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <QUrl>
#include <QVariant>
#include <atomic>

namespace kesto {

QString InstalledDictionaryPath(const QString &programFolder) { return programFolder + QStringLiteral("/tarot.dll"); }

void RemoveSideFiles(const QString &path)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

void RemoveDatabaseFiles(const QString &path)
{
    QFile::remove(path);
    RemoveSideFiles(path);
}

bool PassesQuickCheck(const QString &path)
{
    DictionaryConnection connection = OpenDictionaryConnection(path, DictionaryAccess::ReadOnly);
    if (!connection.isOpen())
        return false;
    QSqlQuery check(connection.database());
    if (!check.exec(QStringLiteral("pragma quick_check")) || !check.next())
        return false;
    // One row "ok" when the file is sound; otherwise one row per problem found.
    const bool sound = check.value(0).toString() == QLatin1String("ok") && !check.next();
    return sound && !check.lastError().isValid();
}

namespace {

QString uniqueConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("kesto-dictionary-") + QString::number(++counter);
}

// An SQLite URI for the file. "mode=ro" and "mode=rw" both leave out the create flag, so
// a missing file is reported instead of being made empty. A file opened read-only is also
// "immutable": the engine then takes no lock and creates nothing beside it (no -wal or -shm
// file for a file in WAL mode), so the file and its folder stay exactly as they are and a
// folder this user cannot write is read all the same.
QString fileUri(const QString &path, DictionaryAccess access)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString mode
        = access == DictionaryAccess::ReadOnly ? QStringLiteral("?mode=ro&immutable=1") : QStringLiteral("?mode=rw");
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded) + mode;
}

// SQLite's primary result code in an error; -1 when it has none.
int primaryCode(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    return known ? code & 0xff : -1;
}

// True when the file's header says the database is in WAL mode (file format versions 2).
bool isWalModeFile(const QString &path)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.startsWith(QByteArrayLiteral("SQLite format 3\0")) && header.at(18) == 2
        && header.at(19) == 2;
}

} // namespace

DictionaryConnection OpenDictionaryConnection(const QString &path, DictionaryAccess access, int busyTimeoutMs)
{
    return DictionaryConnection(path, access, busyTimeoutMs);
}

DictionaryCursor OpenDictionaryRecordset(DictionaryConnection &connection, const QString &queryText)
{
    return DictionaryCursor(connection, queryText);
}

DictionaryConnection::DictionaryConnection(const QString &path, Access access, int busyTimeoutMs)
    : m_name(uniqueConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    if (path.isEmpty()) {
        m_openError = QSqlError(QStringLiteral("No dictionary file given"), QString(), QSqlError::ConnectionError);
        return;
    }
    // Only a regular file is opened: a FIFO or a device would block the open, perhaps for
    // ever, and a folder is no dictionary. Such a path reads as a file that cannot be opened.
    if (!QFileInfo(path).isFile()) {
        m_openError = QSqlError(QStringLiteral("Not a dictionary file"), QString(), QSqlError::ConnectionError,
                                QStringLiteral("14")); // SQLITE_CANTOPEN
        return;
    }
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=") + QString::number(busyTimeoutMs));
    open(path, access);
    if (access != Access::ReadInstalled || !m_db.isOpen())
        return;

    // The engine opens the file itself only at the first read; one small read tells whether
    // it can work beside the file.
    QSqlError probeError;
    {
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")))
            probeError = probe.lastError();
    }
    switch (primaryCode(probeError)) {
    case 8: // SQLITE_READONLY: no shared-memory file for a WAL-mode file, and none can be made
    case 14: // SQLITE_CANTOPEN
        // Only a file in WAL mode: read as it stands, it is the last state written back into
        // it, whole. A file with a journal that could not be rolled back is not read so, since
        // it may hold half of a change.
        if (isWalModeFile(path)) {
            m_db.close();
            open(path, Access::ReadOnly);
        }
        break;
    case 5: // SQLITE_BUSY: another program holds the file locked; reported as an open that failed
    case 6: // SQLITE_LOCKED
        m_db.close();
        m_openError = probeError;
        break;
    default: // read, or damaged: the reads find out
        break;
    }
}

void DictionaryConnection::open(const QString &path, Access access)
{
    m_db.setDatabaseName(fileUri(path, access));
    m_openError = QSqlError();
    if (!m_db.open())
        m_openError = m_db.lastError();
}

DictionaryConnection::~DictionaryConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

DictionaryCursor::DictionaryCursor(DictionaryConnection &connection, const QString &queryText)
    : m_query(connection.database())
{
    if (!connection.isOpen())
        return;
    // Rows are visited once, in order: no client-side copy of the result.
    m_query.setForwardOnly(true);
    if (!m_query.exec(queryText))
        return;
    m_valid = true;
    const QSqlRecord columns = m_query.record();
    m_keyColumn = columns.indexOf(QStringLiteral("Key"));
    m_linkColumn = columns.indexOf(QStringLiteral("Link"));
    m_namesColumn = columns.indexOf(QStringLiteral("Names"));
}

bool DictionaryCursor::next()
{
    if (!m_valid || m_failed)
        return false;
    if (m_query.next())
        return true;
    m_failed = m_query.lastError().isValid();
    return false;
}

QString DictionaryCursor::field(int column) const { return column < 0 ? QString() : m_query.value(column).toString(); }

} // namespace kesto

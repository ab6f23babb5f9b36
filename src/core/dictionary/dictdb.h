#pragma once
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace kesto {

// The dictionary is an SQLite file named "tarot.dll" in the program folder, with the table
// "tarot" and the text columns "Key", "Link" and "Names". Other columns are neither read
// nor written, and rows come in the file's natural order (no ORDER BY).

// Every read of the installed dictionary.
inline QString InstalledQueryText() { return QStringLiteral("Select * from tarot"); }
// Both reads of a dictionary update (the chosen file and the installed file).
inline QString UpdateQueryText() { return QStringLiteral("select * from tarot"); }
// The value of "Names" in every row of a tarot dictionary.
inline QString TarotDictionaryName() { return QStringLiteral("tarot"); }

// <program folder>/tarot.dll
QString InstalledDictionaryPath(const QString &programFolder);

// Removes the files the database engine keeps beside a database file while it writes it:
// <path>-journal, <path>-wal and <path>-shm.
void RemoveSideFiles(const QString &path);
// Removes a database file and its side files.
void RemoveDatabaseFiles(const QString &path);
// True when the file opens as a database and "pragma quick_check" finds nothing wrong.
bool PassesQuickCheck(const QString &path);

class DictionaryConnection;
class DictionaryCursor;

// How a dictionary file is opened.
enum class DictionaryAccess {
    // Never writes, locks or creates anything beside the file; for a file the user chose,
    // which must stay as it is.
    ReadOnly,
    // Reads and writes; for the merge into the installed dictionary. A write-protected file
    // still opens, for reading.
    ReadWrite,
    // Every read of the installed dictionary: read and write, so that a merge cut short by a
    // crash is rolled back by the next action instead of making the file unreadable until
    // then. A file in WAL mode in a folder this user cannot write has no shared-memory file
    // and cannot be given one, so the engine cannot read it that way: it is read as ReadOnly
    // reads it, as the last state written back into the file.
    ReadInstalled,
};

// How long a connection waits for another program's lock before giving up.
constexpr int kDefaultBusyTimeoutMs = 250;

// Opens a connection to one dictionary file, alive for one user action. A missing file is
// never created, and anything but a regular file is never opened: the open fails instead.
DictionaryConnection OpenDictionaryConnection(const QString &path, DictionaryAccess access,
                                              int busyTimeoutMs = kDefaultBusyTimeoutMs);
// Runs a query on the table "tarot" of an open connection; the rows are walked with the
// cursor it gives.
DictionaryCursor OpenDictionaryRecordset(DictionaryConnection &connection, const QString &queryText);

// One connection to one dictionary file (OpenDictionaryConnection). Each gets a unique
// connection name, which is removed again when the object goes.
class DictionaryConnection
{
public:
    using Access = DictionaryAccess;

    ~DictionaryConnection();
    DictionaryConnection(const DictionaryConnection &) = delete;
    DictionaryConnection &operator=(const DictionaryConnection &) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    // Empty when the file opened; otherwise the reason.
    QSqlError openError() const { return m_openError; }
    // The connection for queries; queries must be gone before this object is.
    QSqlDatabase &database() { return m_db; }

private:
    friend DictionaryConnection OpenDictionaryConnection(const QString &, DictionaryAccess, int);
    DictionaryConnection(const QString &path, Access access, int busyTimeoutMs);
    void open(const QString &path, Access access);

    QString m_name;
    QSqlDatabase m_db;
    QSqlError m_openError;
};

// Walks the rows of a query on the table "tarot" (OpenDictionaryRecordset), one row at a
// time, reading the three dictionary columns by name. A column the table lacks reads as
// empty text.
class DictionaryCursor
{
public:
    // True when the query ran (the file is a database and holds the table).
    bool isValid() const { return m_valid; }
    bool hasKey() const { return m_keyColumn >= 0; }
    bool hasLink() const { return m_linkColumn >= 0; }
    bool hasNames() const { return m_namesColumn >= 0; }

    // Moves to the next row; false at the end or when the file cannot be read further
    // (then failed() is true).
    bool next();
    bool failed() const { return m_failed; }
    QSqlError error() const { return m_query.lastError(); }

    // Fields of the current row; NULL reads as an empty text.
    QString key() const { return field(m_keyColumn); }
    QString link() const { return field(m_linkColumn); }
    QString names() const { return field(m_namesColumn); }

private:
    friend DictionaryCursor OpenDictionaryRecordset(DictionaryConnection &, const QString &);
    DictionaryCursor(DictionaryConnection &connection, const QString &queryText);
    QString field(int column) const;

    QSqlQuery m_query;
    bool m_valid = false;
    bool m_failed = false;
    int m_keyColumn = -1;
    int m_linkColumn = -1;
    int m_namesColumn = -1;
};

} // namespace kesto

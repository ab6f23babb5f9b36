#include "core/dictionary/dictdb.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlRecord>
#include <QUrl>
#include <QVariant>
#include <atomic>

namespace kesto {

QString InstalledDictionaryPath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/tarot.dll");
}

namespace {

QString uniqueConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("kesto-dictionary-") + QString::number(++counter);
}

// An SQLite URI for the file. "mode=ro" and "mode=rw" both leave out the create flag, so
// a missing file is reported instead of being made empty.
QString fileUri(const QString &path, DictionaryConnection::Access access)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString mode = access == DictionaryConnection::Access::ReadOnly
        ? QStringLiteral("?mode=ro")
        : QStringLiteral("?mode=rw");
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded) + mode;
}

} // namespace

DictionaryConnection::DictionaryConnection(const QString &path, Access access, int busyTimeoutMs)
    : m_name(uniqueConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    if (path.isEmpty()) {
        m_openError = QSqlError(QStringLiteral("No dictionary file given"), QString(),
                                QSqlError::ConnectionError);
        return;
    }
    m_db.setDatabaseName(fileUri(path, access));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=")
                           + QString::number(busyTimeoutMs));
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

QString DictionaryCursor::field(int column) const
{
    return column < 0 ? QString() : m_query.value(column).toString();
}

} // namespace kesto

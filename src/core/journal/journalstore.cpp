#include "core/journal/journalstore.h"

#include "core/reading/deck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUrl>
#include <atomic>

namespace kesto {

namespace {

constexpr int kBusyTimeoutMs = 250;

// SQLite's primary result codes that matter here.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

int sqliteCode(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    return known ? code : -1;
}

QString uniqueConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("kesto-journal-") + QString::number(++counter);
}

const QFileDevice::Permissions kFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QFileDevice::Permissions kFolderPermissions
    = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The files the engine keeps beside a database while it writes.
const char16_t *const kCompanionSuffixes[] = {u"-journal", u"-wal", u"-shm"};

// The schema of each version, applied in order from the file's version to the current one.
// A new version appends its step; a step never changes once released.
const char *const kMigrations[] = {
    // 0 -> 1
    "CREATE TABLE reading ("
    " id INTEGER PRIMARY KEY,"
    " kept_at TEXT NOT NULL,"
    " name TEXT NOT NULL, country TEXT NOT NULL, question TEXT NOT NULL,"
    " birth_day TEXT NOT NULL, birth_month TEXT NOT NULL, birth_year TEXT NOT NULL, birth_text TEXT NOT NULL,"
    " spread_name TEXT NOT NULL, card_count INTEGER NOT NULL,"
    " minor_only INTEGER NOT NULL, major_only INTEGER NOT NULL, allow_reversed INTEGER NOT NULL,"
    " started_by_autocast INTEGER NOT NULL, started_by_manual INTEGER NOT NULL,"
    " is_manual_pick INTEGER NOT NULL, spread_list_index INTEGER NOT NULL,"
    " drawn_cards TEXT, reversed_cards TEXT,"
    " card_names TEXT NOT NULL, reversed_count INTEGER NOT NULL,"
    " report BLOB NOT NULL,"
    " note TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX reading_kept_at ON reading (kept_at)",
};
// Where each version's steps start in kMigrations, and where the last ends.
const int kMigrationStart[] = {0, 2};

QString utcText(const QDateTime &time) { return time.toUTC().toString(Qt::ISODateWithMs); }

QDateTime fromUtcText(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    time.setTimeSpec(Qt::UTC);
    return time;
}

// A text as a bound value: a null text would be stored as SQL NULL.
QVariant textValue(const QString &text) { return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text); }

QString joinLines(std::initializer_list<QString> lines)
{
    QStringList parts(lines);
    return parts.join(QChar(u'\r'));
}

} // namespace

QVariant EncodeCardArray(const CardArray &cards)
{
    if (!cards)
        return QVariant(QMetaType::fromType<QString>());
    QStringList ids;
    ids.reserve(cards->size());
    for (qint32 id : *cards)
        ids.append(QString::number(id));
    return textValue(ids.join(u','));
}

CardArray DecodeCardArray(const QVariant &stored)
{
    if (stored.isNull())
        return std::nullopt;
    const QString text = stored.toString();
    QList<qint32> ids;
    if (text.isEmpty())
        return ids;
    const QStringList parts = text.split(u',');
    ids.reserve(parts.size());
    for (const QString &part : parts) {
        bool ok = false;
        const qint32 id = part.toInt(&ok);
        if (!ok)
            return std::nullopt;
        ids.append(id);
    }
    return ids;
}

JournalReading JournalReading::fromCurrent(const CurrentReading &reading, const QByteArray &report)
{
    JournalReading kept;
    kept.keptAt = QDateTime::currentDateTimeUtc();
    kept.strName = reading.strName;
    kept.strCountry = reading.strCountry;
    kept.strQ = reading.strQ;
    kept.strDate = reading.strDate;
    kept.strMonth = reading.strMonth;
    kept.strYear = reading.strYear;
    kept.strDOB = reading.strDOB;
    kept.spreadName = reading.spreadName;
    kept.cardCount = reading.cardCount;
    kept.minorOnly = reading.minorOnly;
    kept.majorOnly = reading.majorOnly;
    kept.allowReversed = reading.allowReversed;
    kept.startedByAutoCast = reading.startedByAutoCast;
    kept.startedByManual = reading.startedByManual;
    kept.isManualPick = reading.isManualPick;
    kept.spreadListIndex = reading.spreadListIndex;
    kept.drawnCards = reading.drawnCards;
    kept.reversedCards = reading.reversedCards;
    kept.report = report;
    return kept;
}

void JournalReading::restoreInto(CurrentReading &reading) const
{
    reading.strName = strName;
    reading.strCountry = strCountry;
    reading.strQ = strQ;
    reading.strDate = strDate;
    reading.strMonth = strMonth;
    reading.strYear = strYear;
    reading.strDOB = strDOB;
    reading.spreadName = spreadName;
    reading.cardCount = cardCount;
    reading.minorOnly = minorOnly;
    reading.majorOnly = majorOnly;
    reading.allowReversed = allowReversed;
    reading.startedByAutoCast = startedByAutoCast;
    reading.startedByManual = startedByManual;
    reading.isManualPick = isManualPick;
    reading.spreadListIndex = spreadListIndex;
    reading.drawnCards = drawnCards;
    reading.reversedCards = reversedCards;
}

QList<CardId> JournalReading::reportedCards() const
{
    if (!drawnCards)
        return {};
    QList<CardId> cards = *drawnCards;
    if (isManualPick != FlagTrue && !cards.isEmpty())
        cards.removeLast();
    return cards;
}

int JournalReading::reversedCount() const
{
    int count = 0;
    for (CardId card : reportedCards())
        if (IsCatalogueCard(card) && IsInArray(card, reversedCards))
            ++count;
    return count;
}

JournalStore::JournalStore(const QString &folder) : m_folder(folder), m_connection(uniqueConnectionName()) {}

JournalStore::~JournalStore() { closeConnection(); }

QString JournalStore::path() const { return m_folder + QLatin1Char('/') + fileName(); }

void JournalStore::setProblem(JournalProblem problem, const QString &message)
{
    m_problem = problem;
    m_problemMessage = message;
}

bool JournalStore::openConnection(bool readOnly)
{
    closeConnection();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    const QString mode = readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw");
    m_db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path()).absoluteFilePath()).toString(QUrl::FullyEncoded) + mode);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=") + QString::number(kBusyTimeoutMs));
    m_readOnly = readOnly;
    return m_db.open();
}

void JournalStore::closeConnection()
{
    m_open = false;
    if (!m_db.isValid() && !QSqlDatabase::contains(m_connection))
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

bool JournalStore::moveAside()
{
    closeConnection();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path() + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = path() + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QDir().rename(path(), target)) {
        setProblem(JournalProblem::FolderUnusable,
                   joinLines({QStringLiteral("The reading journal %1 could not be read, nor moved aside.").arg(path()),
                              QStringLiteral("It is left as it is, and readings are not kept.")}));
        return false;
    }
    // A rollback journal left beside the old file belongs to it: beside the new file the
    // engine would play it back into that one.
    for (const char16_t *suffix : kCompanionSuffixes) {
        const QString companion = path() + QString::fromUtf16(suffix);
        if (QFileInfo::exists(companion))
            QDir().rename(companion, target + QString::fromUtf16(suffix));
    }
    m_movedAside = target;
    setProblem(
        JournalProblem::MovedAside,
        joinLines(
            {QStringLiteral("The reading journal could not be read."),
             QStringLiteral("It has been kept as %1 and a new journal started.").arg(QFileInfo(target).fileName())}));
    return true;
}

bool JournalStore::noteError(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        setProblem(JournalProblem::Locked,
                   joinLines({QStringLiteral("The reading journal is in use by another program."),
                              QStringLiteral("Readings are shown as usual but are not kept until it is free.")}));
        return false;
    case Full:
        setProblem(JournalProblem::DiskFull,
                   joinLines({QStringLiteral("The disk is full."),
                              QStringLiteral("The reading was not kept in the journal.")}));
        return false;
    case Corrupt:
    case NotADb:
        return true;
    case ReadOnly:
    case CantOpen:
        setProblem(JournalProblem::FolderUnusable,
                   joinLines({QStringLiteral("The reading journal cannot be written in %1.").arg(m_folder),
                              QStringLiteral("Readings are shown as usual but are not kept.")}));
        return false;
    default:
        setProblem(JournalProblem::Failed,
                   joinLines({QStringLiteral("The reading journal could not be written."), error.text()}));
        return false;
    }
}

bool JournalStore::migrate(int fromVersion)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        noteError(query.lastError());
        return false;
    }
    bool ok = true;
    const int first = kMigrationStart[fromVersion];
    const int last = kMigrationStart[kSchemaVersion];
    for (int step = first; ok && step < last; ++step) {
        ok = query.exec(QString::fromLatin1(kMigrations[step]));
    }
    if (ok)
        ok = query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    if (ok)
        ok = query.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        const QSqlError error = query.lastError();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        noteError(error);
    }
    return ok;
}

bool JournalStore::open()
{
    if (m_open)
        return true;
    if (m_folder.isEmpty())
        return false;

    // The folder, readable by the user alone.
    QDir folder(m_folder);
    if (!folder.exists()) {
        const QFileInfo info(m_folder);
        if (!QDir().mkpath(info.absolutePath()) || !QDir().mkdir(m_folder, kFolderPermissions)) {
            setProblem(JournalProblem::FolderUnusable,
                       joinLines({QStringLiteral("The reading journal cannot be kept in %1.").arg(m_folder),
                                  QStringLiteral("Readings are shown as usual but are not kept.")}));
            return false;
        }
    }
    QFile::setPermissions(m_folder, kFolderPermissions);

    // Two tries: the file as it is, then (when it proved unreadable and was moved aside) a
    // new one in its place.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QFileInfo file(path());
        // Only a regular file is handed to the engine: opening a FIFO would block, and a
        // folder is no journal.
        if ((file.exists() || file.isSymLink()) && !file.isFile()) {
            if (!moveAside())
                return false;
            continue;
        }
        if (!file.exists()) {
            QFile create(path());
            if (!create.open(QIODevice::WriteOnly | QIODevice::NewOnly, kFilePermissions)) {
                setProblem(JournalProblem::FolderUnusable,
                           joinLines({QStringLiteral("The reading journal cannot be kept in %1.").arg(m_folder),
                                      QStringLiteral("Readings are shown as usual but are not kept.")}));
                return false;
            }
        }
        QFile::setPermissions(path(), kFilePermissions);

        const bool writable = QFileInfo(m_folder).isWritable() && QFileInfo(path()).isWritable();
        if (!openConnection(!writable)) {
            if (noteError(m_db.lastError()) && moveAside())
                continue;
            closeConnection();
            return false;
        }

        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            if (noteError(query.lastError()) && moveAside())
                continue;
            closeConnection();
            return false;
        }
        const int version = query.value(0).toInt();
        query.finish();

        // The whole file is checked once: a truncated or damaged journal is moved aside now,
        // not found out half-way through a list or a save.
        if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()
            || query.value(0).toString() != QStringLiteral("ok")) {
            const bool damaged = !query.lastError().isValid() || noteError(query.lastError());
            if (damaged && moveAside())
                continue;
            closeConnection();
            return false;
        }
        query.finish();

        if (version > kSchemaVersion) {
            if (!openConnection(true)) {
                noteError(m_db.lastError());
                closeConnection();
                return false;
            }
            setProblem(JournalProblem::Newer,
                       joinLines({QStringLiteral("The reading journal was written by a newer version of Kesto."),
                                  QStringLiteral("It can be read, but new readings are not kept in it.")}));
            m_open = true;
            return true;
        }
        if (!writable) {
            setProblem(JournalProblem::FolderUnusable,
                       joinLines({QStringLiteral("The reading journal cannot be written in %1.").arg(m_folder),
                                  QStringLiteral("It can be read, but new readings are not kept in it.")}));
            if (version < kSchemaVersion) {
                closeConnection();
                return false;
            }
            m_open = true;
            return true;
        }
        if (version < kSchemaVersion && !migrate(version)) {
            closeConnection();
            return false;
        }
        // Write-ahead logging: a save is one append to the log, made whole or not at all, and
        // waits for the disk only at checkpoints. A program killed in the middle of a save
        // loses nothing the journal had; only a power cut may take back the last readings.
        QSqlQuery pragma(m_db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        m_open = true;
        return true;
    }
    return false;
}

std::optional<qint64> JournalStore::add(const JournalReading &reading)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!open())
            return std::nullopt;
        if (m_readOnly)
            return std::nullopt;

        QStringList names;
        for (CardId card : reading.reportedCards())
            if (IsCatalogueCard(card))
                names.append(CardTitle(card, IsInArray(card, reading.reversedCards)));

        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            if (noteError(query.lastError()) && moveAside())
                continue;
            return std::nullopt;
        }
        query.prepare(QStringLiteral(
            "INSERT INTO reading (kept_at, name, country, question, birth_day, birth_month, birth_year, birth_text,"
            " spread_name, card_count, minor_only, major_only, allow_reversed, started_by_autocast,"
            " started_by_manual, is_manual_pick, spread_list_index, drawn_cards, reversed_cards, card_names,"
            " reversed_count, report, note)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const QDateTime keptAt = reading.keptAt.isValid() ? reading.keptAt : QDateTime::currentDateTimeUtc();
        for (const QVariant &value : {QVariant(utcText(keptAt)),
                                      textValue(reading.strName),
                                      textValue(reading.strCountry),
                                      textValue(reading.strQ),
                                      textValue(reading.strDate),
                                      textValue(reading.strMonth),
                                      textValue(reading.strYear),
                                      textValue(reading.strDOB),
                                      textValue(reading.spreadName),
                                      QVariant(reading.cardCount),
                                      QVariant(int(reading.minorOnly)),
                                      QVariant(int(reading.majorOnly)),
                                      QVariant(int(reading.allowReversed)),
                                      QVariant(int(reading.startedByAutoCast)),
                                      QVariant(int(reading.startedByManual)),
                                      QVariant(int(reading.isManualPick)),
                                      QVariant(reading.spreadListIndex),
                                      EncodeCardArray(reading.drawnCards),
                                      EncodeCardArray(reading.reversedCards),
                                      textValue(names.join(u'\n')),
                                      QVariant(reading.reversedCount()),
                                      QVariant(qCompress(reading.report)),
                                      textValue(reading.note)})
            query.addBindValue(value);
        bool ok = query.exec();
        const qint64 id = query.lastInsertId().toLongLong();
        if (ok)
            ok = query.exec(QStringLiteral("COMMIT"));
        if (ok) {
            return id;
        }
        const QSqlError error = query.lastError();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        if (noteError(error) && moveAside())
            continue;
        return std::nullopt;
    }
    return std::nullopt;
}

QList<JournalSummary> JournalStore::list()
{
    QList<JournalSummary> rows;
    if (!open())
        return rows;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, kept_at, name, question, spread_name, reversed_count, card_names, note"
                                   " FROM reading ORDER BY kept_at DESC, id DESC"))) {
        noteError(query.lastError());
        return rows;
    }
    while (query.next()) {
        JournalSummary row;
        row.id = query.value(0).toLongLong();
        row.keptAt = fromUtcText(query.value(1).toString());
        row.name = query.value(2).toString();
        row.question = query.value(3).toString();
        row.spreadName = query.value(4).toString();
        row.reversedCount = query.value(5).toInt();
        row.cardNames = query.value(6).toString();
        row.note = query.value(7).toString();
        rows.append(std::move(row));
    }
    if (query.lastError().isValid())
        noteError(query.lastError());
    return rows;
}

std::optional<JournalReading> JournalStore::reading(qint64 id)
{
    if (!open())
        return std::nullopt;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT id, kept_at, name, country, question, birth_day, birth_month, birth_year, birth_text,"
        " spread_name, card_count, minor_only, major_only, allow_reversed, started_by_autocast,"
        " started_by_manual, is_manual_pick, spread_list_index, drawn_cards, reversed_cards, report, note"
        " FROM reading WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) {
        if (query.lastError().isValid())
            noteError(query.lastError());
        return std::nullopt;
    }
    JournalReading r;
    int c = 0;
    r.id = query.value(c++).toLongLong();
    r.keptAt = fromUtcText(query.value(c++).toString());
    r.strName = query.value(c++).toString();
    r.strCountry = query.value(c++).toString();
    r.strQ = query.value(c++).toString();
    r.strDate = query.value(c++).toString();
    r.strMonth = query.value(c++).toString();
    r.strYear = query.value(c++).toString();
    r.strDOB = query.value(c++).toString();
    r.spreadName = query.value(c++).toString();
    r.cardCount = query.value(c++).toInt();
    r.minorOnly = Flag(query.value(c++).toInt());
    r.majorOnly = Flag(query.value(c++).toInt());
    r.allowReversed = Flag(query.value(c++).toInt());
    r.startedByAutoCast = Flag(query.value(c++).toInt());
    r.startedByManual = Flag(query.value(c++).toInt());
    r.isManualPick = Flag(query.value(c++).toInt());
    r.spreadListIndex = query.value(c++).toInt();
    r.drawnCards = DecodeCardArray(query.value(c++));
    r.reversedCards = DecodeCardArray(query.value(c++));
    r.report = qUncompress(query.value(c++).toByteArray());
    r.note = query.value(c++).toString();
    return r;
}

bool JournalStore::setNote(qint64 id, const QString &note)
{
    if (!open() || m_readOnly)
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE reading SET note = ? WHERE id = ?"));
    query.addBindValue(textValue(note));
    query.addBindValue(id);
    if (!query.exec()) {
        noteError(query.lastError());
        return false;
    }
    return true;
}

bool JournalStore::remove(qint64 id)
{
    if (!open() || m_readOnly)
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM reading WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        noteError(query.lastError());
        return false;
    }
    return query.numRowsAffected() > 0;
}

} // namespace kesto

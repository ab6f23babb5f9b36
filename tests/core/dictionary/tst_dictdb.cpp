#include "testfolder.h"

#include "core/dictionary/dictdb.h"
#include "core/dictionary/dictmerge.h"
#include "core/dictionary/dictsearch.h"
#include "core/dictionary/dictstore.h"
#include "core/reading/deck.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <sys/stat.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TestFolder;

namespace {

// ---- Fixtures: dictionary files written and read back with plain SQL ---------------------

struct Row
{
    QVariant key;
    QVariant link;
    QVariant names = QStringLiteral("tarot");
};

// Runs statements on a file through a connection of its own (creating the file).
void runSql(const QString &path, const QStringList &statements, const QList<Row> &rows = {})
{
    const QString name = QStringLiteral("fixture");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &statement : statements)
            QVERIFY2(q.exec(statement), qPrintable(q.lastError().text()));
        if (!rows.isEmpty()) {
            QVERIFY(db.transaction());
            QVERIFY(q.prepare(QStringLiteral("INSERT INTO tarot (\"Key\", \"Link\", \"Names\") VALUES (?, ?, ?)")));
            for (const Row &row : rows) {
                q.bindValue(0, row.key);
                q.bindValue(1, row.link);
                q.bindValue(2, row.names);
                QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
            }
            QVERIFY(db.commit());
        }
    }
    QSqlDatabase::removeDatabase(name);
}

QString plainTable() { return QStringLiteral("CREATE TABLE tarot (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)"); }

void writeDictionary(const QString &path, const QList<Row> &rows) { runSql(path, {plainTable()}, rows); }

// Key|Link|Names of every row in storage order; NULL shows as "<null>".
QStringList tableRows(const QString &path)
{
    QStringList out;
    const QString name = QStringLiteral("readback");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            return {QStringLiteral("<cannot open>")};
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT \"Key\", \"Link\", \"Names\" FROM tarot ORDER BY rowid")))
            return {QStringLiteral("<cannot read>")};
        auto text = [&q](int i) { return q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString(); };
        while (q.next())
            out.append(text(0) + u'|' + text(1) + u'|' + text(2));
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

QByteArray fileHash(const QString &path)
{
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return QByteArrayLiteral("<not a regular file>"); // opening a FIFO would block
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<missing>");
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QByteArray jpegBytes()
{
    return QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffdb004300080606070605080707")
        + QByteArray(200, '\x11') + QByteArray::fromHex("ffd9");
}

// The installed dictionary used by the search tests, in this storage order.
const QList<Row> &searchRows()
{
    static const QList<Row> rows = {
        {QStringLiteral("Tower"), QStringLiteral("https://t.example/tower")},
        {QStringLiteral("The Tower"), QStringLiteral("https://t.example/the-tower")},
        {QStringLiteral("Wheel Fortune"), QStringLiteral("https://t.example/wheel")},
        {QStringLiteral("Master"), QStringLiteral("https://t.example/master")},
        {QStringLiteral("Ace of Cups"), QStringLiteral("https://t.example/ace-1")},
        {QStringLiteral(""), QStringLiteral("https://t.example/blank")},
        {QStringLiteral("ace of cups"), QStringLiteral("https://t.example/ace-2")},
        {QStringLiteral("Émile"), QStringLiteral("https://t.example/emile")},
    };
    return rows;
}

QStringList searchKeys()
{
    QStringList keys;
    for (const Row &row : searchRows())
        keys.append(row.key.toString());
    return keys;
}

QStringList nonEmptyKeys()
{
    QStringList keys = searchKeys();
    keys.removeAll(QString());
    return keys;
}

// One handler's result as text, so a failing comparison shows every part.
QString describe(const DictionaryAction &a)
{
    QStringList parts;
    parts << (a.keywords ? QStringLiteral("list=[") + a.keywords->join(u',') + u']' : QStringLiteral("list unchanged"));
    parts << (a.keyText ? QStringLiteral("text=") + *a.keyText : QStringLiteral("text unchanged"));
    parts << (a.dictionaryLink ? QStringLiteral("link=") + *a.dictionaryLink : QStringLiteral("link unchanged"));
    parts << QStringLiteral("message=") + QString::number(int(a.message));
    parts << QStringLiteral("browser=") + QString::number(int(a.browser)) + u' ' + a.address;
    return parts.join(QStringLiteral("; "));
}

enum class Handler { Enter, Search, Display, DoubleClick, TextChanged };

DictionaryAction run(Handler handler, const DictionaryPanel &panel)
{
    switch (handler) {
    case Handler::Enter:
        return EnterPressed(panel);
    case Handler::Search:
        return SearchClicked(panel);
    case Handler::Display:
        return DisplayClicked(panel);
    case Handler::DoubleClick:
        return KeywordDoubleClicked(panel);
    case Handler::TextChanged:
        return KeyTextChanged(panel);
    }
    return {};
}

DictionaryAction expect(std::optional<QStringList> keywords, DictMessage message,
                        BrowserStep browser = BrowserStep::None, const QString &address = {},
                        std::optional<QString> link = std::nullopt, std::optional<QString> text = std::nullopt)
{
    DictionaryAction a;
    a.keywords = std::move(keywords);
    a.message = message;
    a.browser = browser;
    a.address = address;
    a.dictionaryLink = std::move(link);
    a.keyText = std::move(text);
    return a;
}

QStringList newRows(const QString &path, const QStringList &before) { return tableRows(path).mid(before.size()); }

} // namespace

Q_DECLARE_METATYPE(Handler)
Q_DECLARE_METATYPE(SearchKind)
Q_DECLARE_METATYPE(DictionaryAction)
Q_DECLARE_METATYPE(MergeOutcome)
Q_DECLARE_METATYPE(MergeLimits)

class tst_DictDb : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsTheDictionaryColumnsInFileOrder();
    void matching_data();
    void matching();
    void actions_data();
    void actions();
    void searchWithEmptyDictionaryKeepsTheList();
    void lockedDictionaryIsInUse_data();
    void lockedDictionaryIsInUse();
    void unusableInstalledFile_data();
    void unusableInstalledFile();
    void walModeDictionary_data();
    void walModeDictionary();
    void merge_data();
    void merge();
    void mergeIntoItself();
    void unusableChosenFile_data();
    void unusableChosenFile();
    void failedSaveChangesNothing_data();
    void failedSaveChangesNothing();
    void mergeOfAnySize();
    void killedMergeKeepsAllOrNone_data();
    void killedMergeKeepsAllOrNone();
    void fullDiskLeavesTheFileAsItWas();
    void mergeReadsWithinLimits_data();
    void mergeReadsWithinLimits();
    void chosenFileStaysAsItWas();
    void userCopyIgnoresEarlierAttempts();
    void userCopyThatFailsItsCheckIsNotSaved();
    void shippedDictionary();
};

void tst_DictDb::readsTheDictionaryColumnsInFileOrder()
{
    // Columns in another order, one extra column, keys not sorted.
    TestFolder folder;
    const QString path = InstalledDictionaryPath(folder.path());
    runSql(path,
           {QStringLiteral("CREATE TABLE tarot (Id INTEGER, \"Link\" TEXT, Notes TEXT, "
                           "\"Names\" TEXT, \"Key\" TEXT)"),
            QStringLiteral("INSERT INTO tarot VALUES (1, 'https://x/z', 'n', 'tarot', 'Zodiac')"),
            QStringLiteral("INSERT INTO tarot VALUES (2, 'https://x/a', 'n', 'tarot', 'Arcana')"),
            QStringLiteral("INSERT INTO tarot VALUES (3, 'https://x/m', 'n', 'tarot', 'Moon')")});
    QCOMPARE(ReadKeywordList(folder.path()),
             (QStringList{QStringLiteral("Zodiac"), QStringLiteral("Arcana"), QStringLiteral("Moon")}));
    QCOMPARE(FindLinkOfKey(folder.path(), QStringLiteral("arcana")).value_or(QString()), QStringLiteral("https://x/a"));
    // Every action's connection is gone when the action ends.
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
}

void tst_DictDb::matching_data()
{
    QTest::addColumn<SearchKind>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    const auto exact = SearchKind::Exact;
    const auto wild = SearchKind::WildCard;
    QTest::newRow("prefix ignores case") << exact << u"Tower"_s << u"TOWER"_s << true;
    QTest::newRow("prefix is not a substring") << exact << u"The Tower"_s << u"TOWER"_s << false;
    QTest::newRow("prefix text is trimmed") << exact << u"The Tower"_s << u"  the tow "_s << true;
    QTest::newRow("key shorter than prefix") << exact << u"Sun"_s << u"sunday"_s << false;
    QTest::newRow("empty prefix matches empty key") << exact << u""_s << u"   "_s << true;
    QTest::newRow("prefix non-ASCII") << exact << u"Émile"_s << u"ÉMI"_s << true;
    QTest::newRow("wildcard substring") << wild << u"The Tower"_s << u"TOWER"_s << true;
    QTest::newRow("asterisks are only removed") << wild << u"Master"_s << u"t*er"_s << true;
    QTest::newRow("asterisks are no glob") << wild << u"Tower"_s << u"t*er"_s << false;
    QTest::newRow("wildcard text is not trimmed") << wild << u"Tower"_s << u" tower"_s << false;
    QTest::newRow("wildcard keeps inner blank") << wild << u"The Tower"_s << u" tower"_s << true;
    QTest::newRow("only asterisks match any key") << wild << u"Ace"_s << u"***"_s << true;
    QTest::newRow("empty key never wildcard-matches") << wild << u""_s << u"***"_s << false;
}

void tst_DictDb::matching()
{
    QFETCH(SearchKind, kind);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    if (kind == SearchKind::Exact)
        QCOMPARE(PrefixMatches(key, PrefixPattern(text)), matches);
    else
        QCOMPARE(WildcardMatches(key, WildcardPattern(text)), matches);
}

void tst_DictDb::actions_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<SearchKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QString>("selected"); // "" = no row selected
    QTest::addColumn<DictionaryAction>("expected");

    using H = Handler;
    using K = SearchKind;
    using M = DictMessage;
    using B = BrowserStep;
    const auto none = std::nullopt;
    const QStringList tower{u"Tower"_s};
    const QStringList towers{u"Tower"_s, u"The Tower"_s};

    // Blanks: Enter takes them as a search for everything, Search as an empty box.
    QTest::newRow("enter blanks lists every key")
        << H::Enter << K::Exact << u"  "_s << 3 << u""_s << expect(searchKeys(), M::None, B::ShowDictionary);
    QTest::newRow("search blanks asks for a term")
        << H::Search << K::Exact << u"  "_s << 3 << u""_s << expect(none, M::EmptySearch);
    QTest::newRow("enter *** lists every non-empty key")
        << H::Enter << K::WildCard << u"***"_s << 3 << u""_s
        << expect(nonEmptyKeys(), M::None, B::ShowDictionary, {}, u""_s);
    QTest::newRow("search *** navigates to the text") << H::Search << K::WildCard << u"***"_s << 3 << u""_s
                                                      << expect(nonEmptyKeys(), M::None, B::Navigate, u"***"_s, u""_s);
    QTest::newRow("wildcard blanks are searched for") << H::Search << K::WildCard << u" *** "_s << 3 << u""_s
                                                      << expect(QStringList(), M::NotFound, B::None, {}, u"  "_s);

    QTest::newRow("enter TOWER prefix") << H::Enter << K::Exact << u"TOWER"_s << 0 << u""_s
                                        << expect(tower, M::None, B::ShowDictionary);
    QTest::newRow("enter TOWER wildcard") << H::Enter << K::WildCard << u"TOWER"_s << 0 << u""_s
                                          << expect(towers, M::None, B::ShowDictionary, {}, u"tower"_s);
    QTest::newRow("search TOWER prefix") << H::Search << K::Exact << u" TOWER "_s << 0 << u""_s
                                         << expect(tower, M::None, B::Navigate, u"TOWER"_s);
    QTest::newRow("search TOWER wildcard") << H::Search << K::WildCard << u"TOWER"_s << 0 << u""_s
                                           << expect(towers, M::None, B::Navigate, u"TOWER"_s, u"tower"_s);

    QTest::newRow("enter not found prefix")
        << H::Enter << K::Exact << u"zzz"_s << 5 << u""_s << expect(QStringList(), M::NotFound);
    QTest::newRow("enter not found wildcard") << H::Enter << K::WildCard << u"z*z"_s << 5 << u""_s
                                              << expect(QStringList(), M::NotFound, B::None, {}, u"zz"_s);
    QTest::newRow("search not found clears the list")
        << H::Search << K::Exact << u"zzz"_s << 5 << u""_s << expect(QStringList(), M::NotFound);

    // An empty box.
    QTest::newRow("enter empty refills and asks")
        << H::Enter << K::Exact << u""_s << 1 << u""_s << expect(searchKeys(), M::EmptySearch);
    QTest::newRow("search empty leaves the list")
        << H::Search << K::WildCard << u""_s << 1 << u""_s << expect(none, M::EmptySearch);
    QTest::newRow("display empty refills and asks")
        << H::Display << K::Exact << u""_s << 1 << u"Tower"_s << expect(searchKeys(), M::EmptySearch);
    QTest::newRow("google enter empty searches the web")
        << H::Enter << K::Google << u""_s << 1 << u""_s << expect(none, M::None, B::OpenWebSearch);
    QTest::newRow("google display empty searches the web")
        << H::Display << K::Google << u""_s << 1 << u""_s << expect(none, M::None, B::OpenWebSearch);
    QTest::newRow("google search empty asks")
        << H::Search << K::Google << u""_s << 1 << u""_s << expect(none, M::EmptySearch);
    QTest::newRow("google search") << H::Search << K::Google << u"tower"_s << 1 << u""_s
                                   << expect(none, M::None, B::OpenWebSearch);

    // Opening an entry.
    QTest::newRow("display selected row") << H::Display << K::Exact << u"tow"_s << 2 << u"The Tower"_s
                                          << expect(none, M::None, B::NavigateAndShow, u"https://t.example/the-tower"_s,
                                                    u"https://t.example/the-tower"_s, u"The Tower"_s);
    QTest::newRow("display takes the first equal key")
        << H::Display << K::Exact << u" ACE OF CUPS"_s << 2 << u""_s
        << expect(none, M::None, B::NavigateAndShow, u"https://t.example/ace-1"_s, u"https://t.example/ace-1"_s);
    QTest::newRow("display without equal key opens the lowered text")
        << H::Display << K::WildCard << u"Wheel "_s << 1 << u""_s
        << expect(none, M::None, B::NavigateAndShow, u"wheel"_s, u"wheel"_s);
    QTest::newRow("double-click without equal key keeps the case")
        << H::DoubleClick << K::Exact << u"Wheel "_s << 1 << u""_s
        << expect(none, M::None, B::NavigateAndShow, u"Wheel"_s, u"Wheel"_s);
    QTest::newRow("double-click row") << H::DoubleClick << K::Google << u"x"_s << 3 << u"Master"_s
                                      << expect(none, M::None, B::NavigateAndShow, u"https://t.example/master"_s,
                                                u"https://t.example/master"_s, u"Master"_s);
    QTest::newRow("display on an empty list") << H::Display << K::Exact << u"Tower"_s << 0 << u""_s
                                              << expect(none, M::NotFound, B::None, {}, u"https://t.example/tower"_s);
    QTest::newRow("double-click on an empty list")
        << H::DoubleClick << K::Exact << u""_s << 0 << u""_s
        << expect(none, M::NotFound, B::None, {}, u"https://t.example/blank"_s);

    QTest::newRow("blank box restores the list")
        << H::TextChanged << K::Exact << u"   "_s << 1 << u""_s << expect(searchKeys(), M::None);
    QTest::newRow("typing leaves the list")
        << H::TextChanged << K::Exact << u"t"_s << 1 << u""_s << expect(none, M::None);
}

void tst_DictDb::actions()
{
    QFETCH(Handler, handler);
    QFETCH(SearchKind, kind);
    QFETCH(QString, text);
    QFETCH(int, listed);
    QFETCH(QString, selected);
    QFETCH(DictionaryAction, expected);

    TestFolder folder;
    writeDictionary(InstalledDictionaryPath(folder.path()), searchRows());
    DictionaryPanel panel;
    panel.programFolder = folder.path();
    panel.kind = kind;
    panel.keyText = text;
    panel.listedRows = listed;
    if (!selected.isEmpty())
        panel.selectedRow = selected;
    QCOMPARE(describe(run(handler, panel)), describe(expected));
}

void tst_DictDb::searchWithEmptyDictionaryKeepsTheList()
{
    TestFolder folder;
    writeDictionary(InstalledDictionaryPath(folder.path()), {});
    DictionaryPanel panel{folder.path(), SearchKind::Exact, u"Tower"_s, 4, std::nullopt};
    QCOMPARE(describe(SearchClicked(panel)),
             describe(expect(std::nullopt, DictMessage::None, BrowserStep::Navigate, u"Tower"_s)));
    panel.listedRows = 0;
    QCOMPARE(describe(SearchClicked(panel)), describe(expect(std::nullopt, DictMessage::NotFound)));
}

void tst_DictDb::lockedDictionaryIsInUse_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<SearchKind>("kind");
    QTest::addColumn<QString>("text");

    using H = Handler;
    using K = SearchKind;
    QTest::newRow("Enter, exact") << H::Enter << K::Exact << u"tower"_s;
    QTest::newRow("Enter, wildcard") << H::Enter << K::WildCard << u"tow*"_s;
    QTest::newRow("Enter in an empty box") << H::Enter << K::Exact << u""_s;
    QTest::newRow("Search, exact") << H::Search << K::Exact << u"tower"_s;
    QTest::newRow("Search, wildcard") << H::Search << K::WildCard << u"tow*"_s;
    QTest::newRow("Display") << H::Display << K::Exact << u"Tower"_s;
    QTest::newRow("double-click") << H::DoubleClick << K::Exact << u"Tower"_s;
    QTest::newRow("box emptied") << H::TextChanged << K::Exact << u" "_s;
}

// Another program holds the dictionary locked: every action says so at once and leaves the
// list, the search text and the browsers as they were.
void tst_DictDb::lockedDictionaryIsInUse()
{
    QFETCH(Handler, handler);
    QFETCH(SearchKind, kind);
    QFETCH(QString, text);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    writeDictionary(installed, searchRows());
    const QByteArray before = fileHash(installed);
    DictionaryAction action;
    QElapsedTimer timer;
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s);
        locker.setDatabaseName(installed);
        QVERIFY(locker.open());
        QSqlQuery lock(locker);
        QVERIFY(lock.exec(u"BEGIN EXCLUSIVE"_s));
        DictionaryPanel panel{folder.path(), kind, text, 8, std::nullopt};
        if (handler == Handler::DoubleClick)
            panel.selectedRow = text;
        timer.start();
        action = run(handler, panel);
        QVERIFY(lock.exec(u"ROLLBACK"_s));
    }
    QSqlDatabase::removeDatabase(u"locker"_s);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(describe(action), describe(expect(std::nullopt, DictMessage::InUse)));
    QCOMPARE(fileHash(installed), before);
}

void tst_DictDb::unusableInstalledFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "<missing>": no file at all
    QTest::addColumn<QStringList>("sql"); // run on the file after the bytes are written

    QTest::newRow("missing") << QByteArray("<missing>") << QStringList();
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("text file") << QByteArray("Key,Link,Names\nTower,https://x,tarot\n") << QStringList();
    QTest::newRow("picture") << jpegBytes() << QStringList();
    QTest::newRow("database without the table") << QByteArray()
                                                << QStringList{u"CREATE TABLE other (\"Key\" TEXT, \"Link\" TEXT)"_s,
                                                               u"INSERT INTO other VALUES ('Tower', 'https://x')"_s};
    QTest::newRow("table without Key") << QByteArray()
                                       << QStringList{u"CREATE TABLE tarot (\"Link\" TEXT, \"Names\" TEXT)"_s,
                                                      u"INSERT INTO tarot VALUES ('https://x', 'tarot')"_s};
    // A valid header followed by garbage: SQLite finds the damage on the first read.
    QByteArray damaged("SQLite format 3");
    damaged.append('\0').append(QByteArray(4096, '\x7f'));
    QTest::newRow("damaged database") << damaged << QStringList();
}

void tst_DictDb::unusableInstalledFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, sql);
    TestFolder folder;
    const QString path = InstalledDictionaryPath(folder.path());
    if (bytes != "<missing>")
        folder.writeFile(u"tarot.dll"_s, bytes);
    if (!sql.isEmpty())
        runSql(path, sql);
    const QByteArray before = fileHash(path);

    // The list stays empty, searches answer "not found", nothing is written or created.
    QCOMPARE(ReadKeywordList(folder.path()), QStringList());
    DictionaryPanel panel{folder.path(), SearchKind::Exact, u"Tower"_s, 0, std::nullopt};
    QCOMPARE(EnterPressed(panel).message, DictMessage::NotFound);
    QCOMPARE(SearchClicked(panel).message, DictMessage::NotFound);
    panel.kind = SearchKind::WildCard;
    QCOMPARE(SearchClicked(panel).message, DictMessage::NotFound);
    const DictionaryAction display = DisplayClicked(panel);
    QCOMPARE(display.message, DictMessage::NotFound);
    QCOMPARE(display.dictionaryLink.value_or(QString()), u"tower"_s);
    QCOMPARE(fileHash(path), before);
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
}

void tst_DictDb::walModeDictionary_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::newRow("in a folder this user can write") << true;
    QTest::newRow("in a folder this user cannot write") << false;
}

// A dictionary in WAL mode is read wherever it lies. In a folder this user cannot write,
// the database engine can make no shared-memory file beside it.
void tst_DictDb::walModeDictionary()
{
    QFETCH(bool, folderWritable);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    writeDictionary(installed, searchRows());
    runSql(installed, {u"PRAGMA journal_mode=WAL"_s});
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"tarot.dll"_s});
    const QByteArray before = fileHash(installed);
    const QFile::Permissions open = QFile::permissions(folder.path());
    if (!folderWritable) {
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        // A user who may write anywhere (root) is kept from making the file another way.
        if (QFileInfo(folder.path()).isWritable())
            QVERIFY(QFile::link(folder.filePath(u"nowhere/shm"_s), installed + u"-shm"_s));
    }

    const QStringList keys = ReadKeywordList(folder.path());
    const std::optional<QString> link = FindLinkOfKey(folder.path(), u"master"_s);
    DictionaryPanel panel{folder.path(), SearchKind::WildCard, u"ace*"_s, 8, std::nullopt};
    const DictionaryAction search = SearchClicked(panel);

    // An update goes to the user's own copy when the folder cannot be written.
    TestFolder user;
    TestFolder updates;
    const QString update = updates.filePath(u"update.dll"_s);
    writeDictionary(update, {{u"Star"_s, u"https://x/star"_s}});
    DictionaryStore store;
    store.setUserFolder(user.path());
    if (!folderWritable)
        store.setWriteCheck([](const QString &) { return false; });
    const MergeReport report = store.merge(folder.path(), update);
    const QStringList updated = ReadKeywordList(store.dictionaryFolder(folder.path()));
    QFile::setPermissions(folder.path(), open);
    QFile::remove(installed + u"-shm"_s);

    QCOMPARE(keys, searchKeys());
    QCOMPARE(link, std::optional<QString>(u"https://t.example/master"_s));
    QCOMPARE(search.keywords.value_or(QStringList()), (QStringList{u"Ace of Cups"_s, u"ace of cups"_s}));
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(updated, searchKeys() + QStringList{u"Star"_s});
    if (!folderWritable)
        QCOMPARE(fileHash(installed), before);
}

void tst_DictDb::merge_data()
{
    QTest::addColumn<QList<Row>>("chosen");
    QTest::addColumn<MergeOutcome>("outcome");
    QTest::addColumn<QStringList>("added"); // rows appended to the installed dictionary

    // The installed dictionary holds: Tower -> https://x/tower.
    const QString tower = u"https://x/tower"_s;
    const QString longKey(10000, u'k');
    QTest::newRow("known link under another key is not added")
        << QList<Row>{{u"Maison Dieu"_s, tower}} << MergeOutcome::Updated << QStringList();
    QTest::newRow("new link with a known key is added")
        << QList<Row>{{u"Tower"_s, u"https://x/tower-2"_s}} << MergeOutcome::Updated
        << QStringList{u"Tower|https://x/tower-2|tarot"_s};
    QTest::newRow("case of the link counts") << QList<Row>{{u"Tower"_s, u"https://x/TOWER"_s}} << MergeOutcome::Updated
                                             << QStringList{u"Tower|https://x/TOWER|tarot"_s};
    QTest::newRow("two rows with one new link add one")
        << QList<Row>{{u"Star"_s, u"https://x/star"_s}, {u"Etoile"_s, u"https://x/star"_s}} << MergeOutcome::Updated
        << QStringList{u"Star|https://x/star|tarot"_s};
    QTest::newRow("foreign row in the middle keeps the rows before it")
        << QList<Row>{{u"Star"_s, u"https://x/star"_s},
                      {u"Rune"_s, u"https://x/rune"_s, u"runes"_s},
                      {u"Moon"_s, u"https://x/moon"_s}}
        << MergeOutcome::WrongFile << QStringList{u"Star|https://x/star|tarot"_s};
    QTest::newRow("Names of another case is foreign")
        << QList<Row>{{u"Star"_s, u"https://x/star"_s, u"Tarot"_s}} << MergeOutcome::WrongFile << QStringList();
    QTest::newRow("missing Names is foreign")
        << QList<Row>{{u"Star"_s, u"https://x/star"_s, QVariant()}} << MergeOutcome::WrongFile << QStringList();
    QTest::newRow("rows without keyword or address are left out")
        << QList<Row>{{u""_s, u"https://x/a"_s},
                      {QVariant(), u"https://x/b"_s},
                      {u"C"_s, u""_s},
                      {u"D"_s, QVariant()},
                      {u"E"_s, u"https://x/e"_s}}
        << MergeOutcome::Updated << QStringList{u"E|https://x/e|tarot"_s};
    QTest::newRow("keyword of 10,000 characters") << QList<Row>{{longKey, u"https://x/long"_s}} << MergeOutcome::Updated
                                                  << QStringList{longKey + u"|https://x/long|tarot"_s};
    QTest::newRow("no rows") << QList<Row>{} << MergeOutcome::NothingToUpdate << QStringList();
}

void tst_DictDb::merge()
{
    QFETCH(QList<Row>, chosen);
    QFETCH(MergeOutcome, outcome);
    QFETCH(QStringList, added);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(installed, {{u"Tower"_s, u"https://x/tower"_s}});
    writeDictionary(update, chosen);
    const QStringList before = tableRows(installed);
    const QByteArray updateBefore = fileHash(update);

    const MergeReport report = MergeDictionary(update, installed);
    QCOMPARE(report.outcome, outcome);
    QCOMPARE(newRows(installed, before), added);
    QCOMPARE(tableRows(installed).mid(0, before.size()), before);
    QCOMPARE(report.rowsAdded, added.size());
    const QString expectedMessage = outcome == MergeOutcome::Updated
        ? u"Tarot Dictionary Successfully Updated\rPlease restart dictionary "_s
        : outcome == MergeOutcome::WrongFile ? u"This is the wrong file! Lookup online help"_s
                                             : u"There is nothing to Update"_s;
    QCOMPARE(report.message, expectedMessage);
    QCOMPARE(report.icon, MessageIcon::Information);
    QCOMPARE(fileHash(update), updateBefore);
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
}

void tst_DictDb::mergeIntoItself()
{
    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    writeDictionary(installed, searchRows());
    const QByteArray before = fileHash(installed);
    const MergeReport report = MergeDictionary(installed, installed);
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(report.rowsAdded, 0);
    QCOMPARE(fileHash(installed), before);

    QCOMPARE(MergeDictionary(QString(), installed).outcome, MergeOutcome::Cancelled);
    QCOMPARE(MergeDictionary(QString(), installed).message, QString());
}

void tst_DictDb::unusableChosenFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "<missing>": the chosen file does not exist
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<MergeOutcome>("outcome");

    const auto nothing = MergeOutcome::NothingToUpdate;
    QTest::newRow("missing") << QByteArray("<missing>") << QStringList() << nothing;
    QTest::newRow("empty file") << QByteArray() << QStringList() << nothing;
    QTest::newRow("text file") << QByteArray("Tower\thttps://x/new\ttarot\n") << QStringList() << nothing;
    QTest::newRow("picture") << jpegBytes() << QStringList() << nothing;
    QTest::newRow("database without the table")
        << QByteArray()
        << QStringList{u"CREATE TABLE dictionary (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)"_s,
                       u"INSERT INTO dictionary VALUES ('Star', 'https://x/star', 'tarot')"_s}
        << nothing;
    for (const QString &column : {u"Key"_s, u"Link"_s, u"Names"_s}) {
        QStringList columns{u"\"Key\""_s, u"\"Link\""_s, u"\"Names\""_s};
        columns.removeAll(u'"' + column + u'"');
        QTest::addRow("table without %s", qPrintable(column))
            << QByteArray()
            << QStringList{u"CREATE TABLE tarot ("_s + columns.join(u", "_s) + u", Extra TEXT)"_s,
                           u"INSERT INTO tarot VALUES ('tarot', 'https://x/new', 'x')"_s}
            << MergeOutcome::WrongFile;
    }
    // A view yields rows without end; it is refused, not read.
    QTest::newRow("tarot is an endless view")
        << QByteArray()
        << QStringList{u"CREATE VIEW tarot AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                       "SELECT i + 1 FROM n) SELECT 'Key ' || i AS \"Key\", 'https://x/' || i "
                       "AS \"Link\", 'tarot' AS \"Names\" FROM n"_s}
        << MergeOutcome::Refused;
    // Opening a FIFO would wait for a writer for ever.
    QTest::newRow("a FIFO") << QByteArray("<fifo>") << QStringList() << nothing;
    QTest::newRow("a folder") << QByteArray("<folder>") << QStringList() << nothing;
}

void tst_DictDb::unusableChosenFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, sql);
    QFETCH(MergeOutcome, outcome);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(installed, searchRows());
    if (bytes == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(update).constData(), 0600), 0);
    else if (bytes == "<folder>")
        folder.makeFolder(u"update.dll"_s);
    else if (bytes != "<missing>")
        folder.writeFile(u"update.dll"_s, bytes);
    if (!sql.isEmpty())
        runSql(update, sql);
    const QByteArray installedBefore = fileHash(installed);
    const QByteArray updateBefore = fileHash(update);

    QCOMPARE(MergeDictionary(update, installed).outcome, outcome);
    QCOMPARE(fileHash(installed), installedBefore);
    QCOMPARE(fileHash(update), updateBefore); // a missing file is not created either
}

void tst_DictDb::failedSaveChangesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a row is refused part-way") << u"refuse"_s << u"A new entry could not be saved"_s;
    QTest::newRow("locked by another program") << u"lock"_s << u"in use by another program"_s;
    QTest::newRow("write-protected file") << u"readonly"_s << u"read-only"_s;
    QTest::newRow("installed file is not a dictionary") << u"text"_s << u"damaged"_s;
    QTest::newRow("installed table lacks Names") << u"columns"_s << u"damaged"_s;
    QTest::newRow("installed file is missing") << u"missing"_s << u"missing"_s;
}

void tst_DictDb::failedSaveChangesNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(update,
                    {{u"Star"_s, u"https://x/star"_s},
                     {u"Moon"_s, u"https://x/moon"_s},
                     {u"Boom"_s, u"https://x/boom"_s},
                     {u"Sun"_s, u"https://x/sun"_s}});
    writeDictionary(installed, {{u"Tower"_s, u"https://x/tower"_s}});

    std::optional<QSqlDatabase> locker;
    if (fault == u"refuse") {
        // The third new row cannot be saved, after two were written.
        runSql(installed,
               {u"CREATE TRIGGER refuse BEFORE INSERT ON tarot WHEN NEW.\"Key\" = 'Boom' "
                "BEGIN SELECT RAISE(ABORT, 'no room for Boom'); END"_s});
    } else if (fault == u"lock") {
        locker = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s);
        locker->setDatabaseName(installed);
        QVERIFY(locker->open());
        QVERIFY(QSqlQuery(*locker).exec(u"BEGIN EXCLUSIVE"_s));
    } else if (fault == u"readonly") {
        QFile::setPermissions(installed, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (QFileInfo(installed).isWritable())
            QSKIP("This user can write to write-protected files");
    } else if (fault == u"text") {
        QFile::remove(installed);
        folder.writeFile(u"tarot.dll"_s, "Tower,https://x/tower\n");
    } else if (fault == u"columns") {
        QFile::remove(installed);
        runSql(installed,
               {u"CREATE TABLE tarot (\"Key\" TEXT, \"Link\" TEXT)"_s,
                u"INSERT INTO tarot VALUES ('Tower', 'https://x/tower')"_s});
    } else if (fault == u"missing") {
        QFile::remove(installed);
    }
    const QByteArray before = fileHash(installed);

    MergeOptions options;
    options.busyTimeoutMs = 0;
    const MergeReport report = MergeDictionary(update, installed, options);
    if (locker) {
        QSqlQuery(*locker).exec(u"ROLLBACK"_s);
        locker->close();
        locker.reset();
        QSqlDatabase::removeDatabase(u"locker"_s);
    }
    QCOMPARE(report.outcome, MergeOutcome::NotChanged);
    QCOMPARE(report.icon, MessageIcon::Error);
    QCOMPARE(report.rowsAdded, 0);
    QVERIFY2(report.message.startsWith(u"The Tarot Dictionary was not changed.\r"_s), qPrintable(report.message));
    QVERIFY2(report.message.contains(reason), qPrintable(report.message));
    QCOMPARE(fileHash(installed), before);
    QVERIFY(!QFile::exists(installed + u"-journal"_s));
}

void tst_DictDb::mergeOfAnySize()
{
    // More rows than a 16-bit counter holds, on both sides.
    constexpr int kRows = 40000;
    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    QList<Row> installedRows;
    QList<Row> updateRows;
    for (int i = 0; i < kRows; ++i) {
        installedRows.append({u"Key %1"_s.arg(i), u"https://x/%1"_s.arg(i)});
        // Every other row is already installed.
        const int link = i % 2 ? i : kRows + i;
        updateRows.append({u"New %1"_s.arg(i), u"https://x/%1"_s.arg(link)});
    }
    writeDictionary(installed, installedRows);
    writeDictionary(update, updateRows);

    qsizetype progressCalls = 0;
    MergeOptions options;
    options.progress = [&progressCalls](qsizetype) { ++progressCalls; };
    const MergeReport report = MergeDictionary(update, installed, options);
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(report.rowsAdded, kRows / 2);
    QCOMPARE(progressCalls, (kRows / 2) / 1024);
    const QStringList keys = ReadKeywordList(folder.path());
    QCOMPARE(keys.size(), kRows + kRows / 2);
    QCOMPARE(keys.last(), u"New %1"_s.arg(kRows - 2));
}

void tst_DictDb::killedMergeKeepsAllOrNone_data()
{
    QTest::addColumn<int>("stopAfter"); // rows written before the helper waits; 0: after commit
    QTest::addColumn<bool>("allAdded");

    QTest::newRow("killed while writing") << 60000 << false;
    QTest::newRow("killed after the commit") << 0 << true;
}

void tst_DictDb::killedMergeKeepsAllOrNone()
{
    QFETCH(int, stopAfter);
    QFETCH(bool, allAdded);

    // Enough rows that the writes spill from SQLite's page cache into the file itself
    // before the kill, so that the next opening has to roll them back.
    constexpr int kNew = 120000;
    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(installed, searchRows());
    QList<Row> rows;
    for (int i = 0; i < kNew; ++i)
        rows.append({u"Keyword number %1"_s.arg(i), u"https://reference.example/entry/%1"_s.arg(i)});
    writeDictionary(update, rows);
    const QByteArray before = fileHash(installed);

    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QStringLiteral(KESTO_MERGE_HELPER), {update, installed, QString::number(stopAfter)});
    QVERIFY(helper.waitForStarted());
    while (!helper.canReadLine())
        QVERIFY2(helper.waitForReadyRead(120000), "the merge helper did not report");
    const QByteArray said = helper.readLine().trimmed();
    QCOMPARE(said, allAdded ? QByteArray("finished") : QByteArray("writing"));
    helper.kill();
    QVERIFY(helper.waitForFinished());

    if (!allAdded) {
        // The kill left written pages and their journal behind.
        QVERIFY(fileHash(installed) != before);
        QVERIFY(QFile::exists(installed + u"-journal"_s));
    }
    const QStringList keys = ReadKeywordList(folder.path());
    QCOMPARE(keys.size(), searchRows().size() + (allAdded ? kNew : 0));
    QCOMPARE(keys.mid(0, searchRows().size()), searchKeys());
    if (!allAdded)
        QCOMPARE(fileHash(installed), before);

    // The file is sound and a new merge completes.
    QCOMPARE(MergeDictionary(update, installed).rowsAdded, allAdded ? 0 : kNew);
    QCOMPARE(ReadKeywordList(folder.path()).size(), searchRows().size() + kNew);
}

void tst_DictDb::fullDiskLeavesTheFileAsItWas()
{
    // An update in place that runs out of room part-way: no file of the merging process may
    // grow more than 256 KB beyond the installed file's size, and the new rows need megabytes.
    constexpr int kNew = 120000;
    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(installed, searchRows());
    QList<Row> rows;
    for (int i = 0; i < kNew; ++i)
        rows.append({u"Keyword number %1"_s.arg(i), u"https://reference.example/entry/%1"_s.arg(i)});
    writeDictionary(update, rows);
    const QByteArray before = fileHash(installed);
    const qint64 sizeBefore = QFileInfo(installed).size();

    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QStringLiteral(KESTO_MERGE_HELPER),
                 {update, installed, u"0"_s, QString::number(sizeBefore + 256 * 1024)});
    QVERIFY(helper.waitForStarted());
    while (!helper.canReadLine())
        QVERIFY2(helper.waitForReadyRead(120000), "the merge helper did not report");
    const QString said = QString::fromUtf8(helper.readLine().trimmed());
    QVERIFY2(said.startsWith(u"failed The Tarot Dictionary was not changed. The disk"_s), qPrintable(said));

    // The helper now stands where the program shows its message: the file is as it was.
    QCOMPARE(QFileInfo(installed).size(), sizeBefore);
    QCOMPARE(fileHash(installed), before);
    QVERIFY(!QFile::exists(installed + u"-journal"_s));
    helper.kill();
    QVERIFY(helper.waitForFinished());

    // With room again, the same update goes through.
    QCOMPARE(MergeDictionary(update, installed).rowsAdded, kNew);
    QCOMPARE(ReadKeywordList(folder.path()).size(), searchRows().size() + kNew);
}

void tst_DictDb::mergeReadsWithinLimits_data()
{
    QTest::addColumn<MergeLimits>("limits");
    QTest::addColumn<QString>("refusal"); // empty: the merge completes

    // The update below: three rows, the longest text 16 characters, 57 characters in all.
    QTest::newRow("exactly at every limit") << MergeLimits{3, 32, 114} << QString();
    QTest::newRow("more rows") << MergeLimits{2, 32, 114} << u"more than 2 entries"_s;
    QTest::newRow("a longer text") << MergeLimits{3, 30, 114} << u"an entry longer than 15 characters"_s;
    QTest::newRow("more in all") << MergeLimits{3, 32, 112} << u"larger than 0 MB in all"_s;
}

void tst_DictDb::mergeReadsWithinLimits()
{
    QFETCH(MergeLimits, limits);
    QFETCH(QString, refusal);

    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(installed, {{u"Tower"_s, u"https://x/tower"_s}});
    writeDictionary(
        update,
        {{u"Star"_s, u"https://x/star"_s}, {u"Moon"_s, u"https://x/moon"_s}, {u"Wheel"_s, u"https://x/wheels"_s}});
    const QByteArray before = fileHash(installed);

    MergeOptions options;
    options.limits = limits;
    const MergeReport report = MergeDictionary(update, installed, options);
    if (refusal.isEmpty()) {
        QCOMPARE(report.outcome, MergeOutcome::Updated);
        QCOMPARE(report.rowsAdded, 3);
        return;
    }
    QCOMPARE(report.outcome, MergeOutcome::Refused);
    QCOMPARE(report.icon, MessageIcon::Error);
    QCOMPARE(report.rowsAdded, 0);
    QVERIFY2(report.message.startsWith(u"The Tarot Dictionary was not changed.\r"_s), qPrintable(report.message));
    QVERIFY2(report.message.contains(refusal), qPrintable(report.message));
    QCOMPARE(fileHash(installed), before);
}

void tst_DictDb::chosenFileStaysAsItWas()
{
    // An update file in WAL mode, in a folder of its own that this user cannot write (where
    // permissions bind this user): it is read, and nothing appears beside it.
    TestFolder folder;
    const QString installed = InstalledDictionaryPath(folder.path());
    writeDictionary(installed, {{u"Tower"_s, u"https://x/tower"_s}});
    folder.makeFolder(u"updates"_s);
    const QString updates = folder.filePath(u"updates"_s);
    const QString update = updates + u"/update.dll"_s;
    runSql(update, {u"PRAGMA journal_mode=WAL"_s, plainTable()},
           {{u"Star"_s, u"https://x/star"_s}, {u"Moon"_s, u"https://x/moon"_s}});
    QCOMPARE(QDir(updates).entryList(QDir::Files | QDir::Hidden), QStringList{u"update.dll"_s});
    const QByteArray updateBefore = fileHash(update);
    QFile::setPermissions(updates, QFile::ReadOwner | QFile::ExeOwner);

    const MergeReport report = MergeDictionary(update, installed);
    const QStringList beside = QDir(updates).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(updates, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(report.rowsAdded, 2);
    QCOMPARE(beside, QStringList{u"update.dll"_s});
    QCOMPARE(fileHash(update), updateBefore);
}

void tst_DictDb::userCopyIgnoresEarlierAttempts()
{
    // A shipped dictionary this user cannot write, and what a killed update of an older one
    // left in the user's folder: its half-made copy, gone, and that copy's journal, which
    // would put the older file's pages into any file opened under that name.
    TestFolder folder;
    TestFolder user;
    DictionaryStore store;
    store.setUserFolder(user.path());
    store.setWriteCheck([](const QString &) { return false; });
    const QString copy = store.userCopyPath(folder.path());
    QVERIFY(QDir().mkpath(QFileInfo(copy).absolutePath()));

    const QString stale = copy + u".part"_s;
    QList<Row> older;
    for (int i = 0; i < 400; ++i)
        older.append({u"Old %1"_s.arg(i), u"https://x/old/%1"_s.arg(i)});
    writeDictionary(stale, older);
    {
        // A small page cache makes the delete spill into the file, so that the journal
        // holds the original pages, as a kill part-way leaves it.
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"killed"_s);
        db.setDatabaseName(stale);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(u"PRAGMA cache_size=2"_s));
        QVERIFY(q.exec(u"BEGIN"_s));
        QVERIFY(q.exec(u"DELETE FROM tarot"_s));
        QVERIFY(QFile::copy(stale + u"-journal"_s, folder.filePath(u"journal"_s)));
        QVERIFY(q.exec(u"ROLLBACK"_s));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"killed"_s);
    QFile::remove(stale);
    QVERIFY(QFile::rename(folder.filePath(u"journal"_s), stale + u"-journal"_s));

    QList<Row> shipped;
    for (int i = 0; i < 4000; ++i)
        shipped.append({u"Shipped %1"_s.arg(i), u"https://x/shipped/%1"_s.arg(i)});
    writeDictionary(InstalledDictionaryPath(folder.path()), shipped);
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(update, {{u"Star"_s, u"https://x/star"_s}});

    const MergeReport report = store.merge(folder.path(), update);
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(report.message, UpdatedMessage());
    QVERIFY(PassesQuickCheck(copy));
    QCOMPARE(tableRows(copy).size(), shipped.size() + 1);
    QCOMPARE(tableRows(copy).last(), u"Star|https://x/star|tarot"_s);
    QCOMPARE(QDir(QFileInfo(copy).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList{u"tarot.dll"_s});
}

void tst_DictDb::userCopyThatFailsItsCheckIsNotSaved()
{
    // A shipped dictionary whose tarot table reads well but whose other table is damaged:
    // the merge into the copy succeeds, the check of the copy does not.
    TestFolder folder;
    TestFolder user;
    DictionaryStore store;
    store.setUserFolder(user.path());
    store.setWriteCheck([](const QString &) { return false; });
    const QString shipped = InstalledDictionaryPath(folder.path());
    writeDictionary(shipped, {{u"Tower"_s, u"https://x/tower"_s}});
    runSql(shipped,
           {u"CREATE TABLE padding (x TEXT)"_s,
            u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
            "INSERT INTO padding SELECT 'padding row ' || i FROM n"_s});
    QByteArray bytes = [&] {
        QFile f(shipped);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QVERIFY(bytes.size() > 8 * 4096);
    bytes.replace(bytes.size() - 4096, 4096, QByteArray(4096, '\xaa')); // the last padding page
    folder.writeFile(u"tarot.dll"_s, bytes);
    QCOMPARE(tableRows(shipped), QStringList{u"Tower|https://x/tower|tarot"_s});
    const QString update = folder.filePath(u"update.dll"_s);
    writeDictionary(update, {{u"Star"_s, u"https://x/star"_s}});

    const MergeReport report = store.merge(folder.path(), update);
    QCOMPARE(report.outcome, MergeOutcome::NotChanged);
    QCOMPARE(report.icon, MessageIcon::Error);
    QVERIFY2(report.message.contains(u"failed its check"_s), qPrintable(report.message));
    const QString copyFolder = QFileInfo(store.userCopyPath(folder.path())).absolutePath();
    QCOMPARE(QDir(copyFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(fileHash(shipped), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
}

void tst_DictDb::shippedDictionary()
{
    const QString programDir = qEnvironmentVariable("KESTO_PROGRAM_DIR");
    if (programDir.isEmpty())
        QSKIP("KESTO_PROGRAM_DIR is not set");
    const QString path = InstalledDictionaryPath(programDir);
    QVERIFY(QFile::exists(path));
    const QStringList rows = tableRows(path);
    QVERIFY2(rows.size() >= 250, qPrintable(QString::number(rows.size())));

    QSet<QString> keys;
    for (const QString &row : rows) {
        const QStringList fields = row.split(u'|');
        QCOMPARE(fields.size(), 3);
        QVERIFY2(!fields.at(0).isEmpty() && fields.at(0) == TrimSpaces(fields.at(0)), qPrintable(row));
        QVERIFY2(fields.at(1).startsWith(u"https://"_s), qPrintable(row));
        QCOMPARE(fields.at(2), u"tarot"_s);
        QVERIFY2(!keys.contains(fields.at(0)), qPrintable(row));
        keys.insert(fields.at(0));
    }
    // Every card of the deck is found under the catalogue's own name.
    for (CardId id = 0; id < kCardCount; ++id)
        QVERIFY2(FindLinkOfKey(programDir, CardName(id).toLower()), qPrintable(CardName(id)));
}

QTEST_GUILESS_MAIN(tst_DictDb)
#include "tst_dictdb.moc"

// Builds the dictionary file from its rows as text.
//   maketarotdict <rows.tsv> <output file>
// Each line of the rows file is a keyword, a tab and the address of its page; blank lines
// and lines starting with "#" are skipped. The output is an SQLite database with the table
// "tarot" ("Key", "Link", "Names" = "tarot"), one row per line in file order. The same
// rows always give the same bytes: the file is written afresh in one transaction.
#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

struct Entry
{
    QString key;
    QString link;
};

bool fail(const QString &text)
{
    std::fprintf(stderr, "maketarotdict: %s\n", qPrintable(text));
    return false;
}

bool readRows(const QString &path, QList<Entry> &entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read ") + path);
    QTextStream in(&file);
    QSet<QString> keys;
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QString where = path + u':' + QString::number(lineNumber) + QStringLiteral(": ");
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 2)
            return fail(where + QStringLiteral("expected a keyword, a tab and an address"));
        const Entry entry{fields.at(0), fields.at(1)};
        if (entry.key.isEmpty() || entry.key != entry.key.trimmed())
            return fail(where + QStringLiteral("the keyword is empty or has blanks around it"));
        if (!entry.link.startsWith(QStringLiteral("https://")) || entry.link.contains(u' '))
            return fail(where + QStringLiteral("the address is not an https address"));
        if (keys.contains(entry.key))
            return fail(where + QStringLiteral("the keyword \"") + entry.key + QStringLiteral("\" is listed twice"));
        keys.insert(entry.key);
        entries.append(entry);
    }
    return true;
}

bool writeDictionary(const QString &path, const QList<Entry> &entries)
{
    QFile::remove(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("out"));
    db.setDatabaseName(path);
    if (!db.open())
        return fail(QStringLiteral("cannot create ") + path + QStringLiteral(": ") + db.lastError().text());
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE tarot (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)")))
        return fail(q.lastError().text());
    if (!db.transaction())
        return fail(db.lastError().text());
    if (!q.prepare(QStringLiteral("INSERT INTO tarot (\"Key\", \"Link\", \"Names\") VALUES (?, ?, 'tarot')")))
        return fail(q.lastError().text());
    for (const Entry &entry : entries) {
        q.bindValue(0, entry.key);
        q.bindValue(1, entry.link);
        if (!q.exec())
            return fail(q.lastError().text());
    }
    if (!db.commit())
        return fail(db.lastError().text());
    q.finish();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        fail(QStringLiteral("usage: maketarotdict <rows file> <output file>"));
        return 2;
    }
    QList<Entry> entries;
    if (!readRows(args.at(1), entries))
        return 1;
    // Written beside the target and moved into place, so a failed run leaves no half file.
    const QString temporary = args.at(2) + QStringLiteral(".part");
    bool written = writeDictionary(temporary, entries);
    QSqlDatabase::removeDatabase(QStringLiteral("out"));
    if (written) {
        QFile::remove(args.at(2));
        written = QFile::rename(temporary, args.at(2));
    }
    if (!written) {
        QFile::remove(temporary);
        return 1;
    }
    return 0;
}

// Kesto started on its program folder with one kind of damage at a time: the card pictures,
// the spread pictures, the dictionary file, the update reminder's settings and the
// single-instance lock. For each, the program answers with its message (or, where it has
// none, an empty picture box or keyword list), loses no data, and the rest of it still works:
// every case ends with a reading laid out and reported.
#include "fifowatch.h"
#include "findchild.h"
#include "readingwalk.h"

#include "core/dictionary/dictmerge.h"
#include "core/dictionary/dictsearch.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/mainwindow/moddict.h"
#include "ui/platform/qtplatform.h"
#include "core/platform/regularfile.h"
#include "core/reading/richtext.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"
#include "core/reading/layouts.h"
#include "ui/shell/startup.h"
#include "core/online/modhelp.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

const QString kClosingLineStart = u"Thank You for using Kesto."_s;
const QString kNoDictionary = u"Files Needed To Run Kesto Is Missing\rPlease Reinstall Software."_s;
const QString kNotFound
    = u"Keyword not found - Please search in google\rOr write to us so that we can add the term in our dictionary"_s;
const QString kNotChanged = u"The Tarot Dictionary was not changed.\r"_s;

// Keeps the embedded browsers off the network: every web request is blocked before it leaves.
class NoNetwork : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (scheme == u"http" || scheme == u"https")
            info.block(true);
    }
};

// The fake platform, except that the single-instance check takes the real lock.
class LockingPlatform : public FakePlatform
{
public:
    explicit LockingPlatform(const QString &lockFile) : real(lockFile, u"kesto-sweep"_s) {}
    bool anotherInstanceRunning() override { return real.anotherInstanceRunning(); }

    QtPlatform real;
};

// The fake platform, except that the settings are kept by the real store, in the given folder.
class RealSettingsPlatform : public FakePlatform
{
public:
    explicit RealSettingsPlatform(const QString &folder) : real({}, u"kesto-sweep"_s, folder) {}
    QString readSetting(const QString &section, const QString &key) override { return real.readSetting(section, key); }
    bool writeSetting(const QString &section, const QString &key, const QString &value) override
    {
        return real.writeSetting(section, key, value);
    }

    QtPlatform real;
};

// One run of the program: a platform, a program folder holding the built cards, spread
// pictures and dictionary, and a per-user folder of its own, so that nothing reaches the
// real user's data.
struct Program
{
    std::unique_ptr<FakePlatform> ownedPlatform;
    FakePlatform &platform;
    TestFolder folder;
    QTemporaryDir userData;
    Session session{platform};
    Shell shell{session};

    explicit Program(std::unique_ptr<FakePlatform> p = std::make_unique<FakePlatform>())
        : ownedPlatform(std::move(p)),
          platform(*ownedPlatform)
    {
        platform.folder = folder.path();
        session.dictionaryStore.setUserFolder(userData.filePath(u"kesto"_s));
        ReadingWalk::copyContent(folder);
        QFile dictionary(qEnvironmentVariable("KESTO_PROGRAM_DIR") + u"/tarot.dll"_s);
        if (dictionary.open(QIODevice::ReadOnly))
            folder.writeFile(u"tarot.dll"_s, dictionary.readAll());
    }

    QString dictionaryPath() const { return folder.filePath(u"tarot.dll"_s); }

    // Start-up as the program runs it: the single-instance check, the update reminder, the
    // mode screen. Null when the program ended instead.
    frmOpen *start()
    {
        RunStartup(shell);
        return shell.isEnding() ? nullptr : shell.modeScreen();
    }

    QString report()
    {
        frmMDI *frame = shell.existingMainWindow();
        return frame ? frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->toPlainText() : QString();
    }
};

// Mode screen, Tarot Reading, Continue; a name, Next: the spread screen.
frmTarot *toSpreadScreen(Program &p)
{
    frmOpen *open = p.shell.modeScreen();
    if (!open)
        return nullptr;
    clickBox(open->optReading);
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);
    frmFront *front = p.shell.querentScreen();
    QTest::keyClicks(front->txtName, u"Ann"_s);
    QTest::mouseClick(front->cmdNext, Qt::LeftButton);
    return p.shell.spreadScreen();
}

// Start Again in the main window, if there is one: back to the mode screen.
void startAgain(Program &p)
{
    if (frmMDI *frame = p.shell.existingMainWindow()) {
        QTest::mouseClick(child<QPushButton>(frame, "cmdRestart"), Qt::LeftButton);
        QVERIFY(!p.shell.existingMainWindow());
    }
    QVERIFY(p.shell.modeScreen() && p.shell.modeScreen()->isVisible());
}

// The cards on the table and the report, after a reading of the given cards: every position
// in its place with its number, showing the card's picture turned as the position and the
// orientation ask, or nothing when the picture cannot be read; every card's title in the
// report in its orientation, and one closing line.
void checkReading(Program &p, int spread, const QList<int> &cards, const QList<int> &reversed)
{
    frmAuto *table = p.shell.existingCardTable();
    QVERIFY(table && table->isVisible());
    for (int i = 0; i < frmAuto::kBoxCount; ++i) {
        QLabel *box = table->p[i];
        if (i >= cards.size()) {
            QVERIFY(!box->isVisible());
            continue;
        }
        const LayoutPosition place = *LayoutPositionOf(spread, i + 1);
        QVERIFY2(box->isVisible() && box->isEnabled(), qPrintable(u"box %1"_s.arg(i)));
        QCOMPARE(box->pos(), twipsPoint(place.left, place.top));
        QVERIFY(table->lbl[i]->isVisible());
        QCOMPARE(table->lbl[i]->text(), QString::number(i + 1));
        const QImage upright = cardImage(p.folder, cards[i]);
        QImage expected = upright;
        if (!upright.isNull() && place.quarterTurned)
            expected = quarterTurn(upright);
        else if (!upright.isNull() && reversed.contains(cards[i]))
            expected = halfTurn(upright);
        QCOMPARE(boxImage(box), expected);
    }
    if (reversed.isEmpty())
        QVERIFY(!IsArrayDimensioned(p.session.reading.reversedCards));
    else
        QCOMPARE(*p.session.reading.reversedCards, reversed);

    const QString text = p.report();
    const QStringList lines = text.split(u'\n');
    QVERIFY(text.contains(SpreadByIndex(spread)->heading));
    for (int card : cards)
        QVERIFY2(lines.contains(CardTitle(card, reversed.contains(card))),
                 qPrintable(CardTitle(card, reversed.contains(card))));
    QCOMPARE(text.count(kClosingLineStart), 1);
    QCOMPARE(p.shell.existingMainWindow()->readingDisplay().caret(), 0);
}

// What every case ends with: from wherever the program stands, back to the mode screen and a
// one-card automatic reading, laid out and reported, without a message.
void readingStillCompletes(Program &p)
{
    startAgain(p);
    if (QTest::currentTestFailed())
        return;
    const qsizetype messagesBefore = p.platform.messages.size();
    frmTarot *tarot = toSpreadScreen(p);
    QVERIFY(tarot);
    ReadingWalk::choose(tarot, kOneCard, Deck::Whole, false);
    p.platform.queueFractions({fractionFor(12, subsetOf(Deck::Whole))});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    checkReading(p, kOneCard, {12}, {});
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(p.platform.messages.size(), messagesBefore);
    QCOMPARE(p.platform.endCount, 0);
}

// ---- Damaged pictures ---------------------------------------------------------------------

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray jpegOf(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// The JPEG with its frame header claiming another width and height.
QByteArray claimingSize(QByteArray jpeg, quint16 width, quint16 height)
{
    // Start of frame: FF C0 (or C2), length (2), precision (1), height (2), width (2).
    qsizetype at = jpeg.indexOf(QByteArrayLiteral("\xff\xc0"));
    if (at < 0)
        at = jpeg.indexOf(QByteArrayLiteral("\xff\xc2"));
    if (at < 0 || at + 9 > jpeg.size())
        return {};
    jpeg[at + 5] = char(height >> 8);
    jpeg[at + 6] = char(height & 0xff);
    jpeg[at + 7] = char(width >> 8);
    jpeg[at + 8] = char(width & 0xff);
    return jpeg;
}

// What a damaged picture file holds instead of the good bytes; nothing: the file is gone.
std::optional<QByteArray> damagedPicture(const QString &damage, const QByteArray &good)
{
    if (damage == u"missing" || damage == u"fifo")
        return std::nullopt;
    if (damage == u"empty")
        return QByteArray();
    if (damage == u"text")
        return QByteArrayLiteral("This is not a picture, only text in a file named .jpg\n");
    if (damage == u"header")
        return good.left(200);
    if (damage == u"half")
        return good.left(good.size() / 2);
    if (damage == u"huge")
        return claimingSize(good, 65535, 65535);
    if (damage == u"pixel")
        return jpegOf(QSize(1, 1));
    if (damage == u"sliver")
        return jpegOf(QSize(600, 1));
    return good;
}

void damageFile(TestFolder &folder, FifoWatch &fifos, const QString &path, const QString &damage)
{
    const std::optional<QByteArray> bytes = damagedPicture(damage, readAll(path));
    QFile::remove(path);
    if (damage == u"folder")
        QDir().mkpath(path);
    else if (damage == u"fifo")
        QVERIFY(fifos.make(path));
    else if (bytes)
        folder.writeFile(QDir(folder.path()).relativeFilePath(path), *bytes);
}

void pictureDamageRows()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("readable"); // whether the damaged file still reads as a picture
    QTest::newRow("missing") << u"missing"_s << false;
    QTest::newRow("a folder in its place") << u"folder"_s << false;
    QTest::newRow("a FIFO in its place, which no writer ever opens") << u"fifo"_s << false;
    QTest::newRow("zero bytes") << u"empty"_s << false;
    QTest::newRow("a text file named .jpg") << u"text"_s << false;
    QTest::newRow("a JPEG cut off after 200 bytes") << u"header"_s << false;
    QTest::newRow("a JPEG cut in half") << u"half"_s << true;
    QTest::newRow("a JPEG claiming 65535 x 65535 pixels") << u"huge"_s << false;
    QTest::newRow("a one-pixel picture") << u"pixel"_s << true;
    QTest::newRow("a picture 600 pixels wide and 1 high") << u"sliver"_s << true;
}

// ---- Damaged dictionary -------------------------------------------------------------------

// A dictionary file: the table with the three columns and these rows (keyword, address).
void writeDictionary(const QString &path, const QString &table, const QList<std::pair<QString, QString>> &rows)
{
    const QString name = u"sweep-fixture"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE "_s + table + u" (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)"_s));
        QVERIFY(q.prepare(u"INSERT INTO "_s + table + u" (\"Key\", \"Link\", \"Names\") VALUES (?, ?, 'tarot')"_s));
        for (const auto &[key, link] : rows) {
            q.bindValue(0, key);
            q.bindValue(1, link);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(name);
}

// Runs statements on a database file, which is made when it does not exist.
void runSql(const QString &path, const QStringList &statements)
{
    const QString name = u"sweep-sql"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString &statement : statements) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(statement), qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(name);
}

// What a path holds: a file's bytes as a hash, or a folder's listing.
QByteArray fingerprint(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return "folder: " + QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(u'|').toUtf8();
    if (info.exists() && !info.isFile())
        return "not a regular file"; // opening a FIFO here would block the test
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList listed(const frmMDI *frame)
{
    QStringList rows;
    for (int i = 0; i < child<QTreeWidget>(frame, "lstKeys")->topLevelItemCount(); ++i)
        rows.append(child<QTreeWidget>(frame, "lstKeys")->topLevelItem(i)->text(0));
    return rows;
}

// Another program's connection to the dictionary, in the middle of a write transaction.
class Locker
{
public:
    explicit Locker(const QString &path)
    {
        m_db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"sweep-locker"_s);
        m_db.setDatabaseName(path);
        m_open = m_db.open() && QSqlQuery(m_db).exec(u"BEGIN IMMEDIATE"_s)
            && QSqlQuery(m_db).exec(u"INSERT INTO tarot (\"Key\", \"Link\", \"Names\") "
                                    u"VALUES ('Uncommitted', 'https://dict.example/u', 'tarot')"_s);
    }
    ~Locker() { release(); }
    bool holding() const { return m_open; }
    void release()
    {
        if (!m_db.isValid())
            return;
        QSqlQuery(m_db).exec(u"ROLLBACK"_s);
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"sweep-locker"_s);
    }

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

    NoNetwork m_noNetwork;

private Q_SLOTS:
    void initTestCase()
    {
        // The damage is done to copies of the built content; without it every case is empty.
        const QDir built(qEnvironmentVariable("KESTO_PROGRAM_DIR"));
        for (const QString &file : {u"cards/r77.jpg"_s, u"pic/c7.jpg"_s, u"tarot.dll"_s})
            QVERIFY2(QFileInfo(built.filePath(file)).isFile(), qPrintable(built.filePath(file)));
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&m_noNetwork);
    }
    void cleanupTestCase() { QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr); }
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void cardPictures_data() { pictureDamageRows(); }
    void cardPictures();
    void spreadPictures_data() { pictureDamageRows(); }
    void spreadPictures();
    void dictionaryMissing();
    void damagedDictionary_data();
    void damagedDictionary();
    void damagedUpdateFile_data();
    void damagedUpdateFile();
    void reminderSettings_data();
    void reminderSettings();
    void staleLock_data();
    void staleLock();
    void notRegularFiles_data();
    void notRegularFiles();
};

// Every card picture damaged the same way: an automatic and a manual Celtic Cross, with
// reversed cards and the crossing card, are laid out and reported in full; a picture that
// cannot be read leaves its numbered box empty, and no message is shown.
void TestBadInput::cardPictures()
{
    QFETCH(QString, damage);
    QFETCH(bool, readable);

    FifoWatch fifos;
    Program p;
    for (CardId card = 0; card < 78; ++card)
        damageFile(p.folder, fifos, CardPicturePath(p.folder.path(), card), damage);
    QCOMPARE(!cardImage(p.folder, 40).isNull(), readable);
    QVERIFY(p.start());

    // Automatic: every card drawn first, then one orientation number per position; the
    // crossing card is never laid reversed.
    frmTarot *tarot = toSpreadScreen(p);
    QVERIFY(tarot);
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    const QList<int> cast{5, 6, 40, 7, 41, 42, 43, 44, 45, 46};
    for (int card : cast)
        p.platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    p.platform.queueFractions({0.25f, 0.75f, 0.25f, 0.75f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.75f});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    checkReading(p, kCelticCross, cast, {7, 46});
    if (QTest::currentTestFailed())
        return;
    QVERIFY(p.platform.messages.isEmpty());
    QCOMPARE(p.platform.endCount, 0);

    // Manual: per position the card, then its orientation; the crossing card is recorded
    // reversed but lies sideways.
    startAgain(p);
    if (QTest::currentTestFailed())
        return;
    tarot = toSpreadScreen(p);
    QVERIFY(tarot);
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    QPointer<frmManual> manual = p.shell.existingManualPickScreen();
    QVERIFY(manual && manual->isVisible());
    const QList<int> picked{30, 31, 32, 33, 34, 35, 36, 37, 38, 39};
    const QList<float> orientations{0.25f, 0.875f, 0.25f, 0.875f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
    for (qsizetype i = 0; i < picked.size(); ++i)
        p.platform.queueFractions({fractionFor(picked[i], subsetOf(Deck::Whole)), orientations[i]});
    for (int k = 0; k < 10; ++k)
        QTest::mouseClick(manual->p[k], Qt::LeftButton);
    QVERIFY(!p.shell.existingManualPickScreen());
    checkReading(p, kCelticCross, picked, {31, 33});
    if (QTest::currentTestFailed())
        return;
    QVERIFY(p.platform.messages.isEmpty());

    readingStillCompletes(p);
    QCOMPARE(fifos.unblocked(), 0); // no picture was waited for
}

// Every spread picture damaged the same way: the spread screen still shows each spread's
// description and publishes its card count, its picture box empty where the picture cannot
// be read, and so does the manual pick screen, whose reading completes.
void TestBadInput::spreadPictures()
{
    QFETCH(QString, damage);
    QFETCH(bool, readable);

    FifoWatch fifos;
    Program p;
    for (SpreadIndex k = 0; k < 8; ++k)
        damageFile(p.folder, fifos, SpreadPicturePath(p.folder.path(), k), damage);
    QVERIFY(p.start());
    frmTarot *tarot = toSpreadScreen(p);
    QVERIFY(tarot);

    for (SpreadIndex k = 0; k < 8; ++k) {
        clickRow(tarot->lstOption, k);
        QCOMPARE(tarot->pctCard->pixmap().isNull(), !readable);
        QCOMPARE(tarot->txtDisp->toPlainText(), SpreadByIndex(k)->description);
        QCOMPARE(p.session.reading.MaxCardInSet, qint16(k));
        QCOMPARE(p.session.reading.no, SpreadByIndex(k)->cardCount);
    }

    ReadingWalk::choose(tarot, kThreeCards, Deck::Whole, false);
    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    QPointer<frmManual> manual = p.shell.existingManualPickScreen();
    QVERIFY(manual && manual->isVisible());
    QCOMPARE(manual->picManual->pixmap().isNull(), !readable);
    for (int card : {20, 50, 70})
        p.platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(manual->p[k], Qt::LeftButton);
    QVERIFY(!p.shell.existingManualPickScreen());
    checkReading(p, kThreeCards, {20, 50, 70}, {});
    if (QTest::currentTestFailed())
        return;
    QVERIFY(p.platform.messages.isEmpty());

    readingStillCompletes(p);
    QCOMPARE(fifos.unblocked(), 0); // no picture was waited for
}

// No dictionary file: choosing the dictionary says so and keeps the mode screen, from which
// a reading can still be made.
void TestBadInput::dictionaryMissing()
{
    Program p;
    QFile::remove(p.dictionaryPath());
    QPointer<frmOpen> open = p.start();
    QVERIFY(open);
    clickBox(open->optDictionary);
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);
    QCOMPARE(p.platform.messageTexts(), QStringList{kNoDictionary});
    QCOMPARE(p.platform.messages.first().icon, MessageIcon::Error);
    QVERIFY(open && open->isVisible());
    QVERIFY(!p.shell.existingMainWindow());
    QVERIFY(!QFileInfo::exists(p.dictionaryPath()));

    p.platform.messages.clear();
    readingStillCompletes(p);
}

// A dictionary file that is there but cannot be used as it should: the dictionary opens, its
// keyword list is empty (or intact where the file is only locked), every search answers that
// the keyword was not found, and an update says the dictionary was not changed and why,
// leaving the installed file and the chosen file exactly as they were. Once a lock is
// released, the same update merges.
void TestBadInput::damagedDictionary_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason"); // why an update does not change the dictionary

    const QString damaged = u"The installed dictionary is damaged."_s;
    QTest::newRow("zero bytes") << u"empty"_s << damaged;
    QTest::newRow("cut to half its size") << u"half"_s << damaged;
    QTest::newRow("cut to its first 1024 bytes") << u"start"_s << damaged;
    QTest::newRow("random bytes") << u"random"_s << damaged;
    QTest::newRow("a database without the tarot table") << u"foreign"_s << damaged;
    QTest::newRow("a folder named tarot.dll")
        << u"folder"_s << u"The dictionary file could not be opened for writing."_s;
    QTest::newRow("locked by another program's write transaction")
        << u"locked"_s << u"The dictionary file is in use by another program."_s;
}

void TestBadInput::damagedDictionary()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);

    Program p;
    const QString path = p.dictionaryPath();
    const QStringList intact = ReadKeywordList(p.folder.path());
    QVERIFY(intact.size() > 100);
    const QByteArray good = readAll(path);
    std::optional<Locker> locker;
    if (damage == u"empty") {
        p.folder.writeFile(u"tarot.dll"_s, QByteArray());
    } else if (damage == u"half") {
        p.folder.writeFile(u"tarot.dll"_s, good.left(good.size() / 2));
    } else if (damage == u"start") {
        p.folder.writeFile(u"tarot.dll"_s, good.left(1024));
    } else if (damage == u"random") {
        QByteArray bytes(8192, '\0');
        QRandomGenerator(20261209).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        p.folder.writeFile(u"tarot.dll"_s, bytes);
    } else if (damage == u"foreign") {
        QFile::remove(path);
        writeDictionary(path, u"recipes"_s, {{u"Bread"_s, u"https://recipes.example/bread"_s}});
    } else if (damage == u"folder") {
        QFile::remove(path);
        p.folder.makeFolder(u"tarot.dll"_s);
        p.folder.writeFile(u"tarot.dll/inside.txt"_s, "a file inside the folder");
    } else {
        locker.emplace(path);
        QVERIFY(locker->holding());
    }
    const QByteArray before = fingerprint(path);

    QTemporaryDir updates;
    const QString chosen = updates.filePath(u"newer.dll"_s);
    writeDictionary(chosen, u"tarot"_s, {{u"Zodiac Wheel"_s, u"https://dict.example/zodiac-wheel"_s}});
    const QByteArray chosenBefore = fingerprint(chosen);

    // The dictionary mode opens.
    QPointer<frmOpen> open = p.start();
    QVERIFY(open);
    clickBox(open->optDictionary);
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);
    QCOMPARE(p.platform.messageTexts(), QStringList());
    QPointer<frmMDI> frame = p.shell.existingMainWindow();
    QVERIFY(frame && frame->isVisible());
    QVERIFY(child<QAction>(frame, "mnuUpdateKey")->isEnabled());
    QVERIFY(!open || !open->isVisible());
    DictionaryHandlers *handlers = frame->dictionaryHandlers();
    QVERIFY(handlers);
    handlers->setBusyTimeout(0);
    handlers->setProgressTick(1);

    // The list, and the searches.
    const QString first = intact.first();
    if (locker) {
        QCOMPARE(listed(frame), intact);
        child<QLineEdit>(frame, "txtKey")->setText(first);
        QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
        QVERIFY(listed(frame).contains(first));
        QCOMPARE(p.platform.messageTexts(), QStringList());
    } else {
        QCOMPARE(listed(frame), QStringList());
        for (QPushButton *button : {static_cast<QPushButton *>(nullptr), child<QPushButton>(frame, "cmdSearch"),
                                    child<QPushButton>(frame, "cmdDisplay")}) {
            p.platform.messages.clear();
            child<QLineEdit>(frame, "txtKey")->setText(first);
            if (button)
                QTest::mouseClick(button, Qt::LeftButton);
            else
                QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
            QCOMPARE(p.platform.messageTexts(), QStringList{kNotFound});
            QCOMPARE(listed(frame), QStringList());
        }
    }

    // The update refuses, and neither file changes.
    p.platform.messages.clear();
    p.platform.fileToOpen = chosen;
    child<QAction>(frame, "mnuUpdateKey")->trigger();
    QCOMPARE(p.platform.messageTexts(), QStringList{kNotChanged + reason});
    QCOMPARE(p.platform.messages.first().icon, MessageIcon::Error);
    if (locker)
        locker->release();
    QCOMPARE(fingerprint(path), before);
    QCOMPARE(fingerprint(chosen), chosenBefore);
    QVERIFY(!QFileInfo::exists(path + u"-journal"_s));
    QVERIFY(!QFileInfo::exists(p.session.dictionaryStore.userCopyPath(p.folder.path())));

    if (locker) {
        // Released, the same update merges: the new keyword is added, nothing is lost.
        p.platform.messages.clear();
        child<QAction>(frame, "mnuUpdateKey")->trigger();
        QCOMPARE(p.platform.messageTexts(), QStringList{UpdatedMessage()});
        QCOMPARE(ReadKeywordList(p.folder.path()), intact + QStringList{u"Zodiac Wheel"_s});
        QCOMPARE(fingerprint(chosen), chosenBefore);
    }

    p.platform.messages.clear();
    readingStillCompletes(p);
}

// An update file that cannot be merged: the update says there is nothing to update, or that
// it is the wrong file, and changes neither the installed dictionary nor the chosen file.
void TestBadInput::damagedUpdateFile_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");

    QTest::newRow("gone by the time it is read") << u"missing"_s << NothingToUpdateMessage();
    QTest::newRow("zero bytes") << u"empty"_s << NothingToUpdateMessage();
    QTest::newRow("a folder") << u"folder"_s << NothingToUpdateMessage();
    QTest::newRow("a FIFO, which no writer ever opens") << u"fifo"_s << NothingToUpdateMessage();
    QTest::newRow("a dictionary cut to half its size") << u"half"_s << NothingToUpdateMessage();
    QTest::newRow("a table without the Link column") << u"nolink"_s << WrongFileMessage();
}

void TestBadInput::damagedUpdateFile()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);

    Program p;
    const QString path = p.dictionaryPath();
    const QStringList intact = ReadKeywordList(p.folder.path());
    const QByteArray before = fingerprint(path);
    QTemporaryDir updates;
    const QString chosen = updates.filePath(u"newer.dll"_s);
    if (damage == u"empty") {
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (damage == u"folder") {
        QVERIFY(QDir().mkpath(chosen));
    } else if (damage == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(chosen).constData(), 0600), 0);
    } else if (damage == u"half") {
        writeDictionary(chosen, u"tarot"_s, {{u"Zodiac Wheel"_s, u"https://dict.example/zodiac-wheel"_s}});
        runSql(chosen, {u"CREATE TABLE padding (x TEXT)"_s, u"INSERT INTO padding VALUES (printf('%.5000c', 'x'))"_s});
        const QByteArray whole = readAll(chosen);
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(whole.size() / 2));
    } else if (damage == u"nolink") {
        runSql(chosen,
               {u"CREATE TABLE tarot (\"Key\" TEXT, \"Names\" TEXT)"_s,
                u"INSERT INTO tarot VALUES ('Zodiac Wheel', 'tarot')"_s});
    }
    const QByteArray chosenBefore = fingerprint(chosen);

    QPointer<frmOpen> open = p.start();
    QVERIFY(open);
    clickBox(open->optDictionary);
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);
    QPointer<frmMDI> frame = p.shell.existingMainWindow();
    QVERIFY(frame && frame->isVisible());
    QCOMPARE(listed(frame), intact);

    p.platform.fileToOpen = chosen;
    child<QAction>(frame, "mnuUpdateKey")->trigger();
    QCOMPARE(p.platform.messageTexts(), QStringList{message});
    QCOMPARE(p.platform.messages.first().icon, MessageIcon::Information);
    QCOMPARE(fingerprint(path), before);
    QCOMPARE(fingerprint(chosen), chosenBefore);
    QCOMPARE(ReadKeywordList(p.folder.path()), intact);
    QVERIFY(!QFileInfo::exists(p.session.dictionaryStore.userCopyPath(p.folder.path())));

    p.platform.messages.clear();
    readingStillCompletes(p);
}

// The reminder's two settings holding values the program never writes: start-up never fails,
// and the reminder keeps its rules. A last check that is no date shows nothing and writes
// nothing; one far in the past or the future asks once and starts the two weeks again; an
// "Install" that is no whole number of 64 bits, or whose absolute value is none, reads as 0.
// A store that refuses writes still lets the program start.
void TestBadInput::reminderSettings_data()
{
    QTest::addColumn<QString>("duration"); // as the store holds it
    QTest::addColumn<QString>("install"); // as the store holds it
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("installAfter"); // decoded; a null text: nothing is written
    QTest::addColumn<bool>("storeRefuses"); // the settings store refuses every write

    const QDate today(2026, 12, 9);
    const QString monthAgo = EncodeSetting(FormatReminderDate(today.addDays(-30)));
    const QString minusThree = EncodeSetting(u"-3"_s);
    const QChar oddCharacters[] = {QChar(0x01), QChar(0xD800), QChar(0xFFFF), QChar(0x00), QChar(u'1')};

    QTest::newRow("last check stored without encoding")
        << FormatReminderDate(today.addDays(-30)) << minusThree << false << QString() << false;
    QTest::newRow("last check of control characters and a lone surrogate")
        << QString(oddCharacters, std::size(oddCharacters)) << minusThree << false << QString() << false;
    QTest::newRow("last check of 64 KB of text")
        << QString(65536, QChar(0xE037)) << minusThree << false << QString() << false;
    QTest::newRow("last check in the year 1")
        << EncodeSetting(FormatReminderDate(QDate(1, 1, 1))) << minusThree << true << u"3"_s << false;
    QTest::newRow("last check in the year 9999")
        << EncodeSetting(FormatReminderDate(QDate(9999, 12, 31))) << minusThree << true << u"3"_s << false;
    QTest::newRow("install beyond 64 bits")
        << monthAgo << EncodeSetting(u"99999999999999999999"_s) << true << u"0"_s << false;
    QTest::newRow("install the most negative 64-bit number")
        << monthAgo << EncodeSetting(u"-9223372036854775808"_s) << true << u"0"_s << false;
    QTest::newRow("install the largest 64-bit number")
        << monthAgo << EncodeSetting(u"9223372036854775807"_s) << true << u"9223372036854775807"_s << false;
    QTest::newRow("install not a number") << monthAgo << EncodeSetting(u"many"_s) << true << u"0"_s << false;
    QTest::newRow("install of a lone surrogate") << monthAgo << QString(QChar(0xDC00)) << true << u"0"_s << false;
    QTest::newRow("a store that refuses writes") << monthAgo << minusThree << true << QString() << true;
}

void TestBadInput::reminderSettings()
{
    QFETCH(QString, duration);
    QFETCH(QString, install);
    QFETCH(bool, asks);
    QFETCH(QString, installAfter);
    QFETCH(bool, storeRefuses);

    Program p;
    p.platform.todayDate = QDate(2026, 12, 9);
    const QString durationKey = u"Settings/"_s + EncodeSetting(u"Duration"_s);
    const QString installKey = u"Settings/"_s + EncodeSetting(u"Install"_s);
    p.platform.settings.insert(durationKey, duration);
    p.platform.settings.insert(installKey, install);
    const QHash<QString, QString> before = p.platform.settings;
    p.platform.failSettingWrites = storeRefuses;

    frmOpen *open = p.start();
    QVERIFY(open && open->isVisible());
    QCOMPARE(p.platform.endCount, 0);
    QCOMPARE(p.platform.messages.size(), asks ? 1 : 0);
    if (asks)
        QCOMPARE(p.platform.messages.first().buttons, MessageButtons::YesNo);
    if (!installAfter.isNull()) {
        QCOMPARE(DecodeSetting(p.platform.settings.value(durationKey)), FormatReminderDate(p.platform.todayDate));
        QCOMPARE(DecodeSetting(p.platform.settings.value(installKey)), installAfter);
        QCOMPARE(p.platform.settings.size(), 2);
    } else {
        QCOMPARE(p.platform.settings, before);
    }

    p.platform.messages.clear();
    readingStillCompletes(p);
}

// A lock left behind by a copy that is gone: the program starts, takes the lock for itself,
// and a further copy is refused again. A lock file that names no process but was written a
// moment ago may belong to a copy that is starting right now: that one still refuses.
void TestBadInput::staleLock_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("refused");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("a process id no longer running") << QByteArray("4194303\nkesto\n" + host + "\n") << 3600 << false;
    QTest::newRow("a process id now used by another program")
        << QByteArray(QByteArray::number(QCoreApplication::applicationPid()) + "\nkesto\n" + host + "\n") << 3600
        << false;
    QTest::newRow("an empty lock file") << QByteArray() << 3600 << false;
    QTest::newRow("a lock file of garbage") << QByteArray("\x89\x01garbage\xff\n\n") << 3600 << false;
    QTest::newRow("an empty lock file written just now") << QByteArray() << 0 << true;
}

void TestBadInput::staleLock()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QFETCH(bool, refused);

    QTemporaryDir runtime;
    const QString lockPath = runtime.filePath(u"kesto.lock"_s);
    {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        QVERIFY(lock.flush());
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }

    Program p(std::make_unique<LockingPlatform>(lockPath));
    if (refused) {
        QVERIFY(!p.start());
        QCOMPARE(p.platform.messageTexts(), QStringList{u"Application is already running"_s});
        QCOMPARE(p.platform.endCount, 1);
        QCOMPARE(readAll(lockPath), content);
        return;
    }
    QVERIFY(p.start());
    QCOMPARE(p.platform.messageTexts(), QStringList());
    QCOMPARE(p.platform.endCount, 0);

    QLockFile probe(lockPath);
    qint64 pid = 0;
    QString host;
    QString application;
    QVERIFY(probe.getLockInfo(&pid, &host, &application));
    QCOMPARE(pid, QCoreApplication::applicationPid());
    QtPlatform another(lockPath, u"kesto-sweep"_s);
    QVERIFY(another.anotherInstanceRunning());

    readingStillCompletes(p);
}

// Something other than a regular file where the lock file or the settings file belongs (or
// the lock file the settings store takes while it writes): the program starts at once, as
// with no lock or a fresh store, and leaves the thing as it was. A FIFO is never waited for.
void TestBadInput::notRegularFiles_data()
{
    QTest::addColumn<QString>("where"); // lock, settings or settingsLock
    QTest::addColumn<QString>("what"); // fifo, folder or dangling
    for (const char *where : {"lock", "settings", "settingsLock"}) {
        for (const char *what : {"fifo", "folder", "dangling"}) {
            if (QByteArray(where) == "settingsLock" && QByteArray(what) != "fifo")
                continue;
            QTest::addRow("%s: %s", where, what) << QString::fromLatin1(where) << QString::fromLatin1(what);
        }
    }
}

void TestBadInput::notRegularFiles()
{
    QFETCH(QString, where);
    QFETCH(QString, what);

    FifoWatch fifos;
    QTemporaryDir runtime;
    const QString lockPath = runtime.filePath(u"kesto.lock"_s);
    const QString settingsFolder = runtime.filePath(u"config"_s);
    const QString settingsPath = settingsFolder + u"/kesto-sweep/kesto-sweep.conf"_s;
    QVERIFY(QDir().mkpath(QFileInfo(settingsPath).absolutePath()));
    const QString path
        = where == u"lock" ? lockPath : (where == u"settings" ? settingsPath : settingsPath + u".lock"_s);
    if (what == u"fifo") {
        QVERIFY(fifos.make(path));
    } else if (what == u"folder") {
        QVERIFY(QDir().mkpath(path));
        QFile inside(path + u"/kept.txt"_s);
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("the user's own file");
    } else {
        QVERIFY(QFile::link(runtime.filePath(u"nowhere/at/all"_s), path));
    }
    const QByteArray before = fingerprint(path);

    Program p(where == u"lock" ? std::unique_ptr<FakePlatform>(std::make_unique<LockingPlatform>(lockPath))
                               : std::make_unique<RealSettingsPlatform>(settingsFolder));
    QElapsedTimer clock;
    clock.start();
    frmOpen *open = p.start();
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(open && open->isVisible());
    QCOMPARE(p.platform.messageTexts(), QStringList());
    QCOMPARE(p.platform.endCount, 0);

    // Left as it was: a FIFO is still a FIFO, a folder still holds what it held, and nothing
    // was made where the link leads.
    QCOMPARE(KindOfPath(path), PathKind::Other);
    QCOMPARE(fingerprint(path), before);
    if (where == u"settingsLock")
        QVERIFY(!QFileInfo::exists(settingsPath)); // the store wrote nothing around its lock

    readingStillCompletes(p);
    QCOMPARE(fifos.unblocked(), 0);
}

int main(int argc, char *argv[])
{
    // The dictionary mode creates the embedded browser: it needs shared contexts, and no
    // sandbox when run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestBadInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_badinput.moc"

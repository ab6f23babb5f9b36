// The dictionary as the user drives it in the main window: the keyword list, the search box
// with Enter, Search, Display, the list's click and double-click, the web-search kind, and
// File > Update with its progress window; where the installed dictionary is written when
// the program folder cannot be.
#include "core/dictionary/dictmerge.h"
#include "findchild.h"
#include "core/dictionary/dictsearch.h"
#include "core/dictionary/dictstore.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/mainwindow/frmpb.h"
#include "ui/mainwindow/moddict.h"
#include "appfixture.h"
#include "core/online/modhelp.h"
#include "core/platform/twips.h"
#include "ui/web/frmbrowser.h"
#include "ui/web/frmmain.h"
#include "ui/web/safepage.h"
#include "ui/web/webwindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWebEngineUrlRequestInterceptor>

#include <memory>
#include <optional>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

// ---- Dictionary files ---------------------------------------------------------------------

struct Row
{
    QString key;
    QString link;
    QString names = u"tarot"_s;
};

void writeDictionary(const QString &path, const QList<Row> &rows)
{
    const QString name = u"fixture"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE tarot (\"Key\" TEXT, \"Link\" TEXT, \"Names\" TEXT)"_s));
        QVERIFY(q.prepare(u"INSERT INTO tarot (\"Key\", \"Link\", \"Names\") VALUES (?, ?, ?)"_s));
        for (const Row &row : rows) {
            q.bindValue(0, row.key);
            q.bindValue(1, row.link);
            q.bindValue(2, row.names);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(name);
}

// The "Key" of every row, in storage order.
QStringList keysIn(const QString &path)
{
    QStringList keys;
    const QString name = u"readback"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(u"SELECT \"Key\" FROM tarot ORDER BY rowid"_s)) {
                while (q.next())
                    keys.append(q.value(0).toString());
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return keys;
}

// The installed dictionary of these tests, in storage order. "Hanged Man " keeps a trailing
// blank, so that no key equals its trimmed text; one key is empty.
const QList<Row> &installedRows()
{
    static const QList<Row> rows = {
        {u"Tower"_s, u"https://dict.example/tower"_s},
        {u"Star"_s, u"https://dict.example/star"_s},
        {u"The Tower"_s, u"https://dict.example/the-tower"_s},
        {u""_s, u"https://dict.example/blank"_s},
        {u"Hanged Man "_s, u"https://dict.example/hanged-man"_s},
    };
    return rows;
}

QStringList installedKeys()
{
    QStringList keys;
    for (const Row &row : installedRows())
        keys.append(row.key);
    return keys;
}

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

// ---- The browser windows as the handlers ask for them --------------------------------------

struct RecordingBrowsers : DictionaryBrowsers
{
    QStringList steps;
    void openWebSearch() override { steps.append(u"web search"_s); }
    void showDictionaryBrowser() override { steps.append(u"show"_s); }
    void hideWebSearch() override { steps.append(u"hide web search"_s); }
    void navigateDictionaryBrowser(const QString &address) override { steps.append(u"navigate "_s + address); }
};

struct Fixture : AppFixture
{
    QTemporaryDir userData;
    RecordingBrowsers browsers;

    Fixture() { session.dictionaryStore.setUserFolder(userData.filePath(u"kesto"_s)); }

    QString installed() const { return folder.filePath(u"tarot.dll"_s); }

    // The main window in its dictionary arrangement, on screen and active, its handlers
    // reporting to the recorder.
    frmMDI *dictionaryWindow()
    {
        frmMDI *frame = shell.mainWindow();
        frame->applyDictionaryArrangement();
        frame->showFrame();
        frame->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(frame)); }();
        DictionaryHandlers *handlers = frame->dictionaryHandlers();
        [&] { QVERIFY(handlers); }();
        handlers->setBrowsers(&browsers);
        handlers->setProgressTick(1);
        handlers->setBusyTimeout(0);
        return frame;
    }
};

QStringList listed(const frmMDI *frame)
{
    QStringList rows;
    for (int i = 0; i < child<QTreeWidget>(frame, "lstKeys")->topLevelItemCount(); ++i)
        rows.append(child<QTreeWidget>(frame, "lstKeys")->topLevelItem(i)->text(0));
    return rows;
}

void setListed(frmMDI *frame, const QStringList &rows)
{
    child<QTreeWidget>(frame, "lstKeys")->clear();
    for (const QString &row : rows)
        child<QTreeWidget>(frame, "lstKeys")->addTopLevelItem(new QTreeWidgetItem(QStringList{row}));
}

QPoint centreOfRow(const frmMDI *frame, int row)
{
    QTreeWidget *list = child<QTreeWidget>(frame, "lstKeys");
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// As the window system delivers a double-click: a click, then the double-click itself.
void doubleClick(QWidget *widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
}

const QString emptySearch = u"Please Enter Search Term"_s;
const QString notFound
    = u"Keyword not found - Please search in google\rOr write to us so that we can add the term in our dictionary"_s;

} // namespace

class TestDictionaryUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<Fixture>();
        writeDictionary(f->installed(), installedRows());
    }
    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadFillsListInReadOrderAndSizesColumn();
    void loadWithUnreadableDictionaryLeavesListEmpty();
    void panelActions_data();
    void panelActions();
    void clickCopiesSelectedRow();
    void displayAndDoubleClickOpenEntries_data();
    void displayAndDoubleClickOpenEntries();
    void doubleClickOnEmptyListSaysNotFound();
    void emptyingTheBoxRestoresFullList();
    void mainWindowBrowsersFollowThePanel();
    void searchBringsClosedBrowserBack_data();
    void searchBringsClosedBrowserBack();
    void searchWithUnreadableDictionary_data();
    void searchWithUnreadableDictionary();
    void keywordListInUseSaysSoOnce();

    void updateOnlyInDictionaryMode();
    void updateCancelledDoesNothing();
    void updateAddsRowsThenProgressThenSuccess();
    void updateRefusals_data();
    void updateRefusals();
    void progressWindowSteps();
    void progressWindowClosesOnlyItself();

    void writableProgramFolderKeepsItsOwnFile();
    void readOnlyProgramFolderUsesUserCopy();
    void readOnlyProgramFolderWithNothingNewMakesNoCopy();
    void realWriteCheck();

private:
    std::unique_ptr<Fixture> f;
};

// ---- Keyword list and search ---------------------------------------------------------------

void TestDictionaryUi::loadFillsListInReadOrderAndSizesColumn()
{
    frmMDI *frame = f->shell.mainWindow();
    QCOMPARE(listed(frame), installedKeys());
    QTreeWidget *list = child<QTreeWidget>(frame, "lstKeys");
    QVERIFY(qAbs(pixelsToTwips(list->columnWidth(0)) - (pixelsToTwips(list->width()) - 200)) <= 15);
}

void TestDictionaryUi::loadWithUnreadableDictionaryLeavesListEmpty()
{
    f->folder.writeFile(u"tarot.dll"_s, QByteArrayLiteral("not a database at all"));
    frmMDI *frame = f->shell.mainWindow();
    QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->topLevelItemCount(), 0);
    QVERIFY(frame->isEnabled());
}

// One press of Enter, Search or Display with a search kind and a text: the list after it
// ("=" when it must be left as it was), the message, the browser steps and DictionaryLink.
void TestDictionaryUi::panelActions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("link");

    const QStringList unchanged{u"="_s};
    const QStringList show{u"show"_s, u"hide web search"_s};
    const QStringList none;
    const QStringList nonEmptyKeys{u"Tower"_s, u"Star"_s, u"The Tower"_s, u"Hanged Man "_s};

    QTest::newRow("blanks, Enter: every key by prefix")
        << u"exact"_s << u"  "_s << u"enter"_s << installedKeys() << QString() << show << u"before"_s;
    QTest::newRow("blanks, Search: empty-search message")
        << u"exact"_s << u"  "_s << u"search"_s << unchanged << emptySearch << none << u"before"_s;
    QTest::newRow("***, wildcard, Enter: every non-empty key")
        << u"wild"_s << u"***"_s << u"enter"_s << nonEmptyKeys << QString() << show << QString();
    QTest::newRow("TOWER, wildcard, Enter")
        << u"wild"_s << u"TOWER"_s << u"enter"_s << QStringList{u"Tower"_s, u"The Tower"_s} << QString() << show
        << u"tower"_s;
    QTest::newRow("TOWER, prefix, Enter")
        << u"exact"_s << u"TOWER"_s << u"enter"_s << QStringList{u"Tower"_s} << QString() << show << u"before"_s;
    QTest::newRow("TOWER, prefix, Search opens the text as typed")
        << u"exact"_s << u" TOWER "_s << u"search"_s << QStringList{u"Tower"_s} << QString()
        << QStringList{u"navigate TOWER"_s} << u"before"_s;
    QTest::newRow("t*ow, wildcard, Search")
        << u"wild"_s << u"t*ow"_s << u"search"_s << QStringList{u"Tower"_s, u"The Tower"_s} << QString()
        << QStringList{u"navigate t*ow"_s} << u"tow"_s;
    QTest::newRow("nothing matches, Enter")
        << u"exact"_s << u"zodiac"_s << u"enter"_s << QStringList() << notFound << none << u"before"_s;
    QTest::newRow("nothing matches, wildcard, Search")
        << u"wild"_s << u"zodiac"_s << u"search"_s << QStringList() << notFound << none << u"zodiac"_s;
    QTest::newRow("empty box, Enter: full list, then message")
        << u"exact"_s << QString() << u"enter"_s << installedKeys() << emptySearch << none << u"before"_s;
    QTest::newRow("empty box, Search: message, list kept")
        << u"exact"_s << QString() << u"search"_s << unchanged << emptySearch << none << u"before"_s;
    QTest::newRow("empty box, Display: full list, then message")
        << u"exact"_s << QString() << u"display"_s << installedKeys() << emptySearch << none << u"before"_s;
    QTest::newRow("web search, empty box, Search: message")
        << u"google"_s << QString() << u"search"_s << unchanged << emptySearch << none << u"before"_s;
    QTest::newRow("web search, empty box, Enter") << u"google"_s << QString() << u"enter"_s << unchanged << QString()
                                                  << QStringList{u"web search"_s} << u"before"_s;
    QTest::newRow("web search, empty box, Display") << u"google"_s << QString() << u"display"_s << unchanged
                                                    << QString() << QStringList{u"web search"_s} << u"before"_s;
    QTest::newRow("web search, Search") << u"google"_s << u"moon"_s << u"search"_s << unchanged << QString()
                                        << QStringList{u"web search"_s} << u"before"_s;
}

void TestDictionaryUi::panelActions()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, trigger);
    QFETCH(QStringList, list);
    QFETCH(QString, message);
    QFETCH(QStringList, steps);
    QFETCH(QString, link);

    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    QTest::mouseClick(kind == u"wild"         ? child<QRadioButton>(frame, "optWildCard")
                          : kind == u"google" ? child<QRadioButton>(frame, "optGoogle")
                                              : child<QRadioButton>(frame, "optExact"),
                      Qt::LeftButton);
    child<QLineEdit>(frame, "txtKey")->setText(text);
    // A list that differs from every answer, to tell "left as it was" apart.
    const QStringList marker{u"marker row"_s};
    setListed(frame, marker);
    f->session.dictionaryLink = u"before"_s;
    // The focus goes back to the search box after a message, wherever it was.
    QWidget *focusAtMessage = nullptr;
    f->platform.onMessage = [&](const FakePlatform::Message &) { focusAtMessage = QApplication::focusWidget(); };

    if (trigger == u"enter") {
        child<QLineEdit>(frame, "txtKey")->setFocus();
        QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    } else {
        QPushButton *button
            = trigger == u"search" ? child<QPushButton>(frame, "cmdSearch") : child<QPushButton>(frame, "cmdDisplay");
        button->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QCOMPARE(listed(frame), list == QStringList{u"="_s} ? marker : list);
    QCOMPARE(f->browsers.steps, steps);
    QCOMPARE(f->session.dictionaryLink, link);
    if (message.isEmpty()) {
        QCOMPARE(f->platform.messageTexts(), QStringList());
    } else {
        QCOMPARE(f->platform.messageTexts(), QStringList{message});
        QCOMPARE(f->platform.messages.first().icon, MessageIcon::Information);
        QVERIFY(focusAtMessage != child<QLineEdit>(frame, "txtKey") || trigger == u"enter");
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
    }
}

void TestDictionaryUi::clickCopiesSelectedRow()
{
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    QTest::mouseClick(child<QTreeWidget>(frame, "lstKeys")->viewport(), Qt::LeftButton, {}, centreOfRow(frame, 2));
    QCOMPARE(child<QLineEdit>(frame, "txtKey")->text(), u"The Tower"_s);
    // Nothing else: the list and the browsers are left alone.
    QCOMPARE(listed(frame), installedKeys());
    QVERIFY(f->browsers.steps.isEmpty());
    QVERIFY(f->platform.messages.isEmpty());
}

// Display and double-click on a selected row, or on the box's text with nothing selected.
void TestDictionaryUi::displayAndDoubleClickOpenEntries_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("row"); // -1: nothing selected
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyAfter");
    QTest::addColumn<QString>("address");

    QTest::newRow("Display, selected row")
        << u"display"_s << 2 << u"star"_s << u"The Tower"_s << u"https://dict.example/the-tower"_s;
    QTest::newRow("double-click on a row")
        << u"double"_s << 1 << QString() << u"Star"_s << u"https://dict.example/star"_s;
    QTest::newRow("Display, box text in other case, nothing selected")
        << u"display"_s << -1 << u"  sTaR "_s << u"  sTaR "_s << u"https://dict.example/star"_s;
    // The row's key ends in a blank, so no key equals its trimmed text: the text itself is
    // opened, lower-cased by Display and as it stands by the double-click.
    QTest::newRow("Display, listed keyword with no equal key")
        << u"display"_s << 4 << u"x"_s << u"Hanged Man "_s << u"hanged man"_s;
    QTest::newRow("double-click, listed keyword with no equal key")
        << u"double"_s << 4 << QString() << u"Hanged Man "_s << u"Hanged Man"_s;
}

void TestDictionaryUi::displayAndDoubleClickOpenEntries()
{
    QFETCH(QString, trigger);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, keyAfter);
    QFETCH(QString, address);

    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    if (!text.isEmpty())
        child<QLineEdit>(frame, "txtKey")->setText(text);
    if (trigger == u"display") {
        if (row >= 0)
            child<QTreeWidget>(frame, "lstKeys")->topLevelItem(row)->setSelected(true);
        QTest::mouseClick(child<QPushButton>(frame, "cmdDisplay"), Qt::LeftButton);
    } else {
        doubleClick(child<QTreeWidget>(frame, "lstKeys")->viewport(), centreOfRow(frame, row));
    }

    QCOMPARE(child<QLineEdit>(frame, "txtKey")->text(), keyAfter);
    QCOMPARE(f->browsers.steps, (QStringList{u"navigate "_s + address, u"show"_s, u"hide web search"_s}));
    QCOMPARE(f->session.dictionaryLink, address);
    QVERIFY(f->platform.messages.isEmpty());
    QCOMPARE(listed(frame), installedKeys());
}

void TestDictionaryUi::doubleClickOnEmptyListSaysNotFound()
{
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    child<QLineEdit>(frame, "txtKey")->setText(u"zodiac"_s);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->topLevelItemCount(), 0);
    f->platform.messages.clear();
    child<QPushButton>(frame, "cmdSearch")->setFocus();

    doubleClick(child<QTreeWidget>(frame, "lstKeys")->viewport(), QPoint(10, 10));

    QCOMPARE(f->platform.messageTexts(), QStringList{notFound});
    QVERIFY(f->browsers.steps.isEmpty());
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
}

void TestDictionaryUi::emptyingTheBoxRestoresFullList()
{
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    child<QLineEdit>(frame, "txtKey")->setFocus();
    QTest::keyClicks(child<QLineEdit>(frame, "txtKey"), u"st"_s);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QCOMPARE(listed(frame), QStringList{u"Star"_s});
    // Typing alone does not search; a box that becomes blank refills the whole list.
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Backspace);
    QCOMPARE(listed(frame), QStringList{u"Star"_s});
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Backspace);
    QCOMPARE(listed(frame), installedKeys());
    setListed(frame, {u"marker row"_s});
    QTest::keyClicks(child<QLineEdit>(frame, "txtKey"), u"  "_s);
    QCOMPARE(listed(frame), installedKeys());
    QVERIFY(f->platform.messages.isEmpty());
}

// The same handlers with the main window's own browser windows.
void TestDictionaryUi::mainWindowBrowsersFollowThePanel()
{
    NoNetwork noNetwork;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&noNetwork);
    auto unblock = qScopeGuard([] { QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr); });
    f->platform.online = true;
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    frame->dictionaryHandlers()->setBrowsers(nullptr);
    WebWindows *web = frame->webWindows();
    QVERIFY(!web->dictionaryBrowser());

    // An entry opens in the dictionary browser, which the first use creates.
    child<QLineEdit>(frame, "txtKey")->setText(u"star"_s);
    QTest::mouseClick(child<QPushButton>(frame, "cmdDisplay"), Qt::LeftButton);
    QPointer<frmMain> main = web->dictionaryBrowser();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(main->page()->requestedUrl(), QUrl(u"https://dict.example/star"_s));
    // The new browser opened the address left for it and cleared it.
    QCOMPARE(f->session.dictionaryLink, QString());

    // The web search opens its own window, afresh for every search.
    QTest::mouseClick(child<QRadioButton>(frame, "optGoogle"), Qt::LeftButton);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QPointer<frmBrowser> search = web->webSearch();
    QVERIFY(search);
    QVERIFY(search->isVisible());
    QCOMPARE(search->QueryString, u"star"_s);
    QTest::mouseClick(child<QPushButton>(frame, "cmdSearch"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!search);
    search = web->webSearch();
    QVERIFY(search && search->isVisible());

    // A dictionary search brings the dictionary browser back in front of it.
    QTest::mouseClick(child<QRadioButton>(frame, "optExact"), Qt::LeftButton);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QCOMPARE(listed(frame), QStringList{u"Star"_s});
    QVERIFY(main && main->isVisible());
    QVERIFY(search && !search->isVisible());
    // Search opens the text as typed, as an address.
    QTest::mouseClick(child<QPushButton>(frame, "cmdSearch"), Qt::LeftButton);
    QCOMPARE(main->page()->requestedUrl(), QUrl(u"http://star/"_s));
    QVERIFY(f->platform.messages.isEmpty());
}

// The user has closed the dictionary browser; a search with matches creates it again, on
// screen, and the toolbar drives it.
void TestDictionaryUi::searchBringsClosedBrowserBack_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("exact") << u"exact"_s;
    QTest::newRow("wildcard") << u"wild"_s;
}

void TestDictionaryUi::searchBringsClosedBrowserBack()
{
    QFETCH(QString, kind);
    NoNetwork noNetwork;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&noNetwork);
    auto unblock = qScopeGuard([] { QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr); });
    f->platform.online = true;
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    frame->dictionaryHandlers()->setBrowsers(nullptr);
    WebWindows *web = frame->webWindows();
    web->showDictionaryBrowser();
    QPointer<frmMain> closed = web->dictionaryBrowser();
    QVERIFY(closed && closed->isVisible());
    closed->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!closed);

    QTest::mouseClick(kind == u"wild" ? child<QRadioButton>(frame, "optWildCard")
                                      : child<QRadioButton>(frame, "optExact"),
                      Qt::LeftButton);
    child<QLineEdit>(frame, "txtKey")->setText(u"star"_s);
    QTest::mouseClick(child<QPushButton>(frame, "cmdSearch"), Qt::LeftButton);

    QCOMPARE(listed(frame), QStringList{u"Star"_s});
    frmMain *main = web->dictionaryBrowser();
    QVERIFY(main);
    QVERIFY(main->isVisible() && main->WB->isVisible());
    QCOMPARE(child<QMdiArea>(frame, "mdiArea")->activeSubWindow(), main->parentWidget());
    QCOMPARE(main->page()->requestedUrl(), QUrl(u"http://star/"_s));
    frame->findChild<QAction *>(u"TB_Home"_s)->trigger();
    QCOMPARE(main->page()->requestedUrl(), QUrl(MakerPageAddress(QString::fromUtf16(page::home))));
    QVERIFY(f->platform.messages.isEmpty());
}

// Search (exact) with the list still full: a dictionary that cannot be read has found
// nothing; one that is read but has no rows leaves the list and opens the text.
void TestDictionaryUi::searchWithUnreadableDictionary_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("not a database") << u"garbage"_s << notFound << QStringList();
    QTest::newRow("no tarot table") << u"foreign"_s << notFound << QStringList();
    QTest::newRow("gone") << u"missing"_s << notFound << QStringList();
    QTest::newRow("no rows") << u"empty"_s << QString() << QStringList{u"navigate star"_s};
}

void TestDictionaryUi::searchWithUnreadableDictionary()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(QStringList, steps);
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    QCOMPARE(listed(frame), installedKeys());
    QVERIFY(QFile::remove(f->installed()));
    if (damage == u"garbage") {
        f->folder.writeFile(u"tarot.dll"_s, QByteArrayLiteral("plain text, not a dictionary"));
    } else if (damage == u"foreign") {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"foreign"_s);
        db.setDatabaseName(f->installed());
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(u"CREATE TABLE recipes (\"Key\" TEXT)"_s));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"foreign"_s);
    } else if (damage == u"empty") {
        writeDictionary(f->installed(), {});
    }
    child<QLineEdit>(frame, "txtKey")->setText(u"star"_s);
    child<QPushButton>(frame, "cmdDisplay")->setFocus();

    QTest::mouseClick(child<QPushButton>(frame, "cmdSearch"), Qt::LeftButton);

    QCOMPARE(f->platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f->browsers.steps, steps);
    QCOMPARE(listed(frame), installedKeys());
    if (!message.isEmpty())
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
}

// Another program holds the dictionary locked when the main window fills its list: the list
// stays empty and the dictionary mode says so, once; a reading says nothing.
void TestDictionaryUi::keywordListInUseSaysSoOnce()
{
    QSqlDatabase locker = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s);
    auto release = qScopeGuard([&] {
        QSqlQuery(locker).exec(u"ROLLBACK"_s);
        locker.close();
        locker = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"locker"_s);
    });
    locker.setDatabaseName(f->installed());
    QVERIFY(locker.open());
    QVERIFY(QSqlQuery(locker).exec(u"BEGIN EXCLUSIVE"_s));

    frmMDI *reading = f->shell.mainWindow();
    reading->applyReadingArrangement();
    QCOMPARE(child<QTreeWidget>(reading, "lstKeys")->topLevelItemCount(), 0);
    QVERIFY(f->platform.messages.isEmpty());
    reading->cmdRestart_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->topLevelItemCount(), 0);
    QCOMPARE(f->platform.messageTexts(), QStringList{DictMessageText(DictMessage::InUse)});
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
    frame->applyDictionaryArrangement();
    QCOMPARE(f->platform.messages.size(), 1);
}

// ---- The update ----------------------------------------------------------------------------

void TestDictionaryUi::updateOnlyInDictionaryMode()
{
    frmMDI *frame = f->shell.mainWindow();
    frame->applyReadingArrangement();
    QVERIFY(!child<QAction>(frame, "mnuUpdateKey")->isEnabled());
    f->platform.fileToOpen = f->installed();
    child<QAction>(frame, "mnuUpdateKey")->trigger();
    QVERIFY(f->platform.chosenFileTitles.isEmpty());
    frame->applyDictionaryArrangement();
    QVERIFY(child<QAction>(frame, "mnuUpdateKey")->isEnabled());
}

void TestDictionaryUi::updateCancelledDoesNothing()
{
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    f->platform.fileToOpen = QString();
    child<QAction>(frame, "mnuUpdateKey")->trigger();
    QCOMPARE(f->platform.chosenFileTitles.size(), 1);
    QVERIFY(f->platform.messages.isEmpty());
    QVERIFY(!frame->findChild<frmPB *>());
    QCOMPARE(keysIn(f->installed()), installedKeys());
    QVERIFY(!QFileInfo::exists(f->session.dictionaryStore.userCopyPath(f->folder.path())));
}

void TestDictionaryUi::updateAddsRowsThenProgressThenSuccess()
{
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    const QString chosen = f->folder.filePath(u"newer.dll"_s);
    writeDictionary(chosen,
                    {
                        {u"Moon"_s, u"https://dict.example/moon"_s},
                        {u"Star again"_s, u"https://dict.example/star"_s}, // known address
                        {u"Tower"_s, u"https://dict.example/Tower"_s}, // case counts
                    });
    f->platform.fileToOpen = chosen;
    f->session.ProgressCount = 0;

    // What the progress window looks like while it runs, and what the list holds meanwhile.
    struct Seen
    {
        bool shown = false;
        bool modal = false;
        int maximum = 0;
        QString label;
        QString button;
        QStringList listWhileShown;
    } seen;
    QTimer::singleShot(0, frame, [&] {
        auto *pb = qobject_cast<frmPB *>(QApplication::activeModalWidget());
        if (!pb)
            return;
        seen.shown = pb->isVisible();
        seen.modal = pb->isModal();
        seen.maximum = pb->PB->maximum();
        seen.label = pb->Label1->text();
        seen.button = pb->cmdPB->text();
        seen.listWhileShown = listed(frame);
    });
    bool progressGoneAtMessage = false;
    f->platform.onMessage = [&](const FakePlatform::Message &) {
        progressGoneAtMessage = !frame->findChild<frmPB *>() && !QApplication::activeModalWidget();
    };
    child<QPushButton>(frame, "cmdSearch")->setFocus();

    child<QAction>(frame, "mnuUpdateKey")->trigger();

    QVERIFY(seen.shown);
    QVERIFY(seen.modal);
    QCOMPARE(seen.maximum, 50);
    QCOMPARE(seen.label, u"Please wait while Dictionary is Updating ...."_s);
    QCOMPARE(seen.button, u"Show Progress"_s);
    QVERIFY(progressGoneAtMessage);
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(f->platform.messages.first().text, u"Tarot Dictionary Successfully Updated\rPlease restart dictionary "_s);
    QCOMPARE(f->platform.messages.first().icon, MessageIcon::Information);
    // The main window takes the keyboard back from the closed progress window.
    QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
    QCOMPARE(f->session.ProgressCount, qint16(0));
    QCOMPARE(keysIn(f->installed()), (installedKeys() + QStringList{u"Moon"_s, u"Tower"_s}));
    // The list is not reloaded: the new keywords show once it is refilled.
    QCOMPARE(listed(frame), installedKeys());
    child<QLineEdit>(frame, "txtKey")->setText(u"moon"_s);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QCOMPARE(listed(frame), QStringList{u"Moon"_s});
}

// An update that adds nothing honestly: no progress window, its message, focus to the box.
void TestDictionaryUi::updateRefusals_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("keysAfter");

    QTest::newRow("not a database") << u"garbage"_s << u"There is nothing to Update"_s << installedKeys();
    QTest::newRow("empty dictionary") << u"empty"_s << u"There is nothing to Update"_s << installedKeys();
    // Rows before the first foreign one stay merged.
    QTest::newRow("another dictionary's rows")
        << u"wrong"_s << u"This is the wrong file! Lookup online help"_s << installedKeys() + QStringList{u"Moon"_s};
    QTest::newRow("installed dictionary locked by another program")
        << u"locked"_s << u"The Tarot Dictionary was not changed.\rThe dictionary file is in use by another program."_s
        << installedKeys();
}

void TestDictionaryUi::updateRefusals()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QStringList, keysAfter);

    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    const QString chosen = f->folder.filePath(u"chosen.dll"_s);
    std::optional<QSqlDatabase> locker;
    if (fault == u"garbage") {
        f->folder.writeFile(u"chosen.dll"_s, QByteArrayLiteral("plain text, not a dictionary"));
    } else if (fault == u"empty") {
        writeDictionary(chosen, {});
    } else if (fault == u"wrong") {
        writeDictionary(chosen,
                        {{u"Moon"_s, u"https://dict.example/moon"_s},
                         {u"Sun"_s, u"https://dict.example/sun"_s, u"Tarot"_s},
                         {u"Sky"_s, u"https://dict.example/sky"_s}});
    } else {
        writeDictionary(chosen, {{u"Moon"_s, u"https://dict.example/moon"_s}});
        locker = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s);
        locker->setDatabaseName(f->installed());
        QVERIFY(locker->open());
        QVERIFY(QSqlQuery(*locker).exec(u"BEGIN EXCLUSIVE"_s));
    }
    f->platform.fileToOpen = chosen;
    bool progressShown = false;
    QTimer::singleShot(0, frame, [&] { progressShown = qobject_cast<frmPB *>(QApplication::activeModalWidget()); });
    child<QPushButton>(frame, "cmdSearch")->setFocus();

    child<QAction>(frame, "mnuUpdateKey")->trigger();

    if (locker) {
        QSqlQuery(*locker).exec(u"ROLLBACK"_s);
        locker->close();
        locker.reset();
        QSqlDatabase::removeDatabase(u"locker"_s);
    }
    QCOMPARE(f->platform.messageTexts(), QStringList{message});
    QCOMPARE(f->platform.messages.first().icon, fault == u"locked" ? MessageIcon::Error : MessageIcon::Information);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(frame, "txtKey"));
    QVERIFY(!progressShown);
    QCOMPARE(keysIn(f->installed()), keysAfter);
    QCOMPARE(listed(frame), installedKeys());
}

void TestDictionaryUi::progressWindowSteps()
{
    f->session.ProgressCount = 0;
    auto pb = std::make_unique<frmPB>(f->session);
    QCOMPARE(pb->windowTitle(), u"Kesto v1.55"_s);
    QCOMPARE(pb->Timer1->interval(), 100);
    QVERIFY(pb->Timer1->isActive());
    QCOMPARE(pb->ProgressMax, 50);
    pb->show();
    QVERIFY(pb->PB->isVisible());

    for (int step = 1; step <= 50; ++step) {
        pb->Timer1_Timer();
        QCOMPARE(f->session.ProgressCount, qint16(step));
        QCOMPARE(pb->PB->value(), step);
        QVERIFY(pb->isVisible());
    }
    // The tick after the last step ends the window.
    pb->Timer1_Timer();
    QVERIFY(!pb->isVisible());
    QVERIFY(!pb->Timer1->isActive());
    QVERIFY(!pb->PB->isVisible());
    QCOMPARE(f->session.ProgressCount, qint16(0));

    // Closed part-way, the next window still starts from the first step.
    auto second = std::make_unique<frmPB>(f->session);
    second->show();
    for (int step = 0; step < 7; ++step)
        second->Timer1_Timer();
    second->close();
    QCOMPARE(f->session.ProgressCount, qint16(0));
    auto third = std::make_unique<frmPB>(f->session);
    QCOMPARE(third->PB->value(), 0);
    third->Timer1_Timer();
    QCOMPARE(f->session.ProgressCount, qint16(1));
}

// Escape and the close box leave the window running; it goes after its last step.
void TestDictionaryUi::progressWindowClosesOnlyItself()
{
    f->session.ProgressCount = 0;
    auto pb = std::make_unique<frmPB>(f->session, nullptr, 60000);
    pb->show();
    QVERIFY(QTest::qWaitForWindowActive(pb.get()));
    pb->Timer1_Timer();

    QTest::keyClick(pb.get(), Qt::Key_Escape);
    QTest::keyClick(pb->cmdPB, Qt::Key_Escape);
    // The close box, as the window system delivers it to the window.
    QCloseEvent closeBox;
    QSpontaneKeyEvent::setSpontaneous(&closeBox);
    QApplication::instance()->notify(pb.get(), &closeBox);

    QVERIFY(pb->isVisible());
    QVERIFY(pb->Timer1->isActive());
    QCOMPARE(f->session.ProgressCount, qint16(1));
    for (int step = 2; step <= 50; ++step)
        pb->Timer1_Timer();
    QVERIFY(pb->isVisible());
    pb->Timer1_Timer();
    QVERIFY(!pb->isVisible());
    QCOMPARE(pb->result(), int(QDialog::Accepted));
}

// ---- Where the installed dictionary is written ---------------------------------------------

void TestDictionaryUi::writableProgramFolderKeepsItsOwnFile()
{
    f->session.dictionaryStore.setWriteCheck([](const QString &) { return true; });
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    const QString chosen = f->folder.filePath(u"newer.dll"_s);
    writeDictionary(chosen, {{u"Moon"_s, u"https://dict.example/moon"_s}});
    f->platform.fileToOpen = chosen;

    child<QAction>(frame, "mnuUpdateKey")->trigger();

    QCOMPARE(f->platform.messageTexts(), QStringList{UpdatedMessage()});
    QCOMPARE(keysIn(f->installed()), installedKeys() + QStringList{u"Moon"_s});
    QVERIFY(!QFileInfo::exists(f->session.dictionaryStore.userCopyPath(f->folder.path())));
    QCOMPARE(frame->dictionaryHandlers()->dictionaryFolder(), f->folder.path());
}

void TestDictionaryUi::readOnlyProgramFolderUsesUserCopy()
{
    QStringList checked;
    f->session.dictionaryStore.setWriteCheck([&checked](const QString &path) {
        checked.append(path);
        return false;
    });
    // The shipped file is write-protected too, so that its copy must be made writable.
    QFile::setPermissions(f->installed(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QByteArray shippedBefore = [&] {
        QFile file(f->installed());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    const QString chosen = f->folder.filePath(u"newer.dll"_s);
    writeDictionary(chosen, {{u"Moon"_s, u"https://dict.example/moon"_s}});
    f->platform.fileToOpen = chosen;

    child<QAction>(frame, "mnuUpdateKey")->trigger();

    QCOMPARE(f->platform.messageTexts(), QStringList{UpdatedMessage()});
    QCOMPARE(checked, QStringList{f->installed()});
    const QString copy = f->session.dictionaryStore.userCopyPath(f->folder.path());
    QCOMPARE(keysIn(copy), installedKeys() + QStringList{u"Moon"_s});
    QVERIFY(QFileInfo(copy).isWritable());
    QVERIFY(!QFileInfo::exists(copy + u".part"_s));
    QFile shipped(f->installed());
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(shipped.readAll(), shippedBefore);

    // From now on every action reads the copy: a search finds the new keyword...
    child<QLineEdit>(frame, "txtKey")->setText(u"moon"_s);
    QTest::keyClick(child<QLineEdit>(frame, "txtKey"), Qt::Key_Return);
    QCOMPARE(listed(frame), QStringList{u"Moon"_s});
    // ... a new main window lists it ...
    frame->cmdRestart_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame = f->dictionaryWindow();
    QVERIFY(frame);
    QCOMPARE(listed(frame), installedKeys() + QStringList{u"Moon"_s});
    // ... and the next update goes into the copy without asking about the program folder.
    writeDictionary(f->folder.filePath(u"newest.dll"_s), {{u"Sun"_s, u"https://dict.example/sun"_s}});
    f->platform.fileToOpen = f->folder.filePath(u"newest.dll"_s);
    child<QAction>(frame, "mnuUpdateKey")->trigger();
    QCOMPARE(keysIn(copy), (installedKeys() + QStringList{u"Moon"_s, u"Sun"_s}));
    QCOMPARE(checked.size(), 1);
    QCOMPARE(keysIn(f->installed()), installedKeys());

    // The copy belongs to this program folder: another installation reads its own file.
    QVERIFY(copy.startsWith(f->userData.filePath(u"kesto/programs/"_s)));
    TestFolder other;
    QCOMPARE(f->session.dictionaryStore.dictionaryFolder(other.path()), other.path());
}

void TestDictionaryUi::readOnlyProgramFolderWithNothingNewMakesNoCopy()
{
    f->session.dictionaryStore.setWriteCheck([](const QString &) { return false; });
    frmMDI *frame = f->dictionaryWindow();
    QVERIFY(frame);
    // The installed file merged into itself adds nothing.
    f->platform.fileToOpen = f->installed();

    child<QAction>(frame, "mnuUpdateKey")->trigger();

    QCOMPARE(f->platform.messageTexts(), QStringList{UpdatedMessage()});
    const QString copy = f->session.dictionaryStore.userCopyPath(f->folder.path());
    QVERIFY(!QFileInfo::exists(copy));
    QVERIFY(!QFileInfo::exists(copy + u".part"_s));
    QCOMPARE(frame->dictionaryHandlers()->dictionaryFolder(), f->folder.path());
}

// The file system's own answer, as the program uses it when nothing is injected.
void TestDictionaryUi::realWriteCheck()
{
    QVERIFY(CanWriteInPlace(f->installed()));
    QVERIFY(!CanWriteInPlace(f->folder.filePath(u"absent.dll"_s)));
    QVERIFY(!CanWriteInPlace(f->folder.filePath(u"cards"_s)));

    if (::geteuid() == 0)
        QSKIP("Permissions do not stop the superuser; the injected check covers the read-only folder");

    // A folder the user cannot write: the dictionary goes to the user's copy.
    QFile::setPermissions(f->folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    auto restore = qScopeGuard([&] {
        QFile::setPermissions(f->folder.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    QVERIFY(!CanWriteInPlace(f->installed()));
    QTemporaryDir elsewhere;
    const QString chosen = elsewhere.filePath(u"newer.dll"_s);
    writeDictionary(chosen, {{u"Moon"_s, u"https://dict.example/moon"_s}});
    const MergeReport report = f->session.dictionaryStore.merge(f->folder.path(), chosen);
    QCOMPARE(report.outcome, MergeOutcome::Updated);
    QCOMPARE(keysIn(f->session.dictionaryStore.userCopyPath(f->folder.path())),
             installedKeys() + QStringList{u"Moon"_s});
    QCOMPARE(keysIn(f->installed()), installedKeys());
}

int main(int argc, char *argv[])
{
    // The embedded browser needs shared contexts, and no sandbox when run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestDictionaryUi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dictionaryui.moc"

#include "fakeplatform.h"
#include "findchild.h"
#include "testfolder.h"

#include "ui/mainwindow/frmmdi.h"
#include "ui/shell/frmopen.h"
#include "ui/shell/shell.h"

#include "core/platform/maker.h"
#include "core/session/session.h"
#include "core/platform/twips.h"
#include "ui/widgets/linklabel.h"
#include "ui/web/browserhost.h"
#include "ui/web/frmbrowser.h"
#include "ui/web/frmmain.h"
#include "core/online/modhelp.h"
#include "ui/web/safepage.h"
#include "ui/web/searchform.h"
#include "ui/web/webwindows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolBar>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QtTest>
#include <memory>
#include <unistd.h>

using namespace kesto;
using kesto::test::child;
using kesto::test::FakePlatform;

namespace {

constexpr int kLoadTimeout = 30000;

// A small web server on loopback: records every GET it receives and answers from a table of
// pages (404 for anything else).
class LoopbackServer : public QObject
{
public:
    struct Request
    {
        QString path;
        QByteArray query; // as sent, still encoded
    };

    LoopbackServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    bool start() { return m_server.listen(QHostAddress::LocalHost); }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:") + QString::number(m_server.serverPort()) + path;
    }
    void setPage(const QString &path, const QByteArray &html) { m_pages.insert(path, html); }

    QList<Request> requestsFor(const QString &path) const
    {
        QList<Request> found;
        for (const Request &request : requests) {
            if (request.path == path)
                found.append(request);
        }
        return found;
    }

    QList<Request> requests;

private:
    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray &buffer = m_buffers[socket];
            buffer += socket->readAll();
            const qsizetype end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
            m_buffers.remove(socket);
            if (requestLine.size() < 2)
                return socket->disconnectFromHost();
            const QByteArray target = requestLine.at(1);
            const qsizetype mark = target.indexOf('?');
            Request request{QString::fromLatin1(mark < 0 ? target : target.left(mark)),
                            mark < 0 ? QByteArray() : target.mid(mark + 1)};
            requests.append(request);
            const auto page = m_pages.constFind(request.path);
            const QByteArray body = page == m_pages.cend() ? QByteArray("<html><body>missing</body></html>") : *page;
            const QByteArray status = page == m_pages.cend() ? "404 Not Found" : "200 OK";
            socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                          + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QHash<QString, QByteArray> m_pages;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

// The fields of a form submission, decoded the way the form sent them (ISO-8859-1).
QMap<QString, QString> formFields(const QByteArray &query)
{
    QMap<QString, QString> fields;
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0)
            continue;
        auto decode = [](QByteArray text) {
            return QString::fromLatin1(QByteArray::fromPercentEncoding(text.replace('+', ' ')));
        };
        fields.insert(decode(pair.left(equals)), decode(pair.mid(equals + 1)));
    }
    return fields;
}

// The main window as the browser windows see it: a client area, a search box text and the
// design sizes of the frame and its panels.
class FakeHost : public BrowserHost
{
public:
    FakeHost()
    {
        area.resize(1000, 700);
        area.show();
    }
    QString searchText() const override { return text; }
    HostMetrics metrics() const override { return sizes; }
    void addChildWindow(QWidget *window) override { area.addSubWindow(window); }

    QMdiArea area;
    QString text;
    HostMetrics sizes{15360, 11100, 2925, 915, 660, 540};
};

// Keeps the tests off the network: every request to a host other than the loopback server
// (the maker's and the search engine's configured addresses) is blocked before it leaves.
class LoopbackOnly : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        if ((url.scheme() == u"http" || url.scheme() == u"https") && url.host() != u"127.0.0.1")
            info.block(true);
    }
};

// Closes every modal window that comes up, and counts them: a script dialog shown by a page
// is one, and would otherwise hold the test as it holds the program.
class ModalWatch : public QObject
{
public:
    ModalWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++seen;
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        m_timer.start(10);
    }
    int seen = 0;

private:
    QTimer m_timer;
};

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kLoadTimeout))
        qWarning("script did not finish");
    return result;
}

} // namespace

class tst_Browser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr); }
    void init();
    void cleanup();
    void allowedAddresses_data();
    void allowedAddresses();
    void offlineNotice_data();
    void offlineNotice();
    void dictionaryBrowserFirstAddress_data();
    void dictionaryBrowserFirstAddress();
    void pageCannotLeaveForRefusedScheme();
    void toolbarDrivesDictionaryBrowser();
    void webSearchSubmitsForm_data();
    void webSearchSubmitsForm();
    void secondSearchReplacesFirst();
    void laterDocumentsDoNotReinject();
    void mainWindowDictionaryArrangement();
    void scriptDialogsAreNotShown();
    void windowsCloseWhileAPageAsks_data();
    void windowsCloseWhileAPageAsks();

private:
    frmBrowser *searchAndWaitForResults(const QString &text);

    LoopbackServer m_server;
    LoopbackOnly m_loopbackOnly;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<WebWindows> m_web;
};

void tst_Browser::initTestCase()
{
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&m_loopbackOnly);
    QVERIFY(m_server.start());
    m_server.setPage(QStringLiteral("/entry"), "<html><head><title>The Tower</title></head><body>Tower</body></html>");
    m_server.setPage(QStringLiteral("/entry2"), "<html><head><title>The Moon</title></head><body>Moon</body></html>");
    m_server.setPage(QStringLiteral("/after"), "<html><head><title>After</title></head><body>after</body></html>");
    // The results page holds a frame: a later document that must not get the form.
    m_server.setPage(QStringLiteral("/custom"),
                     "<html><head><title>Results</title></head>"
                     "<body><p>Results</p><iframe src=\"/frame\"></iframe></body></html>");
    m_server.setPage(QStringLiteral("/frame"), "<html><body>frame</body></html>");
    // Once loaded, the page asks without pause for two seconds (alert, confirm, prompt), its
    // title counting the rounds, then says what the answers were.
    m_server.setPage(QStringLiteral("/asking"),
                     "<html><head><title>Asking</title></head><body><script>"
                     "window.onload = function () { setTimeout(function () {"
                     "  var rounds = 0, confirmed = false, answer = null;"
                     "  var end = Date.now() + 2000;"
                     "  while (Date.now() < end) {"
                     "    alert('again ' + rounds);"
                     "    confirmed = confirm('stay?') || confirmed;"
                     "    var given = prompt('name?', 'x');"
                     "    if (given !== null) answer = given;"
                     "    if (++rounds % 10 === 0) document.title = 'asking ' + rounds;"
                     "  }"
                     "  document.title = 'asked ' + rounds + ' ' + confirmed + ' ' + answer;"
                     "}, 0); };"
                     "</script></body></html>");
}

void tst_Browser::init()
{
    m_server.requests.clear();
    m_platform = std::make_unique<FakePlatform>();
    m_session = std::make_unique<Session>(*m_platform);
    m_session->internetConnected = 1;
    m_host = std::make_unique<FakeHost>();
    m_web = std::make_unique<WebWindows>(*m_session, *m_host);
    m_web->setSearchAction(m_server.url(QStringLiteral("/custom")));
}

void tst_Browser::cleanup()
{
    m_web.reset();
    m_host.reset(); // closes and deletes the windows in its client area
    m_session.reset();
    m_platform.reset();
}

void tst_Browser::allowedAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened"); // empty when refused
    QTest::newRow("http") << QStringLiteral("http://kesto.example/tower.html")
                          << QStringLiteral("http://kesto.example/tower.html");
    QTest::newRow("https") << QStringLiteral("https://kesto.example/") << QStringLiteral("https://kesto.example/");
    QTest::newRow("blank page") << QStringLiteral("about:blank") << QStringLiteral("about:blank");
    QTest::newRow("keyword") << QStringLiteral("  tarot ") << QStringLiteral("http://tarot");
    QTest::newRow("host without scheme") << QStringLiteral("www.kesto.example/a")
                                         << QStringLiteral("http://www.kesto.example/a");
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << QString();
    QTest::newRow("path") << QStringLiteral("/etc/passwd") << QString();
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << QString();
    QTest::newRow("data") << QStringLiteral("data:text/html,<b>x</b>") << QString();
    QTest::newRow("ftp") << QStringLiteral("ftp://files.kesto.example/") << QString();
    QTest::newRow("other about page") << QStringLiteral("about:config") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void tst_Browser::allowedAddresses()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    const QUrl url = BrowserAddress(address);
    QCOMPARE(IsAllowedBrowserAddress(url), !opened.isEmpty());
    if (!opened.isEmpty())
        QCOMPARE(url, QUrl(opened));
}

void tst_Browser::offlineNotice_data()
{
    QTest::addColumn<int>("connected");
    QTest::newRow("offline") << 0;
    QTest::newRow("online") << 1;
}

void tst_Browser::offlineNotice()
{
    QFETCH(int, connected);
    m_session->internetConnected = connected;
    m_session->dictionaryLink = m_server.url(QStringLiteral("/entry"));
    m_web->showDictionaryBrowser();
    m_web->openWebSearch();
    frmMain *main = m_web->dictionaryBrowser();
    frmBrowser *search = m_web->webSearch();
    QVERIFY(main && search);

    const bool online = connected == 1;
    QCOMPARE(main->findChild<QWebEngineView *>(QStringLiteral("WB"))->isVisibleTo(main), online);
    QCOMPARE(main->findChild<QLabel *>(QStringLiteral("lblCaption"))->isVisibleTo(main), !online);
    QCOMPARE(main->lblCaption->text(),
             QStringLiteral("You must be connected to the internet in order to use this software."));
    QCOMPARE(search->findChild<QWebEngineView *>(QStringLiteral("brwWebBrowser"))->isVisibleTo(search), online);
    QCOMPARE(search->findChild<QLabel *>(QStringLiteral("lblCaption"))->isVisibleTo(search), !online);
    QCOMPARE(search->lblCaption->text(), main->lblCaption->text());
    // Offline, nothing is loaded and the entry address stays for a later browser.
    QCOMPARE(main->page()->requestedUrl().isEmpty(), !online);
    QCOMPARE(search->page()->requestedUrl().isEmpty(), !online);
    QCOMPARE(m_session->dictionaryLink.isEmpty(), online);

    // Both windows follow their size rules, in twips of the main window's design sizes.
    auto twipsSize = [](QWidget *form) {
        const QWidget *window = form->parentWidget();
        return QSize(pixelsToTwips(window->width(), form->logicalDpiX()),
                     pixelsToTwips(window->height(), form->logicalDpiY()));
    };
    QVERIFY(qAbs(twipsSize(main).width() - (15360 - 2925 - 250)) <= 15);
    QVERIFY(qAbs(twipsSize(main).height() - (11100 - 2600)) <= 15);
    QVERIFY(qAbs(twipsSize(search).width() - (15360 - 2925)) <= 15);
    QVERIFY(
        qAbs(pixelsToTwips(search->brwWebBrowser->height(), search->logicalDpiY()) - (11100 - 915 - 660 - 540 - 650))
        <= 15);

    // The advert opens the maker's home page.
    QTest::mouseClick(search->Label61, Qt::LeftButton);
    QCOMPARE(m_platform->openedAddresses, QStringList{MakerPageAddress(QString::fromUtf16(page::home))});
}

void tst_Browser::dictionaryBrowserFirstAddress_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("searchBox");
    QTest::addColumn<QString>("expected"); // the address requested first; empty: nothing
    const QString entry = m_server.url(QStringLiteral("/entry"));
    QTest::newRow("entry address") << entry << QString() << entry;
    QTest::newRow("no entry: maker's home page")
        << QString() << QString() << MakerPageAddress(QString::fromUtf16(page::home));
    QTest::newRow("search engine's home page: the search text")
        << maker::searchHome() << QStringLiteral("  ") + entry + QStringLiteral("  ") << entry;
    QTest::newRow("file entry refused") << QStringLiteral("file:///etc/passwd") << QString() << QString();
    QTest::newRow("script entry refused") << QStringLiteral("javascript:alert(1)") << QString() << QString();
    QTest::newRow("data entry refused") << QStringLiteral("data:text/html,<b>x</b>") << QString() << QString();
}

void tst_Browser::dictionaryBrowserFirstAddress()
{
    QFETCH(QString, link);
    QFETCH(QString, searchBox);
    QFETCH(QString, expected);
    m_session->dictionaryLink = link;
    m_host->text = searchBox;
    m_web->showDictionaryBrowser();
    frmMain *main = m_web->dictionaryBrowser();
    QVERIFY(main);
    QVERIFY(m_session->dictionaryLink.isEmpty());
    QCOMPARE(main->page()->requestedUrl(), expected.isEmpty() ? QUrl() : QUrl(expected));
    if (expected.startsWith(m_server.url(QString()))) {
        QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), QUrl(expected), kLoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestsFor(QStringLiteral("/entry")).size(), 1, kLoadTimeout);
    }
}

// Navigations a page starts itself (scripts here; links and forms go the same way) are held
// to the same schemes as the program's own. The engine already stops pages from opening
// local files; a page's own blob: document is something only the program's rule stops.
void tst_Browser::pageCannotLeaveForRefusedScheme()
{
    m_session->dictionaryLink = m_server.url(QStringLiteral("/entry"));
    m_web->showDictionaryBrowser();
    SafeBrowserPage *page = m_web->dictionaryBrowser()->page();
    QSignalSpy loads(page, &QWebEnginePage::loadFinished);
    QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), kLoadTimeout);
    QList<QUrl> visited;
    connect(page, &QWebEnginePage::urlChanged, this, [&](const QUrl &url) { visited.append(url); });
    QSignalSpy refused(page, &SafeBrowserPage::navigationRefused);

    evaluate(page, QStringLiteral("location.href = 'file:///etc/hostname'; 1"));
    evaluate(page,
             QStringLiteral("location.href = URL.createObjectURL("
                            "new Blob(['<b>blob</b>'], {type: 'text/html'})); 1"));
    QTRY_COMPARE_WITH_TIMEOUT(refused.size(), 1, kLoadTimeout);
    QCOMPARE(refused.first().at(0).toUrl().scheme(), QStringLiteral("blob"));
    evaluate(page, QStringLiteral("location.href = '/after'; 1"));
    QTRY_COMPARE_WITH_TIMEOUT(page->url(), QUrl(m_server.url(QStringLiteral("/after"))), kLoadTimeout);
    QCOMPARE(visited, QList<QUrl>{QUrl(m_server.url(QStringLiteral("/after")))});
}

void tst_Browser::toolbarDrivesDictionaryBrowser()
{
    const QUrl first(m_server.url(QStringLiteral("/entry")));
    const QUrl second(m_server.url(QStringLiteral("/entry2")));
    m_session->dictionaryLink = first.toString();
    m_web->showDictionaryBrowser();
    frmMain *main = m_web->dictionaryBrowser();
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), first, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!main->page()->isLoading(), kLoadTimeout);
    QVERIFY(m_web->navigateDictionaryBrowser(second.toString()));
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), second, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!main->page()->isLoading(), kLoadTimeout);

    // With the web-search window in front, the toolbar still acts on the dictionary browser.
    frmBrowser *search = searchAndWaitForResults(QStringLiteral("Tower"));
    QCOMPARE(m_host->area.activeSubWindow()->widget(), search);
    const QUrl results = search->page()->url();

    m_web->toolbarCommand(QStringLiteral("Back"));
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), first, kLoadTimeout);
    m_web->toolbarCommand(QStringLiteral("Forward"));
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), second, kLoadTimeout);
    m_web->toolbarCommand(QStringLiteral("Search"));
    QCOMPARE(main->page()->requestedUrl(), QUrl(maker::searchHome()));
    m_web->toolbarCommand(QStringLiteral("Home"));
    QCOMPARE(main->page()->requestedUrl(), QUrl(MakerPageAddress(QString::fromUtf16(page::home))));
    m_web->toolbarCommand(QStringLiteral("Print")); // not a toolbar key: nothing
    QCOMPARE(main->page()->requestedUrl(), QUrl(MakerPageAddress(QString::fromUtf16(page::home))));
    QCOMPARE(search->page()->url(), results);

    // A refused address leaves the dictionary browser where it was.
    QVERIFY(!m_web->navigateDictionaryBrowser(QStringLiteral("file:///etc/passwd")));
    QCOMPARE(main->page()->requestedUrl(), QUrl(MakerPageAddress(QString::fromUtf16(page::home))));

    // Showing the dictionary browser and hiding the web search bring the entry back in front.
    m_web->hideWebSearch();
    m_web->showDictionaryBrowser();
    QVERIFY(!search->parentWidget()->isVisible());
    QCOMPARE(m_host->area.activeSubWindow()->widget(), main);
}

// Opens a web search for `text` and waits until its results page has completed.
frmBrowser *tst_Browser::searchAndWaitForResults(const QString &text)
{
    m_host->text = text;
    m_web->openWebSearch();
    frmBrowser *search = m_web->webSearch();
    if (!search)
        return nullptr;
    QSignalSpy completed(search, &frmBrowser::documentCompleted);
    const QString results = m_server.url(QStringLiteral("/custom"));
    auto resultsDone = [&] {
        for (const QList<QVariant> &args : completed) {
            if (args.at(0).toUrl().toString().startsWith(results))
                return true;
        }
        return false;
    };
    if (!QTest::qWaitFor(resultsDone, kLoadTimeout))
        qWarning("the results page did not complete");
    return search;
}

void tst_Browser::webSearchSubmitsForm_data()
{
    QTest::addColumn<QString>("searchBox");
    QTest::addColumn<QString>("q");
    QTest::newRow("untrimmed keyword") << QStringLiteral("  Three of Cups  ") << QStringLiteral("  Three of Cups  ");
    QTest::newRow("empty box") << QString() << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ") << QString();
    // Only blanks are trimmed away: other white space is a query of its own.
    QTest::newRow("a tab") << QStringLiteral("\t") << QStringLiteral("\t");
    QTest::newRow("a no-break space") << QStringLiteral("\u00a0") << QStringLiteral("\u00a0");
    QTest::newRow("accents and signs") << QStringLiteral("Reine d'épées & 5+5=10")
                                       << QStringLiteral("Reine d'épées & 5+5=10");
}

void tst_Browser::webSearchSubmitsForm()
{
    QFETCH(QString, searchBox);
    QFETCH(QString, q);
    frmBrowser *search = searchAndWaitForResults(searchBox);
    QVERIFY(search);
    const QList<LoopbackServer::Request> submitted = m_server.requestsFor(QStringLiteral("/custom"));
    QCOMPARE(submitted.size(), 1);
    const QMap<QString, QString> fields = formFields(submitted.first().query);
    const QMap<QString, QString> expected{
        {QStringLiteral("q"), q},
        {QStringLiteral("sa"), QStringLiteral("Search")},
        {QStringLiteral("client"), maker::searchClient()},
        {QStringLiteral("forid"), QStringLiteral("1")},
        {QStringLiteral("ie"), QStringLiteral("ISO-8859-1")},
        {QStringLiteral("oe"), QStringLiteral("ISO-8859-1")},
        {QStringLiteral("cof"),
         QStringLiteral("GALT:#008000;GL:1;DIV:#336699;VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;ALC:0000FF;"
                        "LC:0000FF;T:000000;GFNT:0000FF;GIMP:0000FF;FORID:1;")},
        {QStringLiteral("hl"), QStringLiteral("en")},
    };
    QCOMPARE(fields, expected);

    // The results page names the window and heads the address history.
    QTRY_COMPARE_WITH_TIMEOUT(search->windowTitle(), QStringLiteral("Results"), kLoadTimeout);
    QCOMPARE(search->cboAddress->count(), 1);
    QVERIFY(search->cboAddress->currentText().startsWith(m_server.url(QStringLiteral("/custom?"))));
}

void tst_Browser::secondSearchReplacesFirst()
{
    QPointer<frmBrowser> first = searchAndWaitForResults(QStringLiteral("Tower"));
    QVERIFY(first);
    QCOMPARE(first->cboAddress->count(), 1);

    frmBrowser *second = searchAndWaitForResults(QStringLiteral("Moon"));
    QVERIFY(second);
    QTRY_VERIFY(first.isNull());
    QCOMPARE(m_host->area.subWindowList().size(), 1);
    QCOMPARE(second->cboAddress->count(), 1);
    QCOMPARE(formFields(QUrl(second->cboAddress->itemText(0)).query(QUrl::FullyEncoded).toLatin1())
                 .value(QStringLiteral("q")),
             QStringLiteral("Moon"));
    QCOMPARE(m_server.requestsFor(QStringLiteral("/custom")).size(), 2);
}

void tst_Browser::laterDocumentsDoNotReinject()
{
    frmBrowser *search = searchAndWaitForResults(QStringLiteral("Tower"));
    QVERIFY(search);
    // The frame of the results page completed as well, without a second submission.
    QTRY_COMPARE_WITH_TIMEOUT(m_server.requestsFor(QStringLiteral("/frame")).size(), 1, kLoadTimeout);

    // A blank page later on stays blank.
    QSignalSpy completed(search, &frmBrowser::documentCompleted);
    QVERIFY(search->Navigate(QStringLiteral("about:blank")));
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kLoadTimeout);
    QCOMPARE(completed.first().at(0).toUrl(), QUrl(QStringLiteral("about:blank")));
    QCOMPARE(evaluate(search->page(), QStringLiteral("document.getElementsByTagName('form').length")).toInt(), 0);
    QCOMPARE(m_server.requestsFor(QStringLiteral("/custom")).size(), 1);
    // The blank page is not put into the history.
    QCOMPARE(search->cboAddress->count(), 1);
}

// The main window's dictionary arrangement shows the dictionary browser in its client area,
// sized from the frame, and the frame's toolbar drives it.
void tst_Browser::mainWindowDictionaryArrangement()
{
    kesto::test::TestFolder folder;
    m_platform->folder = folder.path();
    m_platform->online = true;
    Shell shell(*m_session);
    const QUrl first(m_server.url(QStringLiteral("/entry")));
    const QUrl second(m_server.url(QStringLiteral("/entry2")));
    m_session->dictionaryLink = first.toString();

    shell.openDictionary();
    QPointer<frmMDI> frame = shell.existingMainWindow();
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QPointer<frmMain> main = frame->webWindows()->dictionaryBrowser();
    QVERIFY(main);
    QCOMPARE(child<QMdiArea>(frame, "mdiArea")->subWindowList().size(), 1);
    QCOMPARE(child<QMdiArea>(frame, "mdiArea")->subWindowList().first()->widget(), main.data());
    QVERIFY(main->isVisible() && main->WB->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), first, kLoadTimeout);
    QVERIFY(m_session->dictionaryLink.isEmpty());
    const int expectedWidth = pixelsToTwips(frame->width()) - 2925 - 250;
    QVERIFY(qAbs(pixelsToTwips(main->parentWidget()->width()) - expectedWidth) <= 15);

    QTRY_VERIFY_WITH_TIMEOUT(!main->page()->isLoading(), kLoadTimeout);
    frame->webWindows()->navigateDictionaryBrowser(second.toString());
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), second, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!main->page()->isLoading(), kLoadTimeout);
    QAction *back = nullptr;
    for (QAction *action : child<QToolBar>(frame, "TB")->actions()) {
        if (action->text() == u"Back")
            back = action;
    }
    QVERIFY(back);
    back->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(main->page()->url(), first, kLoadTimeout);

    // The browser windows close with the frame.
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frame);
    QVERIFY(!main);
}

// A page that calls alert(), confirm() and prompt() in a loop (the results page of a web
// search here) runs through them with nothing shown: an alert is passed over, a confirm and
// a prompt are cancelled.
void tst_Browser::scriptDialogsAreNotShown()
{
    ModalWatch modals;
    m_web->setSearchAction(m_server.url(QStringLiteral("/asking")));
    m_host->text = QStringLiteral("Tower");
    m_web->openWebSearch();
    frmBrowser *search = m_web->webSearch();
    QVERIFY(search);
    QTRY_VERIFY_WITH_TIMEOUT(search->page()->title().startsWith(u"asked "), kLoadTimeout);
    const QStringList answers = search->page()->title().split(u' ');
    QCOMPARE(answers.size(), 4);
    QVERIFY2(answers.at(1).toInt() >= 20, qPrintable(search->page()->title()));
    QCOMPARE(answers.at(2), QStringLiteral("false"));
    QCOMPARE(answers.at(3), QStringLiteral("null"));
    QCOMPARE(modals.seen, 0);
}

// While the dictionary entry's page is asking, the program's own commands still act.
void tst_Browser::windowsCloseWhileAPageAsks_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("frameStays");
    QTest::addColumn<int>("ends"); // times the program ended
    QTest::newRow("Exit") << QStringLiteral("exit") << false << 1;
    QTest::newRow("Start Again") << QStringLiteral("restart") << false << 0;
    QTest::newRow("main window's close box") << QStringLiteral("frame close box") << false << 1;
    QTest::newRow("dictionary browser's close box") << QStringLiteral("browser close box") << true << 0;
}

void tst_Browser::windowsCloseWhileAPageAsks()
{
    QFETCH(QString, command);
    QFETCH(bool, frameStays);
    QFETCH(int, ends);
    kesto::test::TestFolder folder;
    m_platform->folder = folder.path();
    m_platform->online = true;
    Shell shell(*m_session);
    m_session->dictionaryLink = m_server.url(QStringLiteral("/asking"));
    ModalWatch modals;

    shell.openDictionary();
    QPointer<frmMDI> frame = shell.existingMainWindow();
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QPointer<frmMain> main = frame->webWindows()->dictionaryBrowser();
    QVERIFY(main);
    QTRY_VERIFY_WITH_TIMEOUT(main->page()->title().startsWith(u"asking "), kLoadTimeout);

    if (command == u"exit")
        QTest::mouseClick(child<QPushButton>(frame, "cmdExit"), Qt::LeftButton);
    else if (command == u"restart")
        QTest::mouseClick(child<QPushButton>(frame, "cmdRestart"), Qt::LeftButton);
    else if (command == u"frame close box")
        frame->windowHandle()->close();
    else
        main->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!main);
    QCOMPARE(!frame.isNull() && frame->isVisible(), frameStays);
    QCOMPARE(m_platform->endCount, ends);
    if (command == u"restart")
        QVERIFY(shell.modeScreen() && shell.modeScreen()->isVisible());
    QCOMPARE(modals.seen, 0);
}

int main(int argc, char *argv[])
{
    // The embedded browser needs shared contexts, and no sandbox when run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_Browser test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browser.moc"

#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

namespace kesto {

class BrowserHost;
class frmBrowser;
class frmMain;
struct Session;

// The main window's two browser windows: the dictionary browser frmMain and the web-search
// window frmBrowser. Each is created on demand inside the host's client area and forgotten
// when it closes, so that the next use creates it afresh. Destroying the manager destroys
// the windows.
class WebWindows : public QObject
{
    Q_OBJECT
public:
    WebWindows(Session &session, BrowserHost &host, QObject *parent = nullptr);
    ~WebWindows() override;

    // The windows if they exist; never creates them.
    frmMain *dictionaryBrowser() const;
    frmBrowser *webSearch() const;

    // The dictionary browser, created and loaded (which consumes DictionaryLink) if it does
    // not exist; it is not shown by this call.
    frmMain *ensureDictionaryBrowser();
    // Shows the dictionary browser (creating it first if needed) and brings it to the front.
    void showDictionaryBrowser();
    // Opens an address in the dictionary browser. A browser that is not on screen (the user
    // closed it, so it is created again) is shown, so that the page and the toolbar's
    // commands can be seen; one on screen keeps its place among the windows. Refused
    // addresses (see SafeBrowserPage) are not opened; returns whether it was.
    bool navigateDictionaryBrowser(const QString &address);
    // The main window's toolbar: "Back", "Forward", "Stop", "Refresh", "Home" or "Search"
    // act on the dictionary browser if it exists; any other key does nothing.
    void toolbarCommand(const QString &key);

    // A web search for the main window's search text: closes the web-search window if it
    // exists and opens a fresh one.
    void openWebSearch();
    // Hides the web-search window if it exists.
    void hideWebSearch();

    // Closes both windows.
    void closeAll();

    // The address the search form submits to; the custom-search address by default.
    void setSearchAction(const QString &address) { m_searchAction = address; }
    QString searchAction() const;

private:
    Session &m_session;
    BrowserHost &m_host;
    QPointer<frmMain> m_main;
    QPointer<frmBrowser> m_browser;
    QString m_searchAction;
};

} // namespace kesto

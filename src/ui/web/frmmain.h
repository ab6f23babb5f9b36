#pragma once
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QWebEngineView;

namespace kesto {

class BrowserHost;
class SafeBrowserPage;
struct Session;

// The dictionary browser: a child window of the main window that shows the page of each
// dictionary entry. The main window's toolbar and the dictionary search drive it. When the
// machine was offline at creation it shows a notice instead of the browser.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(Session &session, BrowserHost &host, QWidget *parent = nullptr);
    ~frmMain() override;

    // Sizes the window and opens the first address: the one left in DictionaryLink (which
    // is then cleared), or the maker's home page. Call once, after the window has been put
    // into the main window's client area.
    void Form_Load();
    // Window = main window width - picLeft width - 250 by main window height - 2600 (twips);
    // the browser fills it.
    void applySizeRule();

    // Opens an address (a keyword becomes one the way a browser's address bar does). Only
    // http, https and about:blank are opened; anything else is refused and false returned.
    bool Navigate(const QString &address);
    // The toolbar's commands.
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();
    void GoHome();
    void GoSearch();

    // The address the search form submits to (the custom-search address by default).
    void setSearchAction(const QString &address);
    QString searchAction() const { return m_searchAction; }

    SafeBrowserPage *page() const { return m_page; }

    QWebEngineView *WB = nullptr;
    QLabel *lblCaption = nullptr;
    QPlainTextEdit *Text1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Applies the size rule again whenever the main window's client area changes size.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Session &m_session;
    BrowserHost &m_host;
    SafeBrowserPage *m_page = nullptr;
    QString m_searchAction;
    bool m_sizing = false;
};

} // namespace kesto

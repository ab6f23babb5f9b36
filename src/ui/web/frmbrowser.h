#pragma once
#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QWebEngineView;

namespace kesto {

class BrowserHost;
class LinkLabel;
class SafeBrowserPage;
struct Session;

// The web-search window: created afresh for every web search. Its load opens a blank page;
// the first document completed after that gets the search form, with the search box's text
// as the query, and submits it, so that the search engine's results appear.
class frmBrowser : public QWidget
{
    Q_OBJECT
public:
    // `searchAction` is the address the search form submits to.
    explicit frmBrowser(Session &session, BrowserHost &host, const QString &searchAction = QString(),
                        QWidget *parent = nullptr);
    ~frmBrowser() override;

    // Shows the window, sizes it and, when online, starts the search. Call once, after the
    // window has been put into the main window's client area.
    void Form_Load();
    // Window at (-75, -75), main window width - picLeft width by main window height + 100;
    // browser inner width - 100 by main window height - picTop - picBottom - TB - 650 (twips).
    void applySizeRule();

    // Opens an address; only http, https and about:blank are opened.
    bool Navigate(const QString &address);

    // The words to search for: the search box's text as typed, or empty.
    QString QueryString;

    QString searchAction() const { return m_searchAction; }
    bool isFirstDocumentDone() const { return m_firstDocumentDone; }
    SafeBrowserPage *page() const { return m_page; }

    QToolBar *tbToolBar = nullptr;
    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    QWebEngineView *brwWebBrowser = nullptr;
    QLabel *lblCaption = nullptr;
    QPlainTextEdit *Text1 = nullptr;
    LinkLabel *Label61 = nullptr;

Q_SIGNALS:
    // A completed document: after the form was put in (injected true) or any later one.
    void documentCompleted(const QUrl &address, bool injected);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Applies the size rule again whenever the main window's client area changes size.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void brwWebBrowser_DocumentComplete(bool ok);
    void brwWebBrowser_DownloadComplete();
    void cboAddress_Click(int index);
    void Label61_Click();
    void layoutControls();

    Session &m_session;
    BrowserHost &m_host;
    SafeBrowserPage *m_page = nullptr;
    QString m_searchAction;
    bool m_firstDocumentDone = false;
    bool m_updatingHistory = false;
    bool m_sizing = false;
    int m_browserHeight = 0; // pixels, set by the size rule
    int m_browserWidth = 0;
};

} // namespace kesto

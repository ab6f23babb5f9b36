#include "ui/web/webwindows.h"

#include "core/platform/maker.h"
#include "ui/web/browserhost.h"
#include "ui/web/browserwindow.h"
#include "ui/web/frmbrowser.h"
#include "ui/web/frmmain.h"

#include <QMdiSubWindow>

namespace kesto {

WebWindows::WebWindows(Session &session, BrowserHost &host, QObject *parent)
    : QObject(parent),
      m_session(session),
      m_host(host)
{}

// The windows go with their manager, while the host they read from still exists.
WebWindows::~WebWindows()
{
    if (m_browser)
        delete OuterWindow(m_browser);
    if (m_main)
        delete OuterWindow(m_main);
}

frmMain *WebWindows::dictionaryBrowser() const { return m_main; }

frmBrowser *WebWindows::webSearch() const { return m_browser; }

QString WebWindows::searchAction() const { return m_searchAction.isEmpty() ? maker::searchAction() : m_searchAction; }

frmMain *WebWindows::ensureDictionaryBrowser()
{
    if (!m_main) {
        auto *window = new frmMain(m_session, m_host);
        window->setSearchAction(searchAction());
        m_host.addChildWindow(window);
        m_main = window;
        window->Form_Load();
    }
    return m_main;
}

void WebWindows::showDictionaryBrowser()
{
    if (frmMain *window = ensureDictionaryBrowser())
        ShowOuterWindow(window);
}

bool WebWindows::navigateDictionaryBrowser(const QString &address)
{
    frmMain *window = ensureDictionaryBrowser();
    if (!window)
        return false;
    if (window->isHidden() || OuterWindow(window)->isHidden())
        ShowOuterWindow(window);
    return window->Navigate(address);
}

void WebWindows::toolbarCommand(const QString &key)
{
    frmMain *window = m_main;
    if (!window)
        return;
    if (key == u"Back")
        window->GoBack();
    else if (key == u"Forward")
        window->GoForward();
    else if (key == u"Stop")
        window->Stop();
    else if (key == u"Refresh")
        window->Refresh();
    else if (key == u"Home")
        window->GoHome();
    else if (key == u"Search")
        window->GoSearch();
}

// Closing a form closes the sub-window it lives in, which is then deleted with the form.
static void closeForm(QWidget *form)
{
    if (!form)
        return;
    QWidget *window = OuterWindow(form);
    window->close();
    // A form that refused to close, or lives outside a client area, is removed all the same.
    if (window != form && !window->testAttribute(Qt::WA_DeleteOnClose))
        window->deleteLater();
}

void WebWindows::openWebSearch()
{
    if (m_browser) {
        frmBrowser *old = m_browser;
        m_browser.clear();
        closeForm(old);
        // The old page must not complete any more documents into the new search.
        old->deleteLater();
    }
    auto *window = new frmBrowser(m_session, m_host, searchAction());
    m_host.addChildWindow(window);
    m_browser = window;
    window->Form_Load();
}

void WebWindows::hideWebSearch()
{
    if (m_browser)
        OuterWindow(m_browser)->hide();
}

void WebWindows::closeAll()
{
    if (m_browser)
        closeForm(m_browser);
    if (m_main)
        closeForm(m_main);
}

} // namespace kesto

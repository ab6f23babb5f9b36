#pragma once
#include <QUrl>
#include <QWebEnginePage>

namespace kesto {

// Addresses reach the embedded browsers from dictionary entries, update files and the
// search box, that is from outside. The browsers only ever show web pages (http, https)
// and the blank page; every other scheme (file, javascript, data, ...) is refused.
bool IsAllowedBrowserAddress(const QUrl &url);

// Turns what the user or a dictionary entry gave into an address the way a browser's
// address bar does ("tarot" becomes http://tarot). "about:blank" stays as it is.
QUrl BrowserAddress(const QString &text);

// A page that refuses every navigation, including those a page starts itself (links,
// scripts, form submissions, frames), to an address IsAllowedBrowserAddress refuses.
//
// A page's script dialogs (alert, confirm, prompt, and the question before leaving a page)
// are never shown: a page that asks in a loop would otherwise stack modal boxes without end
// and hold the whole program, Exit and Start Again included. An alert is passed over, a
// confirm or a prompt is answered as if cancelled, and leaving a page is always allowed.
class SafeBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit SafeBrowserPage(QObject *parent = nullptr);

    // Starts loading the address if it is allowed; returns false (and leaves the page as it
    // is) when it is refused.
    bool navigate(const QString &address);

Q_SIGNALS:
    // An address that was not opened; nothing is shown to the user.
    void navigationRefused(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
};

} // namespace kesto

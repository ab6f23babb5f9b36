#include "ui/web/safepage.h"

#include <QCoreApplication>
#include <QWebEngineSettings>

namespace kesto {

bool IsAllowedBrowserAddress(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https")
        return !url.host().isEmpty();
    return url == QUrl(QStringLiteral("about:blank"));
}

QUrl BrowserAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"about:blank", Qt::CaseInsensitive) == 0)
        return QUrl(QStringLiteral("about:blank"));
    return QUrl::fromUserInput(trimmed);
}

SafeBrowserPage::SafeBrowserPage(QObject *parent) : QWebEnginePage(parent)
{
    // Schemes the engine does not know itself (mailto:, custom ones) would otherwise be
    // handed to the desktop's handlers on a click in the page.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
}

bool SafeBrowserPage::navigate(const QString &address)
{
    const QUrl url = BrowserAddress(address);
    if (!IsAllowedBrowserAddress(url)) {
        Q_EMIT navigationRefused(url);
        return false;
    }
    load(url);
    return true;
}

bool SafeBrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!IsAllowedBrowserAddress(url)) {
        Q_EMIT navigationRefused(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void SafeBrowserPage::javaScriptAlert(const QUrl &, const QString &) {}

bool SafeBrowserPage::javaScriptConfirm(const QUrl &, const QString &msg)
{
    // The engine asks before leaving a page whose script wants to keep the user there, with
    // its own text and through this same call; the answer "leave" keeps the toolbar, the
    // search and the dictionary entries able to take the browser elsewhere.
    const QString leavePage = QCoreApplication::translate(
        "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
    return msg == leavePage;
}

bool SafeBrowserPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) { return false; }

} // namespace kesto

#include "ui/web/safepage.h"

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

} // namespace kesto

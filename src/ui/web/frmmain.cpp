#include "ui/web/frmmain.h"

#include "core/dictionary/dictsearch.h"
#include "core/platform/maker.h"
#include "core/session/session.h"
#include "ui/web/browserhost.h"
#include "ui/web/browserwindow.h"
#include "core/online/modhelp.h"
#include "ui/web/safepage.h"
#include "ui/web/searchform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace kesto {

frmMain::frmMain(Session &session, BrowserHost &host, QWidget *parent)
    : QWidget(parent),
      m_session(session),
      m_host(host),
      m_searchAction(maker::searchAction())
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kesto"));

    WB = new QWebEngineView(this);
    WB->setObjectName(QStringLiteral("WB"));
    m_page = new SafeBrowserPage(WB);
    WB->setPage(m_page);

    lblCaption
        = new QLabel(QStringLiteral("You must be connected to the internet in order to use this software."), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setWordWrap(true);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVisible(false);
    Text1->setPlainText(SearchFormHtml(m_searchAction, maker::searchClient(), maker::searchHome()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WB);
    layout->addWidget(lblCaption);
}

frmMain::~frmMain() = default;

void frmMain::setSearchAction(const QString &address)
{
    m_searchAction = address;
    Text1->setPlainText(SearchFormHtml(m_searchAction, maker::searchClient(), maker::searchHome()));
}

void frmMain::Form_Load()
{
    // The size follows the main window, which may still change size when it comes on screen.
    if (QWidget *area = ClientAreaOf(this))
        area->installEventFilter(this);
    applySizeRule();
    if (m_session.internetConnected != 1) {
        WB->setVisible(false);
        lblCaption->setVisible(true);
        return;
    }
    WB->setVisible(true);
    lblCaption->setVisible(false);

    QString &link = m_session.dictionaryLink;
    if (link.isEmpty()) {
        link = MakerPageAddress(page::home);
        Navigate(link);
    } else if (link == maker::searchHome()) {
        // The search engine's home page stands for a search of the search box's text. A
        // browser that has just been created holds no document to fill a search form into,
        // so the text itself is opened, as an address the way an address bar reads it.
        Navigate(TrimSpaces(m_host.searchText()));
    } else {
        Navigate(link);
    }
    link.clear();
}

void frmMain::applySizeRule()
{
    if (m_sizing)
        return;
    m_sizing = true;
    const HostMetrics m = m_host.metrics();
    ResizeOuterWindow(this, m.frameWidth - m.leftPanelWidth - 250, m.frameHeight - 2600);
    m_sizing = false;
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applySizeRule();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == ClientAreaOf(this))
        applySizeRule();
    return QWidget::eventFilter(watched, event);
}

bool frmMain::Navigate(const QString &address) { return m_page->navigate(address); }

void frmMain::GoBack() { WB->back(); }

void frmMain::GoForward() { WB->forward(); }

void frmMain::Stop() { WB->stop(); }

void frmMain::Refresh() { WB->reload(); }

void frmMain::GoHome() { Navigate(MakerPageAddress(page::home)); }

void frmMain::GoSearch() { Navigate(maker::searchHome()); }

} // namespace kesto

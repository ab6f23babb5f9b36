#include "ui/web/frmbrowser.h"

#include "core/dictionary/dictsearch.h"
#include "core/platform/maker.h"
#include "core/session/session.h"
#include "core/platform/twips.h"
#include "ui/widgets/linklabel.h"
#include "ui/web/browserhost.h"
#include "ui/web/browserwindow.h"
#include "core/online/modhelp.h"
#include "ui/web/safepage.h"
#include "ui/web/searchform.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolBar>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace kesto {

frmBrowser::frmBrowser(Session &session, BrowserHost &host, const QString &searchAction, QWidget *parent)
    : QWidget(parent),
      m_session(session),
      m_host(host),
      m_searchAction(searchAction.isEmpty() ? maker::searchAction() : searchAction)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kesto"));

    // The window's own toolbar is there for its looks; the main window's toolbar drives the
    // dictionary browser.
    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const struct
    {
        const char16_t *key;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {u"Back", QStyle::SP_ArrowBack},   {u"Forward", QStyle::SP_ArrowForward},
        {u"Stop", QStyle::SP_BrowserStop}, {u"Refresh", QStyle::SP_BrowserReload},
        {u"Home", QStyle::SP_DirHomeIcon}, {u"Search", QStyle::SP_FileDialogContentsView},
    };
    for (const auto &button : buttons) {
        const QString key = QString::fromUtf16(button.key);
        QAction *action = tbToolBar->addAction(style()->standardIcon(button.icon), key);
        action->setObjectName(key);
        action->setData(key);
    }

    lblAddress = new QLabel(QStringLiteral("&Address:"), this);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    cboAddress = new QComboBox(this);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(false);
    lblAddress->setBuddy(cboAddress);

    brwWebBrowser = new QWebEngineView(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    m_page = new SafeBrowserPage(brwWebBrowser);
    brwWebBrowser->setPage(m_page);

    lblCaption
        = new QLabel(QStringLiteral("You must be connected to the internet in order to use this software."), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setWordWrap(true);
    lblCaption->setVisible(false);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVisible(false);
    Text1->setPlainText(SearchFormHtml(m_searchAction, maker::searchClient(), maker::searchHome()));

    Label61 = makeForumLink(this);
    Label61->setObjectName(QStringLiteral("Label61"));

    connect(m_page, &QWebEnginePage::loadFinished, this, &frmBrowser::brwWebBrowser_DocumentComplete);
    connect(m_page, &QWebEnginePage::titleChanged, this, &frmBrowser::brwWebBrowser_DownloadComplete);
    connect(cboAddress, &QComboBox::activated, this, &frmBrowser::cboAddress_Click);
    connect(Label61, &LinkLabel::clicked, this, &frmBrowser::Label61_Click);
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::Form_Load()
{
    // The size follows the main window, which may still change size when it comes on screen.
    if (QWidget *area = ClientAreaOf(this))
        area->installEventFilter(this);
    ShowOuterWindow(this);
    tbToolBar->update();
    applySizeRule();
    if (m_session.internetConnected != 1) {
        brwWebBrowser->setVisible(false);
        lblCaption->setVisible(true);
        return;
    }
    brwWebBrowser->setVisible(true);
    lblCaption->setVisible(false);
    m_firstDocumentDone = false;
    cboAddress->move(lblAddress->width(), lblAddress->y());
    QueryString.clear();
    const QString text = m_host.searchText();
    // Blanks only, as the dictionary search trims: a tab or a no-break space is a query.
    if (!TrimSpaces(text).isEmpty())
        QueryString = text;
    Navigate(QStringLiteral("about:blank"));
}

bool frmBrowser::Navigate(const QString &address) { return m_page->navigate(address); }

void frmBrowser::applySizeRule()
{
    if (m_sizing)
        return;
    m_sizing = true;
    const HostMetrics m = m_host.metrics();
    QWidget *window = OuterWindow(this);
    if (window != this && !(window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        window->move(twipsToPixels(-75, logicalDpiX()), twipsToPixels(-75, logicalDpiY()));
    ResizeOuterWindow(this, m.frameWidth - m.leftPanelWidth, m.frameHeight + 100);
    m_browserWidth = qMax(0, width() - twipsToPixels(100, logicalDpiX()));
    m_browserHeight = qMax(
        0,
        twipsToPixels(m.frameHeight - m.topPanelHeight - m.bottomPanelHeight - m.toolbarHeight - 650, logicalDpiY()));
    layoutControls();
    m_sizing = false;
}

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applySizeRule();
}

bool frmBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == ClientAreaOf(this))
        applySizeRule();
    return QWidget::eventFilter(watched, event);
}

// Toolbar on top, the address row below it, then the browser (or the offline notice in its
// place) and the advert.
void frmBrowser::layoutControls()
{
    const int gap = 4;
    const int toolbarHeight = tbToolBar->sizeHint().height();
    tbToolBar->setGeometry(0, 0, width(), toolbarHeight);

    const QSize labelSize = lblAddress->sizeHint();
    const int rowHeight = qMax(labelSize.height(), cboAddress->sizeHint().height());
    const int rowTop = toolbarHeight + gap;
    lblAddress->setGeometry(0, rowTop, labelSize.width(), rowHeight);
    cboAddress->setGeometry(lblAddress->width(), lblAddress->y(), qMax(0, m_browserWidth - lblAddress->width()),
                            rowHeight);

    const QRect browser(0, rowTop + rowHeight + gap, m_browserWidth, m_browserHeight);
    brwWebBrowser->setGeometry(browser);
    lblCaption->setGeometry(browser);
    const int advertHeight = Label61->sizeHint().height();
    Label61->setGeometry(0, browser.bottom() + 1 + gap, m_browserWidth, advertHeight);
}

void frmBrowser::brwWebBrowser_DocumentComplete(bool ok)
{
    Q_UNUSED(ok);
    const QUrl address = m_page->url();
    bool injected = false;
    if (!m_firstDocumentDone) {
        m_firstDocumentDone = true;
        if (address == QUrl(QStringLiteral("about:blank"))) {
            m_page->runJavaScript(SearchFormScript(Text1->toPlainText(), QueryString),
                                  QWebEngineScript::ApplicationWorld);
            injected = true;
        }
    }
    const QString location = address.toString();
    if (!location.contains(u"about:blank")) {
        setWindowTitle(m_page->title());
        m_updatingHistory = true;
        const int present = cboAddress->findText(location, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (present >= 0)
            cboAddress->removeItem(present);
        cboAddress->insertItem(0, location);
        cboAddress->setCurrentIndex(0);
        m_updatingHistory = false;
    }
    Q_EMIT documentCompleted(address, injected);
}

void frmBrowser::brwWebBrowser_DownloadComplete() { setWindowTitle(m_page->title()); }

void frmBrowser::cboAddress_Click(int index)
{
    if (m_updatingHistory || index < 0)
        return;
    Navigate(cboAddress->itemText(index));
}

void frmBrowser::Label61_Click() { OpenMakerPage(m_session.platform, page::home); }

} // namespace kesto

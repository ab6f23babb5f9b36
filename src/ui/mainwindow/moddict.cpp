#include "ui/mainwindow/moddict.h"

#include "core/dictionary/dictdb.h"
#include "core/dictionary/dictmerge.h"
#include "core/dictionary/dictstore.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/mainwindow/frmpb.h"
#include "core/session/session.h"
#include "ui/shell/shell.h"
#include "ui/web/webwindows.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace kesto {

namespace {

// The main window's own browser windows: the dictionary browser and the web-search window
// inside its client area.
class WindowBrowsers : public DictionaryBrowsers
{
public:
    explicit WindowBrowsers(frmMDI &frame) : m_frame(frame) {}

    void openWebSearch() override { m_frame.webWindows()->openWebSearch(); }
    void showDictionaryBrowser() override { m_frame.webWindows()->showDictionaryBrowser(); }
    void hideWebSearch() override { m_frame.webWindows()->hideWebSearch(); }
    void navigateDictionaryBrowser(const QString &address) override
    {
        m_frame.webWindows()->navigateDictionaryBrowser(address);
    }

private:
    frmMDI &m_frame;
};

} // namespace

DictionaryHandlers::DictionaryHandlers(Shell &shell, frmMDI &frame)
    : QObject(&frame),
      m_shell(shell),
      m_frame(frame),
      m_windowBrowsers(std::make_unique<WindowBrowsers>(frame)),
      m_browsers(m_windowBrowsers.get()),
      m_progressTickMs(frmPB::kTickMs),
      m_busyTimeoutMs(MergeOptions().busyTimeoutMs)
{
    setObjectName(QStringLiteral("modDict"));

    connect(frame.txtKey, &QLineEdit::returnPressed, this, [this] { txtKey_KeyPress(13); });
    // Every change of the text, typed or set by a handler.
    connect(frame.txtKey, &QLineEdit::textChanged, this, &DictionaryHandlers::txtKey_Change);
    connect(frame.cmdSearch, &QPushButton::clicked, this, &DictionaryHandlers::cmdSearch_Click);
    connect(frame.cmdDisplay, &QPushButton::clicked, this, &DictionaryHandlers::cmdDisplay_Click);
    // A click or double-click anywhere in the list counts, on a row or not.
    frame.lstKeys->viewport()->installEventFilter(this);
    connect(frame.mnuUpdateKey, &QAction::triggered, this, &DictionaryHandlers::mnuUpdateKey_Click);
}

DictionaryHandlers::~DictionaryHandlers() = default;

void DictionaryHandlers::setBrowsers(DictionaryBrowsers *browsers)
{
    m_browsers = browsers ? browsers : m_windowBrowsers.get();
}

QString DictionaryHandlers::dictionaryFolder() const
{
    Session &session = m_shell.session();
    return session.dictionaryStore.dictionaryFolder(session.platform.programFolder());
}

bool DictionaryHandlers::eventFilter(QObject *watched, QEvent *event)
{
    // Only the mouse is of interest. Other events also come while the main window is being
    // destroyed (each control gets its Destroy event), when the window is no longer whole
    // and must not be touched.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease)
        && watched == m_frame.lstKeys->viewport()) {
        // The press before a double-click has already selected the row under the mouse.
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                lstKeys_DblClick();
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton
                && m_frame.lstKeys->viewport()->rect().contains(mouse->position().toPoint()))
                lstKeys_Click();
        }
    }
    return QObject::eventFilter(watched, event);
}

DictionaryPanel DictionaryHandlers::panel() const
{
    DictionaryPanel p;
    p.programFolder = dictionaryFolder();
    if (m_frame.optGoogle->isChecked())
        p.kind = SearchKind::Google;
    else if (m_frame.optWildCard->isChecked())
        p.kind = SearchKind::WildCard;
    else
        p.kind = SearchKind::Exact;
    p.keyText = m_frame.txtKey->text();
    p.listedRows = m_frame.lstKeys->topLevelItemCount();
    const QList<QTreeWidgetItem *> selected = m_frame.lstKeys->selectedItems();
    if (!selected.isEmpty())
        p.selectedRow = selected.first()->text(0);
    return p;
}

namespace {

void addRows(QTreeWidget *list, const QStringList &keys)
{
    QList<QTreeWidgetItem *> rows;
    rows.reserve(keys.size());
    for (const QString &key : keys)
        rows.append(new QTreeWidgetItem(QStringList{key}));
    list->addTopLevelItems(rows);
}

} // namespace

void DictionaryHandlers::setKeywords(const QStringList &keys)
{
    m_frame.lstKeys->clear();
    addRows(m_frame.lstKeys, keys);
}

void DictionaryHandlers::tell(const QString &text, MessageIcon icon)
{
    QPointer<QLineEdit> box = m_frame.txtKey;
    m_shell.platform().message(text, icon);
    if (box)
        box->setFocus(Qt::OtherFocusReason);
}

void DictionaryHandlers::runBrowserStep(BrowserStep step, const QString &address)
{
    switch (step) {
    case BrowserStep::None:
        break;
    case BrowserStep::OpenWebSearch:
        m_browsers->openWebSearch();
        break;
    case BrowserStep::ShowDictionary:
        m_browsers->showDictionaryBrowser();
        m_browsers->hideWebSearch();
        break;
    case BrowserStep::Navigate:
        m_browsers->navigateDictionaryBrowser(address);
        break;
    case BrowserStep::NavigateAndShow:
        m_browsers->navigateDictionaryBrowser(address);
        m_browsers->showDictionaryBrowser();
        m_browsers->hideWebSearch();
        break;
    }
}

void DictionaryHandlers::apply(const DictionaryAction &action)
{
    // Setting the search box runs its change handler at once (a blank text refills the list).
    QPointer<DictionaryHandlers> self(this);
    if (action.keywords)
        setKeywords(*action.keywords);
    if (action.keyText)
        m_frame.txtKey->setText(*action.keyText);
    if (!self)
        return;
    if (action.dictionaryLink)
        m_shell.session().dictionaryLink = *action.dictionaryLink;
    if (action.message != DictMessage::None) {
        tell(DictMessageText(action.message));
        return;
    }
    runBrowserStep(action.browser, action.address);
}

void DictionaryHandlers::FillKeywordList()
{
    bool inUse = false;
    addRows(m_frame.lstKeys, ReadKeywordList(dictionaryFolder(), &inUse));
    m_listInUse = inUse;
}

void DictionaryHandlers::reportKeywordListInUse()
{
    if (!m_listInUse)
        return;
    m_listInUse = false;
    tell(DictMessageText(DictMessage::InUse));
}

void DictionaryHandlers::txtKey_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    apply(EnterPressed(panel()));
}

void DictionaryHandlers::cmdSearch_Click()
{
    const DictionaryPanel p = panel();
    apply(SearchClicked(p));
}

void DictionaryHandlers::cmdDisplay_Click() { apply(DisplayClicked(panel())); }

void DictionaryHandlers::lstKeys_DblClick() { apply(KeywordDoubleClicked(panel())); }

void DictionaryHandlers::lstKeys_Click()
{
    const QList<QTreeWidgetItem *> selected = m_frame.lstKeys->selectedItems();
    if (!selected.isEmpty())
        m_frame.txtKey->setText(selected.first()->text(0));
}

void DictionaryHandlers::txtKey_Change() { apply(KeyTextChanged(panel())); }

void DictionaryHandlers::mnuUpdateKey_Click()
{
    // The progress window is modal, but its wait runs the event loop: a second update
    // cannot start before the first has been reported.
    if (m_updating || !m_frame.mnuUpdateKey->isEnabled())
        return;
    Session &session = m_shell.session();
    Platform &platform = session.platform;
    const QString chosen = platform.chooseFileToOpen(QString(), QString());
    if (chosen.isEmpty())
        return;

    m_updating = true;
    MergeOptions options;
    options.busyTimeoutMs = m_busyTimeoutMs;
    const MergeReport report = session.dictionaryStore.merge(platform.programFolder(), chosen, options);
    if (report.outcome == MergeOutcome::Cancelled) {
        m_updating = false;
        return;
    }

    QPointer<DictionaryHandlers> self(this);
    if (report.outcome == MergeOutcome::Updated) {
        QPointer<frmPB> progress = new frmPB(session, &m_frame, m_progressTickMs);
        progress->exec();
        // The program may have ended while the window waited.
        if (!self)
            return;
        delete progress.data();
        // The keyboard comes back to the main window, for the focus to go to the search box.
        m_frame.activateWindow();
        // The new keywords show once the list is refilled; until then it keeps its rows.
        m_frame.lstKeys->viewport()->update();
    }
    m_updating = false;
    tell(report.message, report.icon);
}

} // namespace kesto

#pragma once
#include "core/dictionary/dictsearch.h"
#include "core/platform/platform.h"

#include <QObject>
#include <QString>
#include <memory>

namespace kesto {

class frmMDI;
class Shell;

// The browser windows as the dictionary panel uses them.
class DictionaryBrowsers
{
public:
    virtual ~DictionaryBrowsers() = default;
    // Closes the web-search window if it is open and opens it anew; its load searches for
    // the search box's text.
    virtual void openWebSearch() = 0;
    // Shows the dictionary browser, creating it if it is gone, in front of the other windows.
    virtual void showDictionaryBrowser() = 0;
    // Hides the web-search window if it is open.
    virtual void hideWebSearch() = 0;
    // Opens an address (or a keyword, as an address) in the dictionary browser, creating the
    // browser if it is gone; a browser that was gone comes on screen.
    virtual void navigateDictionaryBrowser(const QString &address) = 0;
};

// The handlers of the main window's dictionary panel (the search box, the three search
// kinds, Search, the keyword list, Display) and of File > Update. Lives as a child of the
// main window, named "modDict". The search rules and the merge are the dictionary core's;
// this applies their results to the window: the list, the search box, DictionaryLink, the
// message with the focus put back into the search box, and the browser windows.
class DictionaryHandlers : public QObject
{
    Q_OBJECT
public:
    // Connects itself to the window's controls.
    DictionaryHandlers(Shell &shell, frmMDI &frame);
    ~DictionaryHandlers() override;

    // Adds one row per keyword of the installed dictionary, in read order. It does not clear
    // the list first. A dictionary held locked by another program adds nothing and is
    // remembered for reportKeywordListInUse.
    void FillKeywordList();
    // Tells the user, once, that the last FillKeywordList found the dictionary in use by
    // another program; nothing otherwise. The dictionary arrangement calls it, so that the
    // message comes when the dictionary opens and never during a reading.
    void reportKeywordListInUse();
    // Acts on Enter (code 13) only.
    void txtKey_KeyPress(int keyAscii);
    void cmdSearch_Click();
    void cmdDisplay_Click();
    void lstKeys_Click();
    void lstKeys_DblClick();
    void txtKey_Change();
    void mnuUpdateKey_Click();

    // The folder whose tarot.dll every dictionary action reads (see DictionaryStore).
    QString dictionaryFolder() const;

    // Replaces the browser windows (null restores the main window's own).
    void setBrowsers(DictionaryBrowsers *browsers);
    // The progress window's timer interval.
    void setProgressTick(int milliseconds) { m_progressTickMs = milliseconds; }
    // How long the update waits for another program's lock on the installed dictionary.
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DictionaryPanel panel() const;
    void apply(const DictionaryAction &action);
    void setKeywords(const QStringList &keys);
    void tell(const QString &text, MessageIcon icon = MessageIcon::Information);
    void runBrowserStep(BrowserStep step, const QString &address);

    Shell &m_shell;
    frmMDI &m_frame;
    std::unique_ptr<DictionaryBrowsers> m_windowBrowsers;
    DictionaryBrowsers *m_browsers = nullptr;
    int m_progressTickMs;
    int m_busyTimeoutMs;
    bool m_updating = false;
    bool m_listInUse = false;
};

} // namespace kesto

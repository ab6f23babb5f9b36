#pragma once
#include "core/journal/journalstore.h"
#include "core/reading/currentreading.h"
#include "ui/widgets/screenclose.h"

#include <QMainWindow>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QPlainTextEdit;
class QTextEdit;
class QToolBar;
class QTreeWidget;

namespace kesto {

class DictionaryHandlers;
class LinkLabel;
class MdiBrowserHost;
class RichTextBox;
class Shell;
class TextEditRichText;
class WebWindows;

// The main window: a multiple-document frame whose client area hosts the card table and the
// dictionary's browser windows. Six panels are docked around the client area; which of them
// show depends on the mode (reading or dictionary arrangement). The window is never shown on
// its own: it becomes visible with its first child window.
class frmMDI : public QMainWindow
{
    Q_OBJECT
public:
    // Design size of the frame, in twips.
    static constexpr int kDesignWidth = 15360;
    static constexpr int kDesignHeight = 11100;

    explicit frmMDI(Shell &shell, QWidget *parent = nullptr);
    ~frmMDI() override;

    // Runs once each time the window is created.
    void MDIForm_Load();
    // The layout rule, applied on every resize of the frame; each step on its own.
    void MDIForm_Resize();
    void MDIForm_Unload();
    // Copies the querent's name, date of birth, country and question into the querent panel.
    void showQuerent();

    // Querent panel, reading display and bottom panel; toolbar, notice strip and keyword
    // search hidden.
    void applyReadingArrangement();
    // Toolbar, notice strip, keyword search and bottom panel; querent panel and reading
    // display hidden; the dictionary update enabled; the internet test run again. A keyword
    // list that could not be filled because another program holds the dictionary is
    // reported now, once.
    void applyDictionaryArrangement();

    // The reading display as the report writes it: rtbDisp1's rich-text operations.
    RichTextBox &readingDisplay();

    // What a selection at the caret of the reading display becomes when the card section
    // is written there: replaced by the section, or kept to follow it.
    enum class SelectionAtCaret { Replace, Keep };
    // Empties the reading display.
    void clearReadingDisplay();
    // Writes the report header (the spread, the querent) at the caret of the reading display.
    void writeReportHeader(const CurrentReading &reading);
    // Writes the card section at the caret in one layout pass, then puts the caret back at
    // the start of the display.
    void writeCardSection(const CurrentReading &reading, SelectionAtCaret selection);
    // The finished reading on screen (its querent, cast and report), if there is one.
    const JournalReading *shownReading() const { return m_shownReading ? &*m_shownReading : nullptr; }
    // Shows a kept reading's report exactly as it was written, the caret at its start.
    void showKeptReport(const JournalReading &reading);
    // Removes the text selected in the reading display.
    void removeReadingSelection();
    // Fills lstKeys with every keyword of the installed dictionary.
    void refillKeywordList();
    // The keyword search, keyword list and File > Update handlers of this frame.
    DictionaryHandlers *dictionaryHandlers() const { return m_dictionary; }

    // Puts a window into the client area; showing it makes the frame visible.
    QMdiSubWindow *addChildWindow(QWidget *child);
    // Makes the frame visible (at its design size, centred) if it is not yet.
    void showFrame();
    // The dictionary browser and the web-search window of this frame.
    WebWindows *webWindows() const { return m_webWindows.get(); }

    // Closes the window as a step to another screen: the program goes on.
    void closeForNavigation();

    void cmdExit_Click();
    void cmdRestart_Click();
    void cmdDonate_Click();
    void cmdDonate1_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();
    void TB_ButtonClick(QAction *button);
    // F6: from a window of the client area to the first panel control that takes the focus
    // (the keyword search, the reading display or Exit), or from the panels into the active
    // window of the client area.
    void switchKeyboardPane();

    // The View menu's zoom entries, for the card table to connect to itself.
    struct ZoomActions
    {
        QAction *zoomIn = nullptr;
        QAction *zoomOut = nullptr;
        QAction *actualSize = nullptr;
        QAction *fitToWindow = nullptr;
    };
    ZoomActions zoomActions() const { return {mnuZoomIn, mnuZoomOut, mnuActualSize, mnuFitToWindow}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The keyword search handlers and the browser windows' view of the frame are the frame's
    // own helper objects, created with it and living as long as it does; they work directly on
    // its keyword search controls and panels, as the frame's own code would.
    friend class DictionaryHandlers;
    friend class MdiBrowserHost;

    void buildPanels();
    void buildMenus();

    // Turns clickable web addresses on in the reading display.
    void enableLinkDetection();
    void disableLinkDetection();
    // Hands a toolbar button's key to the dictionary browser.
    void dictionaryBrowserCommand(const QString &key);
    // Connects the keyword search, the keyword list and File > Update to their handlers.
    void connectDictionaryHandlers();
    // Remembers the reading just finished on screen and keeps it in the journal; trouble with
    // the journal is told once the cast is over and never touches the reading on screen.
    void keepFinishedReading(const CurrentReading &reading);

    QMdiArea *mdiArea = nullptr;

    // Panels, in docking order.
    QToolBar *TB = nullptr;
    QWidget *picTop2 = nullptr;
    QWidget *picTop = nullptr;
    QWidget *picLeft = nullptr;
    QWidget *picRight = nullptr;
    QWidget *picBottom = nullptr;

    // picTop2
    QLabel *lblNotice = nullptr;
    QPushButton *cmdDonate1 = nullptr;

    // picLeft
    QRadioButton *optWildCard = nullptr;
    QRadioButton *optExact = nullptr;
    QRadioButton *optGoogle = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *txtKey = nullptr;
    QPushButton *cmdSearch = nullptr;
    QTreeWidget *lstKeys = nullptr;
    QPushButton *cmdDisplay = nullptr;

    // picBottom
    QPushButton *cmdRestart = nullptr;
    QPushButton *cmdDonate = nullptr;
    QPushButton *cmdExit = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;

    // Menus
    QMenu *mnuFile = nullptr;
    QAction *mnuUpdateKey = nullptr;
    QAction *mnuStart = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuHelp = nullptr;
    // The reading journal and the reading on screen on paper.
    QMenu *mnuJournal = nullptr;
    QAction *mnuReadingJournal = nullptr;
    QAction *mnuPrintReading = nullptr;
    QAction *mnuExportPdf = nullptr;
    // View, in the reading arrangement: the card table's zoom.
    QMenu *mnuView = nullptr;
    QAction *mnuZoomIn = nullptr;
    QAction *mnuZoomOut = nullptr;
    QAction *mnuActualSize = nullptr;
    QAction *mnuFitToWindow = nullptr;

    // picTop: the querent panel, filled by showQuerent().
    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    QLabel *lblDOB = nullptr;
    QLineEdit *txtDOB = nullptr;
    QLabel *lblCountry = nullptr;
    QLineEdit *txtCountry = nullptr;
    QLabel *lblQ = nullptr;
    QPlainTextEdit *txtQ = nullptr;

    // picRight: the reading display, written through the operations above.
    QTextEdit *rtbDisp1 = nullptr;

    Shell &m_shell;
    std::unique_ptr<TextEditRichText> m_display;
    // Declared in this order so that the browser windows go before the host they read from.
    std::unique_ptr<MdiBrowserHost> m_browserHost;
    std::unique_ptr<WebWindows> m_webWindows;
    ScreenClose m_close;
    std::optional<JournalReading> m_shownReading;
    // A child of the frame, created with it.
    DictionaryHandlers *m_dictionary = nullptr;
};

} // namespace kesto

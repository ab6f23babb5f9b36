#include "shell/shell.h"

#include "platform/platform.h"
#include "platform/session.h"
#include "dictionary/frmmdi.h"
#include "screens/frmfront.h"
#include "screens/frmtarot.h"
#include "shell/frmopen.h"
#include "web/webwindows.h"

#include <QApplication>
#include <QWidget>

namespace kesto {

namespace {

// A screen that has been closed is on its way out: closing cleared its delete-on-close mark
// and scheduled the deletion. It is never shown again; the next use creates a fresh one.
template<class Screen>
Screen *liveScreen(QPointer<Screen> &pointer)
{
    if (pointer && !pointer->testAttribute(Qt::WA_DeleteOnClose))
        pointer = nullptr;
    return pointer.data();
}

} // namespace

Shell::Shell(Session &session, QObject *parent) : QObject(parent), m_session(session) {}

Shell::~Shell()
{
    m_ending = true;
    delete m_tarot.data();
    delete m_front.data();
    delete m_mdi.data();
    delete m_open.data();
}

Platform &Shell::platform() { return m_session.platform; }

frmOpen *Shell::modeScreen()
{
    if (!liveScreen(m_open)) {
        m_open = new frmOpen(*this);
        m_open->Form_Load();
        if (m_ending) {
            delete m_open.data();
            return nullptr;
        }
    }
    return m_open;
}

void Shell::showModeScreen()
{
    if (frmOpen *screen = modeScreen())
        screen->showCentred();
}

frmFront *Shell::querentScreen()
{
    if (!liveScreen(m_front)) {
        m_front = new frmFront(*this);
        m_front->Form_Load();
    }
    return m_front;
}

frmTarot *Shell::spreadScreen()
{
    if (!liveScreen(m_tarot)) {
        m_tarot = new frmTarot(*this);
        m_tarot->Form_Load();
    }
    return m_tarot;
}

frmMDI *Shell::mainWindow()
{
    if (!liveScreen(m_mdi)) {
        m_mdi = new frmMDI(*this);
        m_mdi->MDIForm_Load();
    }
    return m_mdi;
}

frmMDI *Shell::existingMainWindow() { return liveScreen(m_mdi); }

void Shell::openQuerentScreen() { querentScreen()->showCentred(); }

void Shell::openSpreadScreen() { spreadScreen()->showCentred(); }

void Shell::openDictionary()
{
    mainWindow()->applyDictionaryArrangement();
    showDictionaryBrowser();
}

// The dictionary browser opens as a child window of the main window and so brings the frame
// into view.
void Shell::showDictionaryBrowser() { mainWindow()->webWindows()->showDictionaryBrowser(); }

// Completed with the card table: it opens as a child window of the main window (its load
// writes the report header, casts and reports) and is placed at the client area's top left.
// Until it exists the frame is shown on its own with the querent and the reading display.
void Shell::openAutomaticCast() { mainWindow()->showFrame(); }

// Completed with the manual pick screen, whose load reads the spread chosen on the spread
// screen. Until it exists the frame is shown on its own, so that the program is not left
// without a window.
void Shell::openManualPick() { mainWindow()->showFrame(); }

void Shell::EndProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QPointer<QWidget> guard(window);
        if (guard && guard->isVisible())
            guard->close();
    }
    // The main window exists before it is first shown; it is closed all the same, so that
    // its unload runs.
    if (frmMDI *frame = liveScreen(m_mdi))
        frame->close();
    platform().endProcess();
}

} // namespace kesto

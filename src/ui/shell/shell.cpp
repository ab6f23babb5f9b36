#include "ui/shell/shell.h"

#include "ui/journal/frmjournal.h"
#include "ui/widgets/twipsplacement.h"

#include "core/platform/platform.h"
#include "core/session/session.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmfront.h"
#include "ui/screens/frmmanual.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/frmopen.h"
#include "ui/web/webwindows.h"

#include <QApplication>
#include <QMdiSubWindow>
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
    delete m_manual.data();
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

frmAuto *Shell::cardTable()
{
    if (!liveScreen(m_auto)) {
        frmMDI *frame = existingMainWindow();
        if (!frame) {
            frame = mainWindow();
            frame->applyReadingArrangement();
        }
        m_auto = new frmAuto(*this);
        QMdiSubWindow *window = frame->addChildWindow(m_auto);
        window->adjustSize();
        // On screen before its load, so that the cards can be seen arriving one by one.
        window->show();
        m_auto->Form_Load();
    }
    return m_auto;
}

frmAuto *Shell::existingCardTable() { return liveScreen(m_auto); }

void Shell::closeCardTable()
{
    frmAuto *table = existingCardTable();
    if (!table)
        return;
    if (QWidget *window = table->parentWidget())
        window->close();
    else
        table->close();
}

frmManual *Shell::manualPickScreen()
{
    if (!liveScreen(m_manual)) {
        m_manual = new frmManual(*this);
        m_manual->Form_Load();
    }
    return m_manual;
}

frmManual *Shell::existingManualPickScreen() { return liveScreen(m_manual); }

void Shell::openAutomaticCast()
{
    // A new reading always gets a fresh table: nothing of an earlier cast shows through.
    closeCardTable();
    frmAuto *table = cardTable();
    if (auto *window = table ? qobject_cast<QMdiSubWindow *>(table->parentWidget()) : nullptr)
        window->move(0, 0);
}

void Shell::openManualPick()
{
    // A card table left by an earlier reading is closed; the pick creates its own.
    closeCardTable();
    manualPickScreen();
}

void Shell::showJournal()
{
    if (!m_journal)
        m_journal = new frmJournal(*this);
    else
        m_journal->reload();
    if (!m_journal->isVisible())
        kesto::showCentred(m_journal, CentreFit::AsIs);
    m_journal->raise();
    m_journal->activateWindow();
}

frmJournal *Shell::existingJournal() { return m_journal.data(); }

bool Shell::reopenReading(qint64 id)
{
    JournalStore *journal = m_session.journal.store();
    const std::optional<JournalReading> kept = journal ? journal->reading(id) : std::nullopt;
    if (!kept)
        return false;

    // The screens of a reading in progress, and the main window with whatever it shows, close
    // as when a reading moves on; the kept reading gets a fresh main window.
    if (frmOpen *screen = liveScreen(m_open))
        screen->closeForNavigation();
    if (frmFront *screen = liveScreen(m_front))
        screen->closeForNavigation();
    if (frmTarot *screen = liveScreen(m_tarot))
        screen->closeForNavigation();
    if (frmManual *screen = liveScreen(m_manual))
        screen->closeForNavigation();
    if (frmMDI *frame = existingMainWindow())
        frame->closeForNavigation();

    kept->restoreInto(m_session.reading);
    m_session.reading.readingMode = FlagTrue;
    frmMDI *frame = mainWindow();
    frame->applyReadingArrangement();

    m_auto = new frmAuto(*this);
    QMdiSubWindow *window = frame->addChildWindow(m_auto);
    window->adjustSize();
    window->show();
    window->move(0, 0);
    m_auto->layOutKeptReading(m_session.reading);
    frame->showKeptReport(*kept);
    frame->showFrame();
    frame->raise();
    frame->activateWindow();
    return true;
}

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

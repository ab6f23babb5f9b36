#pragma once
#include <QObject>
#include <QPointer>

namespace kesto {

class Platform;
struct Session;
class frmAuto;
class frmFront;
class frmJournal;
class frmMDI;
class frmManual;
class frmOpen;
class frmTarot;

// Owns the single instances of the screens and the flow between them. A screen is created
// on first use (running its load handler), destroyed when it closes, and created afresh on
// the next use.
class Shell : public QObject
{
    Q_OBJECT
public:
    explicit Shell(Session &session, QObject *parent = nullptr);
    ~Shell() override;

    Session &session() { return m_session; }
    Platform &platform();

    // The mode screen: created and loaded on first use; null when its load ended the program.
    frmOpen *modeScreen();
    void showModeScreen();

    // The querent details screen, the spread screen and the main window: each created and
    // loaded on first use, and afresh once it has been closed.
    frmFront *querentScreen();
    frmTarot *spreadScreen();
    frmMDI *mainWindow();
    // The main window if it exists and has not been closed; never creates it.
    frmMDI *existingMainWindow();

    // The card table, a child window of the main window: created on first use, shown in the
    // main window's client area (which brings the main window into view) and loaded, which
    // casts an automatic reading or clears the table for a manual one.
    frmAuto *cardTable();
    // The card table if it exists and has not been closed; never creates it.
    frmAuto *existingCardTable();
    // The manual pick screen: created and loaded (which shows it) on first use.
    frmManual *manualPickScreen();
    frmManual *existingManualPickScreen();

    // Opens the querent details screen afresh (its boxes empty), centred.
    void openQuerentScreen();
    // Opens the spread and option screen afresh, centred.
    void openSpreadScreen();
    // Continue on the mode screen, Tarot Dictionary (tarot.dll present): the main window in
    // its dictionary arrangement with the dictionary browser.
    void openDictionary();
    // AutoCast on the spread screen, once the cast values are set: the card table inside the
    // main window, which casts and reports, placed at the client area's top left.
    void openAutomaticCast();
    // Manual on the spread screen, once the cast values are set: the manual pick screen.
    void openManualPick();

    // The reading journal's window, created on first use and brought to the front.
    void showJournal();
    frmJournal *existingJournal();
    // Shows a kept reading again: the main window afresh in its reading arrangement with the
    // reading's querent, its cards laid out on a new card table as they lay, and its report
    // as it was written. The screens of a reading in progress close as they do when a
    // reading moves on. False when the journal no longer holds the reading.
    bool reopenReading(qint64 id);

    // Closes every open window, ignoring failures, then ends the process.
    void EndProgram();
    bool isEnding() const { return m_ending; }

private:
    // Shows the dictionary browser inside the main window.
    void showDictionaryBrowser();
    // Closes the card table of an earlier reading, if one is still open.
    void closeCardTable();

    Session &m_session;
    QPointer<frmOpen> m_open;
    QPointer<frmFront> m_front;
    QPointer<frmTarot> m_tarot;
    QPointer<frmMDI> m_mdi;
    QPointer<frmAuto> m_auto;
    QPointer<frmManual> m_manual;
    QPointer<frmJournal> m_journal;
    bool m_ending = false;
};

} // namespace kesto

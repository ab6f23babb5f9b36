#pragma once
#include <QObject>
#include <QPointer>

namespace kesto {

class Platform;
struct Session;
class frmOpen;

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

    // Continue on the mode screen, Tarot Reading: opens the querent details screen.
    void openQuerentScreen();
    // Continue on the mode screen, Tarot Dictionary (tarot.dll present): the main window in
    // its dictionary arrangement with the dictionary browser.
    void openDictionary();

    // Closes every open window, ignoring failures, then ends the process.
    void EndProgram();
    bool isEnding() const { return m_ending; }

private:
    Session &m_session;
    QPointer<frmOpen> m_open;
    bool m_ending = false;
};

} // namespace kesto

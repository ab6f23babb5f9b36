#include "shell/shell.h"

#include "platform/platform.h"
#include "platform/session.h"
#include "shell/frmopen.h"

#include <QApplication>
#include <QWidget>

namespace kesto {

Shell::Shell(Session &session, QObject *parent) : QObject(parent), m_session(session) {}

Shell::~Shell()
{
    m_ending = true;
    delete m_open.data();
}

Platform &Shell::platform() { return m_session.platform; }

frmOpen *Shell::modeScreen()
{
    if (!m_open) {
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

void Shell::openQuerentScreen()
{
    // The querent details screen arrives with the reading screens.
}

void Shell::openDictionary()
{
    // The main window's dictionary arrangement arrives with the main window.
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
    platform().endProcess();
}

} // namespace kesto

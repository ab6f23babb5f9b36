#pragma once
#include <functional>

class QCloseEvent;
class QWidget;

namespace kesto {

// Tells the close that moves on to another screen from the close that ends the program.
// The handler that navigates closes through navigate(); every other close (the title bar's
// button, Exit, the desktop) ends the program.
class ScreenClose
{
public:
    // Closes the window as a step to another screen.
    void navigate(QWidget *window);
    // For closeEvent: accepts the close and runs endProgram unless it was navigation.
    void accept(QCloseEvent *event, const std::function<void()> &endProgram) const;
    bool isNavigating() const { return m_navigating; }

private:
    bool m_navigating = false;
};

} // namespace kesto

#pragma once
#include <QString>

class QWidget;

namespace kesto {

// Sizes of the main window that the browser windows' size rules read, in twips. The panel
// sizes count whether or not the panel is shown at the moment.
struct HostMetrics
{
    int frameWidth = 0;
    int frameHeight = 0;
    int leftPanelWidth = 0; // picLeft
    int topPanelHeight = 0; // picTop
    int bottomPanelHeight = 0; // picBottom
    int toolbarHeight = 0; // TB
};

// What the browser windows need from the main window that hosts them.
class BrowserHost
{
public:
    virtual ~BrowserHost() = default;
    // The keyword search box's text, exactly as typed.
    virtual QString searchText() const = 0;
    virtual HostMetrics metrics() const = 0;
    // Puts a window into the main window's client area (it is shown by the caller).
    virtual void addChildWindow(QWidget *window) = 0;
};

} // namespace kesto

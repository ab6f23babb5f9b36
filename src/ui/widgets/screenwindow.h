#pragma once

class QMainWindow;
class QString;
class QWidget;

namespace kesto {

// Dresses a reading screen's window as all of them are dressed: its object name, deleted
// when closed, the program's title, a title bar with close and minimise only, no context
// menu, Verdana 8, and a central client area of the given size in twips. Returns the client.
QWidget *dressScreenWindow(QMainWindow *window, const QString &name, const QString &clientName, int clientWidthTwips,
                           int clientHeightTwips);

} // namespace kesto

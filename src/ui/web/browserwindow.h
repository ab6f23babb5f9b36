#pragma once
#include <QSize>

class QWidget;

namespace kesto {

// The window a browser form lives in: its sub-window inside the main window's client area,
// or the form itself while it stands alone.
QWidget *OuterWindow(QWidget *form);
// Resizes that window to a size given in twips.
void ResizeOuterWindow(QWidget *form, int widthTwips, int heightTwips);
// Shows the form and the window it lives in.
void ShowOuterWindow(QWidget *form);
// The client area the form's window lives in, or null while it stands alone.
QWidget *ClientAreaOf(QWidget *form);

} // namespace kesto

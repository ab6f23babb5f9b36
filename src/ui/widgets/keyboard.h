#pragma once

class QKeySequence;
class QPushButton;
class QString;
class QWidget;

namespace kesto {

// Moves the keyboard focus from inside a container to the next (or previous) widget of the
// window's focus chain that lies outside it and takes focus by Tab, so that a group of many
// focusable parts (a table of cards) is one stop of the Tab order and never keeps the focus.
// False when there is no such widget.
bool FocusPastContainer(QWidget *container, bool forward);

// Gives a command button a key of its own, for a caption that has no access key: the key
// presses the button while it is shown and enabled, anywhere in its window, and the
// button's tooltip names the command and its key. The caption stays as it is.
void GiveCommandKey(QPushButton *button, const QKeySequence &key, const QString &what);

// Scrolls the scroll areas around a widget so that the widget can be seen.
void EnsureVisibleInScrollAreas(QWidget *widget);

} // namespace kesto

#pragma once
#include <functional>

class QMainWindow;
class QMenu;

namespace kesto {

class Platform;

// The screens whose maker menus are worded differently from the rest.
enum class MakerMenuWording { Standard, Querent, MainWindow };

// Adds the maker's menus to the window's menu bar, after what is there: the Help menu
// (online help, visit us, check for updates, about) and the Donate and Make Money entries.
// Each page entry opens its maker page; About runs showAbout. Returns the Help menu.
QMenu *addMakerMenus(QMainWindow *window, MakerMenuWording wording, Platform &platform,
                     std::function<void()> showAbout);

} // namespace kesto

#pragma once

class QWidget;

namespace kesto {

// Screens are designed in twips; these convert at the logical DPI of the widget concerned.
int px(const QWidget *reference, int twips);
// Places a control inside its parent; all numbers in twips.
void place(QWidget *w, int left, int top, int width, int height);

// Whether a window is sized to its contents before it is centred.
enum class CentreFit { ToContents, AsIs };
// Centres a top-level window on the primary screen's available area and shows it.
void showCentred(QWidget *window, CentreFit fit = CentreFit::ToContents);

} // namespace kesto

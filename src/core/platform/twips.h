#pragma once
#include <QtGlobal>
#include <cmath>

namespace kesto {

// Positions and sizes are designed in twips (1440 per inch). They are converted once,
// here, at a widget's logical DPI: 15 twips per pixel at 96 DPI.
constexpr int kTwipsPerInch = 1440;

inline int twipsToPixels(int twips, qreal logicalDpi = 96.0)
{
    return int(std::lround(twips * logicalDpi / kTwipsPerInch));
}

inline int pixelsToTwips(int pixels, qreal logicalDpi = 96.0)
{
    return int(std::lround(pixels * kTwipsPerInch / logicalDpi));
}

} // namespace kesto

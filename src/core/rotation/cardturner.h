#pragma once
#include <QImage>
#include <functional>

namespace kesto {

// The turning state a reading screen keeps for its card pictures: the picture loaded for
// turning, the result of the last turn, the background handed to the rotation and the flag
// its progress hook answers.
class CardTurner
{
public:
    // The last card picture loaded for turning and the result of the last turn.
    QImage sourcePicture;
    QImage rotatedPicture;
    // The background colour handed to the rotation; nothing sets it, so it stays black.
    quint32 background = 0;
    // Answered by the rotation's progress hook; 0 lets a turn run to its end. Each turn
    // starts with it at 0.
    qint16 cancel = 0;

    // Turns sourcePicture by the angle in degrees, letting events run through yieldToEvents
    // after every source column; the result is kept in rotatedPicture and returned, with the
    // source's device pixel ratio.
    const QImage &turn(double angle, std::function<void()> yieldToEvents);
};

} // namespace kesto

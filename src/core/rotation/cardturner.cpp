#include "core/rotation/cardturner.h"
#include "core/rotation/rotation.h"

namespace kesto {

const QImage &CardTurner::turn(double angle, std::function<void()> yieldToEvents)
{
    cancel = 0;
    rotatedPicture
        = RotatePicture(sourcePicture, angle, RotationProgress(std::move(yieldToEvents), cancel), QRgb(background));
    return rotatedPicture;
}

} // namespace kesto

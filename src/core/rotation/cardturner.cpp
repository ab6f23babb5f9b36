#include "core/rotation/cardturner.h"
#include "core/rotation/rotation.h"

namespace kesto {

const QImage &CardTurner::turn(double angle, std::function<void()> yieldToEvents)
{
    cancel = 0;
    rotatedPicture
        = RotatePicture(sourcePicture, angle, RotationProgress(std::move(yieldToEvents), cancel), QRgb(background));
    // A larger picture for a sharper screen stays one: turned, it shows at its own size too.
    if (!rotatedPicture.isNull())
        rotatedPicture.setDevicePixelRatio(sourcePicture.devicePixelRatio());
    return rotatedPicture;
}

} // namespace kesto

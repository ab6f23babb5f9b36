#include "core/reading/currentreading.h"

namespace kesto {

bool IsArrayDimensioned(const CardArray &array) { return array.has_value(); }

bool IsInArray(qint32 value, const CardArray &array)
{
    if (!IsArrayDimensioned(array))
        return false;
    for (qint32 v : *array) {
        if (v == value)
            return true;
    }
    return false;
}

void CurrentReading::resetCast()
{
    isManualPick = FlagFalse;
    drawnCards.reset();
    reversedCards.reset();
    startedByAutoCast = FlagFalse;
    startedByManual = FlagFalse;
    spreadName = QStringLiteral("-1");
    cardCount = -1;
    minorOnly = FlagFalse;
    majorOnly = FlagFalse;
    allowReversed = FlagFalse;
}

} // namespace kesto

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

QString DateOfBirthText(const QString &month, const QString &date, const QString &year)
{
    if (month == QLatin1String("Month") && date == QLatin1String("Date") && year == QLatin1String("Year"))
        return QString();
    return month + QLatin1Char(' ') + date + QStringLiteral(", ") + year;
}

void CurrentReading::takeSpreadChoice()
{
    spreadName = card;
    cardCount = no;
    minorOnly = lboo;
    majorOnly = hboo;
    allowReversed = rboo;
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

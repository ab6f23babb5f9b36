#include "ui/shell/fonts.h"
#include <QFont>
#include <QStringList>

namespace kesto {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
}

} // namespace kesto

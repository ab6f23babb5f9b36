#pragma once

namespace kesto {

// The screens are designed in Verdana and Arial Black; map them once to the closest fonts
// Debian ships (DejaVu Sans) so that every screen asks for its design font by name.
void installFontSubstitutions();

} // namespace kesto

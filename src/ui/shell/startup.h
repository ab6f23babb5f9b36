#pragma once

namespace kesto {

class Shell;

// Start-up in order: the single-instance check, the update reminder, the mode screen.
void RunStartup(Shell &shell);

} // namespace kesto

#pragma once

namespace kesto {

class Shell;

// The program's name, version and desktop entry, as the running program and its tests set
// them. No application display name is set: Qt would append it to every title the window
// system shows ("Kesto v1.55 — Kesto"), and each window's caption is already complete.
void setApplicationIdentity();

// Start-up in order: the single-instance check, the update reminder, the mode screen.
void RunStartup(Shell &shell);

} // namespace kesto

// The process-wide start-up flags: where the program stands between its first line
// and an orderly exit, and what that means for saving.
#pragma once

namespace kvx {

struct TStartupState {
    // The main window is still being built; panels are not brought forward meanwhile.
    bool StartingUp = true;
    // Restoring the last layout failed: the program ends without saving anything and
    // unhandled errors are swallowed.
    bool StartupFailed = false;
    // Start-up ran to its end: only then are the settings written at exit.
    bool StartupComplete = false;
    // No printer could be found; printing is disabled.
    bool NoPrinter = false;
    // No saved layout existed: the first idle moment applies the named one.
    bool DefaultLayoutPending = false;
    // "Exit without saving layout" was chosen.
    bool ExitWithoutLayoutSave = false;
};

// The program's one set; a new main window starts it afresh.
TStartupState& StartupState();

}  // namespace kvx

#pragma once

// The removal procedure ("/uninstall"). After the user agrees it removes
// the shortcuts that lead to the program, its reference on the shared
// companion library (the library itself when no other program uses it),
// its registry entries, its settings file and the files installed beside
// it. Files in use (the running program, the loaded library) and the
// program's folder go when Windows restarts. Entries that belong to
// another copy of the program stay.

namespace merva::app {

void RunRemoval();
// A copy of the program runs: nothing is removed while it does.
void RefuseRemovalWhileRunning();

}  // namespace merva::app

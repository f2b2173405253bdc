#pragma once

// Run, Single-step and Stop of the macro in the edit box.

namespace merva::macro {

void RunCommand(bool singleStep);
void StopCommand();
bool Running();
// Asks a run to stop and the window to close once it has.
void CloseWhenStopped();
// The exit code of a run started with "/RUN": 0 when it ran to the end.
int RunExitCode();

}  // namespace merva::macro

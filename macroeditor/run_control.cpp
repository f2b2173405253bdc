#include "macroeditor/run_control.h"

#include "macroeditor/dde_client.h"
#include "macroeditor/editor.h"
#include "macroeditor/run_host.h"

namespace merva::macro {

namespace {

constexpr char CANNOT_CONNECT[] = "Cannot connect with MERVA.";
constexpr DWORD CONNECT_WAIT_MS = 5000;

struct RunState {
  bool running = false;
  bool stepping = false;
  bool stepRequested = false;
  bool stopRequested = false;
  bool closeAfter = false;
  int exitCode = 0;
};
RunState state;

bool StopAsked() { return state.stopRequested; }

// A merva95 that has just started may not serve DDE yet.
HCONV ConnectToMerva() {
  const DWORD deadline = GetTickCount() + CONNECT_WAIT_MS;
  HCONV merva = Dde().Connect("MERVAW", "ROZava");
  while (!merva && static_cast<LONG>(deadline - GetTickCount()) > 0 && PumpWaiting()) {
    Sleep(100);
    merva = Dde().Connect("MERVAW", "ROZava");
  }
  return merva;
}

// Waits, still dispatching, for the next single-step or stop command.
void AwaitStep() {
  while (!state.stepRequested && !state.stopRequested) {
    WaitMessage();
    if (!PumpWaiting()) state.stopRequested = true;
  }
  state.stepRequested = false;
}

void Finish(const StepResult& result) {
  Editor& editor = TheEditor();
  if (result.kind == StepResult::Failed) {
    SelectText(result.where.begin, result.where.begin);
    ShowMessage(result.message);
  } else if (result.kind == StepResult::Finished) {
    SelectText(0, 0);
  }
  state.exitCode = result.kind == StepResult::Finished ? 0 : 1;
  if (editor.runAndExit || state.closeAfter) PostMessageA(editor.window, WM_CLOSE, 0, 0);
}

StepResult RunAll(MacroRun& run, RunHost& host) {
  for (;;) {
    if (state.stepping) {
      TextRange next;
      if (!run.NextStatement(next)) return run.Step(host);  // the end
      SelectText(next.begin, next.end);
      AwaitStep();
    }
    if (state.stopRequested || !PumpWaiting()) return {StepResult::Stopped, {}, {}};
    StepResult result = run.Step(host);
    if (result.kind != StepResult::Ran) return result;
  }
}

}  // namespace

bool Running() { return state.running; }
int RunExitCode() { return state.exitCode; }

void StopCommand() {
  if (state.running) state.stopRequested = true;
}

void CloseWhenStopped() {
  state.closeAfter = true;
  state.stopRequested = true;
}

void RunCommand(bool singleStep) {
  if (state.running) {
    // Run continues a single-stepped macro; Single-step pauses a running one.
    state.stepping = singleStep;
    state.stepRequested = true;
    return;
  }
  Editor& editor = TheEditor();
  const std::string text = EditText();
  if (text.empty()) {
    MessageBeep(MB_OK);
    Finish({StepResult::Stopped, {}, {}});
    return;
  }
  StepResult result{StepResult::Stopped, {}, {}};
  if (!FindWindowA(MERVA_FRAME_CLASS, nullptr)) {
    Finish(result);
    return;
  }
  HCONV merva = ConnectToMerva();
  if (!merva) {
    Finish({StepResult::Failed, CANNOT_CONNECT, {}});
    return;
  }
  state = RunState{};
  state.running = true;
  state.stepping = singleStep;
  SendMessageA(editor.edit, EM_SETREADONLY, TRUE, 0);
  MacroRun run(text, editor.macroName);
  WindowsRunHost host(merva, StopAsked);
  result = RunAll(run, host);
  Dde().Disconnect(merva);
  SendMessageA(editor.edit, EM_SETREADONLY, FALSE, 0);
  const bool closeAfter = state.closeAfter;
  state.running = false;
  state.closeAfter = closeAfter;
  Finish(result);
}

}  // namespace merva::macro

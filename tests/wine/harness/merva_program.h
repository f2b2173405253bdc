#pragma once

// merva95.exe started by a test: its settings, frame, document windows and
// boxes, as every end-to-end test of the program finds them.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/wine_harness.h"

namespace merva::test {

constexpr DWORD MERVA_START_MS = 20000;
constexpr DWORD MERVA_BOX_MS = 10000;

std::string Lower(std::string text);
bool Exists(const std::string& path);
std::string WindowsFolder();
// The program's settings, read from the prefix's Windows folder.
std::string SettingsFile();
std::string ProgramFile();
// A copy of an example plot of the build tree under a name of the test's choice.
std::string ExampleCopy(const std::string& example, const std::string& name);

// Top-level windows of the process with the class (any when null).
std::vector<HWND> TopLevelOf(DWORD pid, const char* className, bool visibleOnly = true);
// The visible top-level windows of the class once any show; empty after the time-out.
std::vector<HWND> WaitForTopLevel(DWORD pid, const char* className, DWORD timeoutMs = 5000);
// The visible dialogs and message boxes of the process.
std::vector<HWND> DialogsOf(DWORD pid);
// A dialog of the process other than `except`, null when none comes.
HWND WaitForDialog(DWORD pid, HWND except = nullptr, DWORD timeoutMs = MERVA_BOX_MS);
// Descendants of `parent` with the class.
std::vector<HWND> ChildrenOf(HWND parent, const char* className);
// The text of a message box.
std::string BoxText(HWND box);
// Presses a button of a box and waits until the box has gone.
bool Answer(HWND box, int button);
// Posts a button's command to a dialog without waiting.
void Press(HWND dialog, int id);
// A visible dialog of the process with that caption (any when null), null
// when none comes.
HWND WaitForDialogTitled(DWORD pid, const char* caption, DWORD timeoutMs = MERVA_BOX_MS,
                         DWORD pollMs = 50);

// The text of the box with that caption (of its field `field` when given),
// which is then closed with OK.
std::string TakeBox(DWORD pid, const char* caption, int field = 0);
// Waits for the one-curve picker, chooses curve `curve` (from 1) and
// confirms it; fails when none came, it stayed open or, when `prompt` is
// given, it asked something else.
::testing::AssertionResult ChooseCurveInPicker(DWORD pid, int curve, const char* prompt = nullptr);

// Fields of a dialog of another process (sent, not the cached caption).
void SetField(HWND dialog, int id, const std::string& text);
std::string FieldText(HWND dialog, int id);
void CheckButton(HWND dialog, int id, bool on);

std::vector<HWND> DocumentWindows(HWND frame);
int DocumentCount(HWND frame);
// The document windows' titles, in lower case.
std::vector<std::string> DocumentTitles(HWND frame);
bool SomeDocumentTitled(HWND frame, const std::string& part);

// A running merva95 of this test. Closed, and ended by its process id,
// when it goes out of scope.
struct MervaProgram {
  StartedProcess process;
  HWND frame = nullptr;

  MervaProgram() = default;
  MervaProgram(const MervaProgram&) = delete;
  MervaProgram& operator=(const MervaProgram&) = delete;
  ~MervaProgram() { Close(); }

  // Starts it and waits for its frame and, unless told not to, its first
  // document.
  bool Start(const std::string& arguments, const std::string& exe = ProgramFile(),
             bool waitForDocument = true);
  void Command(int id) const;
  // A command that must not stop at a box: false when it did not return.
  bool Send(int id, DWORD timeoutMs = 5000) const;
  // Waits for the program to end on its own; its exit code.
  bool Ended(DWORD* code = nullptr) { return process.WaitExit(MERVA_START_MS, code); }
  // Closes the frame, answering "No" to the boxes that would hold the close,
  // then ends what still runs.
  void Close();
};

// A test of merva95: skipped while the program is not built or a MERVA/W
// window already runs; its settings are removed before and after.
class MervaTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace merva::test

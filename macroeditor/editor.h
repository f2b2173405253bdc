#pragma once

// The macro editor's window and its program-wide state.

#include <windows.h>

#include <string>

namespace merva::macro {

constexpr char EDITOR_CLASS[] = "MVMACRO";
constexpr char EDITOR_TITLE[] = "MERVA Macro Editor";
constexpr char MERVA_FRAME_CLASS[] = "MERVA/W";
constexpr char SPREADSHEET_CLASS[] = "XLMAIN";
constexpr int EDITOR_WIDTH = 500;

struct Editor {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HWND macroCombo = nullptr;
  HWND shortcutCombo = nullptr;
  HWND edit = nullptr;
  HWND toolBar = nullptr;
  HWND findDialog = nullptr;  // the open Find or Replace dialog
  HACCEL accelerators = nullptr;
  HFONT font = nullptr;
  std::string macroName;            // the macro in the edit box
  bool spreadsheetRunning = false;  // an "XLMAIN" window at start-up
  bool runAndExit = false;          // started with "/RUN name"
};

Editor& TheEditor();

bool RegisterEditorClass(HINSTANCE instance);
HWND CreateEditorWindow(int show);
// Shows a message box captioned with the editor's title.
int ShowMessage(const std::string& text, UINT flags = MB_ICONEXCLAMATION | MB_OK);
// Handles one message of the editor's loops (accelerators, the modeless
// Find dialog); false on WM_QUIT, which it leaves in the queue.
bool DispatchOne(const MSG& message);
// Dispatches what is waiting; false when the program is to quit.
bool PumpWaiting();

std::string EditText();
void SetEditText(const std::string& text);
void SelectText(std::size_t begin, std::size_t end);
// Loads a macro by name into the window (false when it is not a macro file).
bool LoadMacro(const std::string& name);

}  // namespace merva::macro

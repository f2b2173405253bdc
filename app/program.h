#pragma once

// Program-wide values of the running program: handles made at start-up,
// the document table, the frame's modes and the cached pictures.

#include <windows.h>

#include <array>
#include <string>

#include "core/document_table.h"
#include "files/settings.h"
#include "files/win32/system_settings.h"
#include "render/number_format.h"

namespace merva::app {

inline constexpr char FRAME_CLASS[] = "MERVA/W";
inline constexpr char DOCUMENT_CLASS[] = "MERVADOC";
inline constexpr char STATUS_CLASS[] = "MERVASTATUS";
inline constexpr char NOTE_CLASS[] = "MERVANOTE";
inline constexpr char APP_TITLE[] = "MERVA95";
inline constexpr char MENU_NAME[] = "ROZAVA";
inline constexpr char ACCELERATOR_NAME[] = "MERVAW";
inline constexpr char MACRO_EDITOR_FILE[] = "MVMAC95.EXE";

// Private messages of the frame window (the preference-file message is the
// hand-off's own, win32::WM_MERVA_PREFERENCE_FILE).
constexpr UINT WM_MERVA_DDE_START = WM_APP + 0x100;
// lParam: file type in the high word; the name is in the file-name cell.
constexpr UINT WM_MERVA_OPEN_FILE = WM_APP + 0x101;
// wParam 1: activate the first document; any other value: a new one.
constexpr UINT WM_MERVA_FIRST_DOCUMENT = WM_APP + 0x102;
constexpr UINT WM_MERVA_INTRODUCTION = WM_APP + 0x103;

// Window extra data of a document window: the slot.
constexpr int DOCUMENT_SLOT_OFFSET = 0;
constexpr int DOCUMENT_EXTRA_BYTES = 8;

struct Program {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND client = nullptr;
  HWND statusBar = nullptr;
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  HWND modelessDialog = nullptr;  // the one dialog that must see dialog keys
  HHOOK keyboardHook = nullptr;
  int startupFlags = 0;
  std::string commandLine;
  std::string programFolder;  // with the trailing "\"
  // "MERVAW", "Link", "ObjectLink" and "XlTable", for the export and link commands.
  ClipboardFormats clipboardFormats;

  DocumentTable documents;
  // The cached picture of each slot's window (index = slot).
  std::array<HBITMAP, MAX_DOCUMENTS + 1> pictures{};
  // The option word handed over with a file (index = slot).
  std::array<int, MAX_DOCUMENTS + 1> optionWords{};

  int closing = 0;
  int helpMode = 0;
  int menuMode = 0;
  int hintItem = 0;
  int helpContext = 0;  // the context F1 opens; 0 = the index
  int openDialogs = 0;  // modal dialogs of this program now open
  // The start-up's own file request, posted to the frame: its file goes
  // into the first, still empty document instead of a window of its own.
  bool ownStartRequest = false;
  bool openingOwnRequest = false;

  // The user's regional settings, read at start-up.
  RegionalSettings regional;

  // Options menu: windows drawn with the printer colours.
  bool previewPrinterColors = false;
};

Program& TheProgram();
inline ProgramSettings& Settings() { return TheProgramSettings(); }
inline DocumentTable& Documents() { return TheProgram().documents; }

// The active document slot, 0 when none is open.
int ActiveSlot();
// The active document, null when none is open.
PlotDocument* ActiveDocument();
// The document window of a slot.
HWND SlotWindow(int slot);
// The slot of a document window (its extra data), 0 when it has none.
int WindowSlot(HWND window);

// The full path of a file in the program's folder.
std::string ProgramFile(const std::string& name);

}  // namespace merva::app

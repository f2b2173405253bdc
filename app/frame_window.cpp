#include "app/frame_window.h"

#include <shellapi.h>

#include <array>
#include <string>
#include <vector>

#include "app/document_window.h"
#include "app/file_commands.h"
#include "app/help.h"
#include "app/macros.h"
#include "app/menu_dispatch.h"
#include "app/menu_state.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/tool_bar.h"
#include "app/ui_host.h"
#include "automation/command_line.h"
#include "automation/parameter_cells.h"
#include "automation/win32/dde_server.h"
#include "automation/win32/handoff_messages.h"
#include "core/messages.h"
#include "files/win32/profile_stores.h"
#include "files/win32/system_settings.h"
#include "render/regional_settings.h"

namespace merva::app {

namespace {

constexpr int TOP_LEVEL_POPUPS = 9;
constexpr char SETTINGS_VERSION[] = "2.0";
constexpr int INTRO_EXAMPLES = 8;

// The nine top-level pop-ups in menu order, for hints.
std::array<HMENU, TOP_LEVEL_POPUPS> popups{};

bool HasIntroSwitch() { return (TheProgram().startupFlags & STARTUP_INTRO) != 0; }

HMENU WindowPopup(HMENU menu) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (HMENU sub = GetSubMenu(menu, i); sub && GetMenuItemID(sub, 0) == IDM_CASCADE) return sub;
  return nullptr;
}

void RestorePosition(HWND frame) {
  const ProgramSettings& settings = Settings();
  if (!settings.hasPosition || settings.windowWidth < 2 || settings.windowHeight < 2) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(frame, &placement);
  // The file holds right - left + 1: the rectangle's own width is one less.
  placement.rcNormalPosition = {settings.windowLeft, settings.windowTop,
                                settings.windowLeft + settings.windowWidth - 1,
                                settings.windowTop + settings.windowHeight - 1};
  placement.showCmd = SW_HIDE;
  SetWindowPlacement(frame, &placement);
}

void StorePosition(HWND frame) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(frame, &placement)) return;
  ProgramSettings& settings = Settings();
  const RECT& r = placement.rcNormalPosition;
  settings.hasPosition = true;
  settings.windowLeft = r.left;
  settings.windowTop = r.top;
  settings.windowWidth = r.right - r.left + 1;
  settings.windowHeight = r.bottom - r.top + 1;
  settings.maximized = IsZoomed(frame) != 0;
}

bool Created(HWND frame) {
  Program& program = TheProgram();
  program.frame = frame;
  for (int i = 0; i < TOP_LEVEL_POPUPS; ++i)
    popups[static_cast<std::size_t>(i)] = GetSubMenu(program.menu, i);

  CLIENTCREATESTRUCT client{};
  client.hWindowMenu = WindowPopup(program.menu);
  client.idFirstChild = IDM_FIRST_CHILD;
  program.client =
      CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                      WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                      frame, nullptr, program.instance, &client);
  if (!program.client) return false;

  Settings() = DesktopDefaultSettings();
  LoadProgramSettingsFromSystem(Settings());
  {
    PrivateProfileStore systemProfile("");
    RegistryStore userRegistry(HKEY_CURRENT_USER);
    program.regional = ReadRegionalSettings(systemProfile, userRegistry);
  }
  Settings().programDir = program.programFolder;
  ParameterCells& cells = TheParameterCells();
  cells.statusBarVisible = Settings().statusBar ? 1 : 0;
  cells.bitmapWidth = Settings().bitmapWidth;
  cells.bitmapHeight = Settings().bitmapHeight;
  cells.metafileWidth = Settings().pictureWidth;
  cells.metafileHeight = Settings().pictureHeight;

  if (!NewDocumentWindow(!HasIntroSwitch())) {
    MessageBeep(MB_ICONSTOP);
    return false;
  }
  CreateStatusBar(frame);
  CreateToolBar(frame);
  RestorePosition(frame);
  UpdateRecentFilesMenu();
  LoadMacroShortcuts();
  PostMessageA(frame, WM_MERVA_FIRST_DOCUMENT, 1, 0);
  DragAcceptFiles(frame, TRUE);
  InstallKeyboardHook();
  if (HasIntroSwitch()) PostMessageA(frame, WM_MERVA_INTRODUCTION, 0, 0);
  return true;
}

LRESULT FirstDocument(HWND frame, WPARAM value) {
  int slot = 0;
  if (value == 1) {
    slot = ActiveSlot() ? ActiveSlot() : 1;
    ActivateDocumentWindow(slot);
  } else {
    slot = NewDocumentWindow(false);
    if (!slot) return 0;
  }
  RefreshMenus();
  if (!IsIconic(frame))
    if (HWND window = SlotWindow(slot)) SetFocus(window);
  return slot;
}

void Introduction(HWND frame) {
  EnableWindow(frame, FALSE);
  // The first example goes into the empty first window. A file named on
  // the command line is opened after the examples: it keeps a window.
  const int windows = MAX_DOCUMENTS - (TheProgram().ownStartRequest ? 1 : 0);
  int opened = 0;
  for (int n = INTRO_EXAMPLES; n >= 1 && opened < windows; --n) {
    char name[16];
    std::snprintf(name, sizeof name, "EX%02d.GRF", n);
    const std::string path = ProgramFile(name);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (OpenFile(path, 1)) ++opened;
  }
  EnableWindow(frame, TRUE);
  SendMessageA(TheProgram().client, WM_MDITILE, MDITILE_VERTICAL, 0);
  RefreshMenus();
}

void BringToTop(HWND frame) {
  if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
  SetForegroundWindow(frame);
  BringWindowToTop(frame);
}

void DroppedFiles(HWND frame, HDROP drop) {
  if (IsWindowEnabled(frame)) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> names;
    for (UINT i = 0; i < count; ++i) {
      // Sized by the handle, so that a long name is not cut to another one.
      const UINT length = DragQueryFileA(drop, i, nullptr, 0);
      std::string name(length + 1, '\0');
      name.resize(DragQueryFileA(drop, i, name.data(), length + 1));
      if (!name.empty()) names.push_back(name);
    }
    DragFinish(drop);
    for (const std::string& name : names) {
      const int fileType = FileTypeOfPath(name);
      BringToTop(frame);
      TheParameterCells().pendingFileName = name;
      SendMessageA(frame, WM_MERVA_OPEN_FILE, 0, MAKELPARAM(0, fileType));
    }
    return;
  }
  DragFinish(drop);
}

const win32::HandoffActions& HandoffActions() {
  static const win32::HandoffActions actions = [] {
    win32::HandoffActions a;
    a.frameEnabled = [] { return IsWindowEnabled(TheProgram().frame) != 0; };
    a.bringFrameToTop = [] { BringToTop(TheProgram().frame); };
    a.openFiles = [](const HandoffRequest& request, LPARAM parameter) {
      const int fileType = HandoffFileType(static_cast<unsigned long>(parameter));
      std::vector<std::string> names = request.names;
      if (names.empty()) names.push_back(request.firstName);
      // A described data file travels with its format description.
      if (!request.secondPath.empty()) names.front() += "@" + request.secondPath;
      Program& program = TheProgram();
      const bool own = program.openingOwnRequest;
      program.openingOwnRequest = false;
      return OpenFiles(names, fileType, static_cast<int>(LOWORD(parameter)), !own) != 0;
    };
    a.copyPicture = [](int slot) -> HBITMAP {
      const int s = slot == 0 ? ActiveSlot() : slot;
      if (!Documents().IsOpen(s)) return nullptr;
      if (HWND window = SlotWindow(s)) UpdateWindow(window);
      return win32::CopyBitmapTopLeft(TheProgram().pictures[static_cast<std::size_t>(s)],
                                      Settings().bitmapWidth, Settings().bitmapHeight);
    };
    a.applyPreferences = [](const std::string& file) { ApplyPreferenceFile(file); };
    return a;
  }();
  return actions;
}

// The hint of a highlighted item: its own string, or the pop-up's.
void MenuSelected(WPARAM wParam, LPARAM lParam) {
  Program& program = TheProgram();
  const UINT flags = HIWORD(wParam);
  const UINT item = LOWORD(wParam);
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {
    program.menuMode = 0;
    program.hintItem = 0;
    SetStatusHint(0);
    return;
  }
  program.menuMode = 1;
  int hint = 0;
  if (flags & MF_POPUP) {
    HMENU sub = GetSubMenu(menu, static_cast<int>(item));
    if (flags & MF_SYSMENU)
      hint = menu == GetSystemMenu(program.frame, FALSE) ? IDS_FRAME_SYSTEM_MENU
                                                         : IDS_DOCUMENT_SYSTEM_MENU;
    for (int i = 0; i < TOP_LEVEL_POPUPS; ++i)
      if (sub && sub == popups[static_cast<std::size_t>(i)]) hint = IDS_FIRST_POPUP + i;
    if (!hint && menu == program.menu && sub && GetMenuItemID(sub, 0) == SC_RESTORE)
      hint = IDS_DOCUMENT_SYSTEM_MENU;  // the maximized document's system menu
  } else {
    program.hintItem = static_cast<int>(item);
    hint = static_cast<int>(item);
  }
  SetStatusText(hint ? MessageText(hint) : std::string());
}

LRESULT Command(HWND frame, WPARAM wParam, LPARAM lParam) {
  Program& program = TheProgram();
  const int id = LOWORD(wParam);
  const bool fromCommand = TheParameterCells().macroCommandActive != 0;
  if (!IsWindowEnabled(frame) && !fromCommand) return 0;
  if (program.helpMode && id >= MENU_COMMAND_FIRST && id <= MENU_COMMAND_LAST) {
    EndHelpMode();
    OpenHelpContext(id);
    return 0;
  }
  if (id >= IDM_FIRST_CHILD && id < IDM_FIRST_CHILD + MAX_DOCUMENTS) return -1;  // MDI's own
  if (id >= MENU_COMMAND_FIRST && id <= MENU_COMMAND_LAST) {
    // F1 in the command's dialogs opens the command's page.
    const int outerContext = program.helpContext;
    program.helpContext = id;
    const LRESULT result = ExecuteMenuCommand(frame, id, lParam);
    program.helpContext = outerContext;
    return result;
  }
  return -1;
}

// A modal dialog or box of the program is open (it disables the frame):
// closing now would pull the documents from under it.
bool ModalDialogOpen(HWND frame) {
  if (TheProgram().openDialogs > 0) return true;
  if (IsWindowEnabled(frame)) return false;
  HWND popup = GetLastActivePopup(frame);
  return popup && popup != frame && popup != FloatingToolBar() && IsWindowVisible(popup) &&
         IsWindowEnabled(popup);
}

BOOL CALLBACK CollectOtherWindow(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<std::vector<HWND>*>(data);
  if (window == TheProgram().frame) return TRUE;
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  // The tool bar's windows go with the tool bar; hidden windows of the
  // system's libraries (DDE, input methods) are not the program's.
  if (lstrcmpiA(name, TOOLBAR_CLASS) == 0 || lstrcmpiA(name, TOOLTIP_CLASS) == 0) return TRUE;
  const bool own = lstrcmpiA(name, NOTE_CLASS) == 0 || lstrcmpA(name, "#32770") == 0;
  if (own || IsWindowVisible(window)) found->push_back(window);
  return TRUE;
}

// Modeless dialogs, note pop-ups and whatever else the program's thread
// shows besides the frame get the chance to close as if the user did it.
void CloseOtherTopLevelWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectOtherWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (!IsWindow(window)) continue;
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    // A dialog's own close posts its Cancel, too late here: Cancel at once.
    if (lstrcmpA(name, "#32770") == 0)
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
    else
      SendMessageA(window, WM_CLOSE, 0, 0);
    if (IsWindow(window)) DestroyWindow(window);
  }
}

void WriteSettings(HWND frame) {
  Program& program = TheProgram();
  StorePosition(frame);
  ProgramSettings& settings = Settings();
  settings.version = SETTINGS_VERSION;
  settings.programDir = program.programFolder;
  const Status written = SaveProgramSettingsToSystem(settings);
  if (!written.Ok()) Ui().ShowStatus(written);
}

void RefuseWhileModal(HWND frame) {
  MessageBeep(MB_OK);
  if (HWND popup = GetLastActivePopup(frame)) SetForegroundWindow(popup);
}

}  // namespace

bool ClosingSequence(HWND frame, bool askDocuments) {
  Program& program = TheProgram();
  if (program.modelessDialog) DestroyWindow(program.modelessDialog);
  program.modelessDialog = nullptr;
  program.closing = 1;
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot) {
    HWND window = SlotWindow(slot);
    if (!window) continue;
    if (askDocuments && !SendMessageA(window, WM_MERVA_QUERY_CLOSE, 0, 0)) {
      program.closing = 0;
      InvalidateRect(window, nullptr, FALSE);
      return false;
    }
    CloseDocumentWindow(slot, false);
  }
  CloseOtherTopLevelWindows();
  // The floating tool window leaves its place in the settings as it goes.
  CloseToolBar();
  WriteSettings(frame);
  DestroyWindow(frame);
  return true;
}

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  Program& program = TheProgram();
  LRESULT handoff = 0;
  if (message == win32::RegisterHandoffMessages().plotFile) {
    program.openingOwnRequest = program.ownStartRequest;
    program.ownStartRequest = false;
  }
  if (win32::HandleHandoffMessage(frame, message, wParam, lParam, HandoffActions(), handoff))
    return handoff;
  switch (message) {
    case WM_CREATE:
      return Created(frame) ? 0 : -1;
    case WM_MERVA_FIRST_DOCUMENT:
      return FirstDocument(frame, wParam);
    case WM_MERVA_INTRODUCTION:
      Introduction(frame);
      return 0;
    case WM_MERVA_OPEN_FILE:
      return OpenFiles({TheParameterCells().pendingFileName}, HIWORD(lParam), 0, true);
    case WM_MERVA_DDE_START:
      if (!win32::RegisterDdeService()) return 0;
      for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
        if (Documents().IsOpen(slot)) win32::RefreshDocumentTopic(slot);
      return 1;
    case WM_COMMAND: {
      const LRESULT result = Command(frame, wParam, lParam);
      if (result >= 0) return result;
      break;
    }
    case WM_INITMENUPOPUP:
      RefreshMenus();
      break;
    case WM_MENUSELECT:
      MenuSelected(wParam, lParam);
      break;
    case WM_EXITMENULOOP:
      program.menuMode = 0;
      SetStatusHint(0);
      break;
    case WM_SETCURSOR:
      if (program.helpMode) {
        SetCursor(LoadCursor(nullptr, IDC_HELP));
        return TRUE;
      }
      break;
    case WM_SIZE:
      LayoutFrame();
      return 0;
    case WM_DROPFILES:
      DroppedFiles(frame, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_CLOSE:
      if (ModalDialogOpen(frame))
        RefuseWhileModal(frame);
      else
        ClosingSequence(frame);
      return 0;
    case WM_QUERYENDSESSION:
      for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
        if (SlotWindow(slot) && !SendMessageA(SlotWindow(slot), WM_MERVA_QUERY_CLOSE, 0, 0))
          return FALSE;
      return TRUE;
    case WM_ENDSESSION:
      if (!wParam) return 0;
      // The session ends with the dialog still running: keep the settings.
      if (ModalDialogOpen(frame))
        WriteSettings(frame);
      else
        ClosingSequence(frame, false);  // every document was asked already
      return 0;
    case WM_DESTROY:
      RemoveKeyboardHook();
      DragAcceptFiles(frame, FALSE);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefFrameProcA(frame, program.client, message, wParam, lParam);
}

}  // namespace merva::app

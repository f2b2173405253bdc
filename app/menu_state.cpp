#include "app/menu_state.h"

#include <windows.h>

#include <bitset>
#include <string>

#include "app/data_processing_commands.h"
#include "app/menu_dispatch.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/tool_bar.h"
#include "automation/parameter_cells.h"

namespace merva::app {

namespace {

constexpr UINT RECENT_SEPARATOR_ID = 0xFF10;

bool Checked(int id, const PlotDocument* d) {
  const Program& program = TheProgram();
  const ProgramSettings& settings = Settings();
  switch (id) {
    case IDM_DATE:
      return d && d->dateStamp != 0;
    case IDM_PRINT_CAPTION:
      return settings.printFileName;
    case IDM_STATUS_BAR:
      return settings.statusBar;
    case IDM_TOOLBAR:
      return settings.toolBarVisible;
    case IDM_LARGE_BUTTONS:
      return TheParameterCells().largeButtons != 0;
    case IDM_COLOR_LAST:
      return program.previewPrinterColors;
    default:
      break;
  }
  if (!d) return false;
  if (id >= IDM_SCALE_FIRST && id <= IDM_SCALE_LAST) return id - IDM_SCALE_BASE == d->scaleType;
  if (id >= IDM_AXES_ONLY && id <= IDM_BOX) return id - IDM_AXES_ONLY == d->gridType;
  switch (id) {
    case IDM_FILLED_BARS:
      return d->filledBars != 0;
    case IDM_DENSE_GRID:
      return d->denseGrid != 0;
    case IDM_AUTO_SCALE:
      return d->manualScale == 0;
    case IDM_AUTO_SIZE:
      return d->manualTicks == 0;
    case IDM_SQUARE_LOGS:
      return d->squareLogs != 0;
    default:
      return false;
  }
}

// Sets every command item's state; true when an item of `menu` itself (not
// of its pop-ups) changed.
bool RefreshMenu(HMENU menu, const PlotDocument* document) {
  bool changed = false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      RefreshMenu(sub, document);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id < MENU_COMMAND_FIRST || id > MENU_COMMAND_LAST) continue;
    const int command = static_cast<int>(id);
    const UINT enable = CommandEnabled(command) ? MF_ENABLED : MF_GRAYED;
    const UINT check = Checked(command, document) ? MF_CHECKED : MF_UNCHECKED;
    const UINT wasEnabled = EnableMenuItem(menu, id, MF_BYCOMMAND | enable);
    const UINT wasChecked = CheckMenuItem(menu, id, MF_BYCOMMAND | check);
    if (wasEnabled != enable || wasChecked != check) changed = true;
  }
  return changed;
}

// Which commands are enabled, the tool buttons' whole input.
using EnabledCommands = std::bitset<MENU_COMMAND_LAST - MENU_COMMAND_FIRST + 1>;

EnabledCommands CurrentlyEnabled() {
  EnabledCommands enabled;
  for (int id = MENU_COMMAND_FIRST; id <= MENU_COMMAND_LAST; ++id)
    enabled[static_cast<std::size_t>(id - MENU_COMMAND_FIRST)] = CommandEnabled(id);
  return enabled;
}

// The pop-up that holds a command (the File menu for Exit).
HMENU PopupHolding(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (!sub) continue;
    for (int j = 0; j < GetMenuItemCount(sub); ++j)
      if (GetMenuItemID(sub, j) == id) return sub;
  }
  return nullptr;
}

int PositionOf(HMENU menu, UINT id) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (GetMenuItemID(menu, i) == id) return i;
  return -1;
}

// The View menu's switch between an acceleration record and its
// integrals, after Zoom Out, only while there is such a record.
void UpdateRecordViewItem(HMENU menu, const PlotDocument* document) {
  HMENU view = PopupHolding(menu, IDM_ZOOM_OUT);
  if (!view) return;
  const std::string text = RecordViewMenuText(document);
  const int at = PositionOf(view, IDM_SWITCH_PLOTS);
  if (text.empty()) {
    if (at >= 0) DeleteMenu(view, IDM_SWITCH_PLOTS, MF_BYCOMMAND);
    return;
  }
  if (at < 0) {
    InsertMenuA(view, static_cast<UINT>(PositionOf(view, IDM_ZOOM_OUT) + 1),
                MF_BYPOSITION | MF_STRING, IDM_SWITCH_PLOTS, text.c_str());
    return;
  }
  char shown[64] = {};
  GetMenuStringA(view, IDM_SWITCH_PLOTS, shown, sizeof shown, MF_BYCOMMAND);
  if (text != shown)
    ModifyMenuA(view, IDM_SWITCH_PLOTS, MF_BYCOMMAND | MF_STRING, IDM_SWITCH_PLOTS, text.c_str());
}

}  // namespace

// Every command string of a DDE client ends here: redrawing the menu bar
// and walking the tool buttons cost milliseconds under Wine, so only what
// changed is redone (pop-up items are drawn when they open).
void RefreshMenus() {
  Program& program = TheProgram();
  if (!program.menu) return;
  UpdateRecordViewItem(program.menu, ActiveDocument());
  const bool barChanged = RefreshMenu(program.menu, ActiveDocument());
  static HMENU drawnMenu = nullptr;
  if (program.frame && (barChanged || drawnMenu != program.menu)) {
    DrawMenuBar(program.frame);
    drawnMenu = program.menu;
  }
  static EnabledCommands buttonsFollow;
  static bool buttonsKnown = false;
  const EnabledCommands enabled = CurrentlyEnabled();
  if (!buttonsKnown || enabled != buttonsFollow) {
    RefreshToolBarButtons();
    buttonsFollow = enabled;
    buttonsKnown = true;
  }
}

void UpdateRecentFilesMenu() {
  HMENU file = PopupHolding(TheProgram().menu, IDM_EXIT);
  if (!file) return;
  for (UINT id = IDM_RECENT_FIRST; id <= IDM_RECENT_LAST; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
  DeleteMenu(file, RECENT_SEPARATOR_ID, MF_BYCOMMAND);
  const auto& recent = Settings().recentFiles;
  if (recent.empty()) return;
  // Between the separator after Macro and a separator of their own.
  int at = PositionOf(file, IDM_EXIT);
  for (std::size_t i = 0; i < recent.size() && i < MAX_RECENT_FILES; ++i) {
    const std::string text = "&" + std::to_string(i + 1) + " " + recent[i];
    InsertMenuA(file, static_cast<UINT>(at++), MF_BYPOSITION | MF_STRING, IDM_RECENT_FIRST + i,
                text.c_str());
  }
  InsertMenuA(file, static_cast<UINT>(at), MF_BYPOSITION | MF_SEPARATOR, RECENT_SEPARATOR_ID,
              nullptr);
}

}  // namespace merva::app

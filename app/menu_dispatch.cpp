#include "app/menu_dispatch.h"

#include "app/analysis_commands.h"
#include "app/curve_fit_command.h"
#include "app/data_export.h"
#include "app/data_links.h"
#include "app/data_processing_commands.h"
#include "app/dialogs.h"
#include "app/document_mouse.h"
#include "app/document_window.h"
#include "app/editing_commands.h"
#include "app/fft_commands.h"
#include "app/file_commands.h"
#include "app/filter_command.h"
#include "app/help.h"
#include "app/macros.h"
#include "app/menu_state.h"
#include "app/paste_numbers.h"
#include "app/plot_dialogs.h"
#include "app/printing.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/tool_bar.h"
#include "automation/parameter_cells.h"
#include "io/link_table.h"
#include "korvlib/korv32.h"
#include "render/draw_plot.h"

namespace merva::app {

namespace {

enum Requirement { ANY, DOCUMENT, CURVES };

using Handler = int (*)(HWND frame, int commandId, LPARAM parameter);

struct CommandEntry {
  int first;
  int last;
  Handler handler;
  Requirement requirement;
};

PlotDocument& Active() { return *ActiveDocument(); }

// A switch of the document changed: it is marked changed and redrawn.
int Changed() {
  Active().MarkChanged();
  RedrawDocument(ActiveSlot());
  return 1;
}

int Toggle(int32_t& field) {
  field = field ? 0 : 1;
  return Changed();
}

int New(HWND frame, int, LPARAM) {
  return SendMessageA(frame, WM_MERVA_FIRST_DOCUMENT, 0, 0) ? 1 : 0;
}
int Open(HWND, int, LPARAM) { return OpenCommand(); }
int Append(HWND, int, LPARAM) { return AppendCommand(); }
int Paste(HWND, int, LPARAM) { return PasteNumbersCommand(); }

int Close(HWND, int, LPARAM) {
  HWND window = SlotWindow(ActiveSlot());
  if (!window) return 0;
  SendMessageA(window, WM_CLOSE, 0, 0);
  return 1;
}

int CloseAll(HWND, int, LPARAM) {
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
    if (Documents().IsOpen(slot) && !CloseDocumentWindow(slot, true)) return 0;
  return 1;
}

int Save(HWND, int, LPARAM) { return SaveCommand(); }
int SaveAs(HWND, int, LPARAM) { return SaveAsCommand(); }
int GetPreferences(HWND, int, LPARAM) { return GetPreferencesCommand(); }
int SavePreferences(HWND, int, LPARAM) { return SavePreferencesCommand(); }

int Resize(HWND, int, LPARAM) {
  const int slot = ActiveSlot();
  if (!ResizeArraysDialog(slot)) return 0;
  RedrawDocument(slot);
  return 1;
}

int Macro(HWND, int, LPARAM) { return MacroDialog(); }
int Print(HWND, int, LPARAM parameter) { return PrintCommand(parameter); }
int PageSetup(HWND, int, LPARAM) { return PageSetupCommand(); }
int CopyPicture(HWND, int, LPARAM) { return CopyPictureCommand(); }
int CopyDimensions(HWND, int, LPARAM) { return CopyDimensionsCommand(); }
int CopyData(HWND, int, LPARAM) { return CopyDataCommand(); }
int Link(HWND, int id, LPARAM parameter) {
  return id == IDM_PASTE_LINK ? PasteLinkCommand() : InsertLinkCommand(parameter);
}
int Recent(HWND, int id, LPARAM) { return OpenRecentCommand(id - IDM_RECENT_FIRST); }

int Exit(HWND frame, int, LPARAM) {
  PostMessageA(frame, WM_CLOSE, 0, 0);
  return 1;
}

// The date stamp is the document's; the caption a setting ("PrintFileName").
int Date(HWND, int, LPARAM) {
  Active().dateStamp = Active().dateStamp ? 0 : 1;
  InvalidatePicture(ActiveSlot());
  return 1;
}
int Caption(HWND, int, LPARAM) {
  Settings().printFileName = !Settings().printFileName;
  InvalidatePicture(ActiveSlot());
  return 1;
}

int Scale(HWND, int id, LPARAM) {
  SelectScaleType(Active(), id - IDM_SCALE_BASE);
  return Changed();
}

// A dialog of the active document; redrawn when it changed something.
int PlotDialog(int (*dialog)(PlotDocument&)) { return dialog(Active()) ? Changed() : 0; }
int Titles(HWND, int, LPARAM) { return PlotDialog(TitlesDialog); }
int Legend(HWND, int, LPARAM) { return PlotDialog(LegendDialog); }
int Symbols(HWND, int, LPARAM) { return PlotDialog(SymbolsDialog); }
int ManualScale(HWND, int, LPARAM) { return PlotDialog(ManualScaleDialog); }
int PhysicalSize(HWND, int, LPARAM) { return PlotDialog(PhysicalSizeDialog); }
int MultipleAxes(HWND, int, LPARAM) { return PlotDialog(MultipleAxesDialog); }
int NumberFormats(HWND, int, LPARAM) { return PlotDialog(NumberFormatsDialog); }
int Colors(HWND, int id, LPARAM) { return ColorCommand(id); }
int Units(HWND, int, LPARAM) { return PlotDialog(UnitsDialog); }
int Fonts(HWND, int, LPARAM) { return PlotDialog(FontsDialog); }
int Note(HWND, int, LPARAM) { return PlotDialog(NoteDialog); }
int Fill(HWND, int, LPARAM) { return PlotDialog(FillDialog); }
int Label(HWND, int id, LPARAM) {
  if (id == IDM_ADD_LABEL) return AddLabelCommand(Active());
  return PlotDialog(id == IDM_EDIT_LABEL ? EditLabelCommand : DeleteLabelCommand);
}
int ElementFont(HWND, int id, LPARAM) {
  return ElementFontDialog(Active(), id - IDM_FONT_FIRST + FONT_NUMBERS) ? Changed() : 0;
}
// Edit one text element: the numbers' formats, the titles, legend or note.
int EditText(HWND, int id, LPARAM) {
  const int element = id - IDM_EDIT_TEXT_FIRST + FONT_NUMBERS;
  if (element == FONT_NUMBERS) return PlotDialog(NumberFormatsDialog);
  if (element == FONT_LEGEND) return PlotDialog(LegendDialog);
  if (element == FONT_NOTE) return PlotDialog(NoteDialog);
  return PlotDialog(TitlesDialog);
}

int FilledBars(HWND, int, LPARAM) { return Toggle(Active().filledBars); }
int DenseGrid(HWND, int, LPARAM) { return Toggle(Active().denseGrid); }
int SquareLogs(HWND, int, LPARAM) { return Toggle(Active().squareLogs); }

int Grid(HWND, int id, LPARAM) {
  Active().gridType = id - IDM_AXES_ONLY;
  return Changed();
}

int AutoScale(HWND, int, LPARAM) {
  Active().manualScale = 0;
  Active().zoomed = 0;
  Active().zoomDepth = 0;
  return Changed();
}

int AutoSize(HWND, int, LPARAM) {
  Active().manualTicks = 0;
  return Changed();
}

int ViewAll(HWND, int, LPARAM) {
  Active().zoomDepth = 0;
  Active().zoomed = 0;
  InvalidatePicture(ActiveSlot());
  return 1;
}

int ZoomOut(HWND, int, LPARAM) {
  PlotDocument& d = Active();
  if (d.zoomDepth <= 0) return 0;
  if (--d.zoomDepth == 0) {
    d.zoomed = 0;
  } else {
    d.plotWindow = d.zoomStack[static_cast<std::size_t>(d.zoomDepth - 1)];
  }
  InvalidatePicture(ActiveSlot());
  return 1;
}

int ZoomIn(HWND frame, int, LPARAM) { return ZoomInCommand(frame); }

int StatusBar(HWND, int, LPARAM) {
  ShowStatusBar(!Settings().statusBar);
  TheParameterCells().statusBarVisible = Settings().statusBar ? 1 : 0;
  return 1;
}

int Redraw(HWND, int, LPARAM) {
  RedrawDocument(ActiveSlot());
  return 1;
}

int Arrange(HWND, int id, LPARAM) {
  HWND client = TheProgram().client;
  const UINT message = id == IDM_CASCADE ? WM_MDICASCADE
                       : id == IDM_TILE  ? WM_MDITILE
                                         : WM_MDIICONARRANGE;
  SendMessageA(client, message, id == IDM_TILE ? MDITILE_VERTICAL : 0, 0);
  return 1;
}

int Help(HWND, int id, LPARAM) {
  if (id == IDM_HELP_CONTENTS) OpenHelpIndex();
  if (id == IDM_HELP_SEARCH) OpenHelpKeyword("");
  if (id == IDM_HELP_HOW_TO) OpenHelpHowTo();
  return 1;
}

int About(HWND frame, int, LPARAM) {
  ++TheProgram().openDialogs;
  KUAboutBox(frame, "MERVA95 plots and processes measured X,Y data.");
  --TheProgram().openDialogs;
  return 1;
}

int LegendSwitch(HWND, int id, LPARAM) {
  return Toggle(id == IDM_LEGEND_FRAME ? Active().legendFrame : Active().legendOpaque);
}

// The legend pop-up's Font..., as the Fonts dialog's Legend button.
int LegendFont(HWND, int, LPARAM) {
  return ElementFontDialog(Active(), FONT_LEGEND) ? Changed() : 0;
}

int NoteSwitch(HWND, int id, LPARAM) {
  Active().note.attribute1 ^= id == IDM_NOTE_FRAME ? NOTE_FRAME : NOTE_OPAQUE;
  return Changed();
}

// Commands the program carries out; every other identifier is greyed.
constexpr CommandEntry kCommands[] = {
    {IDM_NEW, IDM_NEW, New, ANY},
    {IDM_OPEN, IDM_OPEN, Open, ANY},
    {IDM_APPEND, IDM_APPEND, Append, DOCUMENT},
    {IDM_PASTE, IDM_PASTE, Paste, DOCUMENT},
    {IDM_CLOSE, IDM_CLOSE, Close, DOCUMENT},
    {IDM_CLOSE_ALL, IDM_CLOSE_ALL, CloseAll, ANY},
    {IDM_SAVE, IDM_SAVE, Save, CURVES},
    {IDM_SAVE_AS, IDM_SAVE_AS, SaveAs, CURVES},
    {IDM_GET_PREFERENCES, IDM_GET_PREFERENCES, GetPreferences, DOCUMENT},
    {IDM_SAVE_PREFERENCES, IDM_SAVE_PREFERENCES, SavePreferences, DOCUMENT},
    {IDM_RESIZE_ARRAYS, IDM_RESIZE_ARRAYS, Resize, DOCUMENT},
    {IDM_MACRO, IDM_MACRO, Macro, ANY},
    {IDM_PRINT, IDM_PRINT, Print, DOCUMENT},
    {IDM_PAGE_SETUP, IDM_PAGE_SETUP, PageSetup, DOCUMENT},
    {IDM_COPY_PICTURE, IDM_COPY_PICTURE, CopyPicture, DOCUMENT},
    {IDM_COPY_DIMENSIONS, IDM_COPY_DIMENSIONS, CopyDimensions, ANY},
    {IDM_COPY_DATA, IDM_COPY_DATA, CopyData, CURVES},
    {IDM_PASTE_LINK, IDM_INSERT_LINK, Link, DOCUMENT},
    {IDM_RECENT_FIRST, IDM_RECENT_LAST, Recent, ANY},
    {IDM_EXIT, IDM_EXIT, Exit, ANY},
    {IDM_DATE, IDM_DATE, Date, ANY},
    {IDM_PRINT_CAPTION, IDM_PRINT_CAPTION, Caption, ANY},
    {IDM_SCALE_FIRST, IDM_SCALE_LAST, Scale, DOCUMENT},
    {IDM_FILLED_BARS, IDM_FILLED_BARS, FilledBars, DOCUMENT},
    {IDM_AXES_ONLY, IDM_BOX, Grid, DOCUMENT},
    {IDM_AUTO_SCALE, IDM_AUTO_SCALE, AutoScale, DOCUMENT},
    {IDM_AUTO_SIZE, IDM_AUTO_SIZE, AutoSize, DOCUMENT},
    {IDM_SQUARE_LOGS, IDM_SQUARE_LOGS, SquareLogs, DOCUMENT},
    {IDM_DENSE_GRID, IDM_DENSE_GRID, DenseGrid, DOCUMENT},
    {IDM_VIEW_ALL, IDM_VIEW_ALL, ViewAll, CURVES},
    {IDM_ZOOM_OUT, IDM_ZOOM_OUT, ZoomOut, CURVES},
    {IDM_ZOOM_IN, IDM_ZOOM_IN, ZoomIn, CURVES},
    {IDM_TOOLBAR, IDM_LARGE_BUTTONS, ToolBarCommand, ANY},
    {IDM_NOTE_BUTTON, IDM_NOTE_BUTTON, NoteButtonCommand, DOCUMENT},
    {IDM_STATUS_BAR, IDM_STATUS_BAR, StatusBar, ANY},
    {IDM_REDRAW, IDM_REDRAW, Redraw, DOCUMENT},
    {IDM_CASCADE, IDM_ARRANGE_ICONS, Arrange, ANY},
    {IDM_HELP_CONTENTS, IDM_HELP_HOW_TO, Help, ANY},
    {IDM_ABOUT, IDM_ABOUT, About, ANY},
    {IDM_LEGEND_FRAME, IDM_LEGEND_OPAQUE, LegendSwitch, DOCUMENT},
    {IDM_LEGEND_FONT, IDM_LEGEND_FONT, LegendFont, DOCUMENT},
    {IDM_NOTE_FRAME, IDM_NOTE_OPAQUE, NoteSwitch, DOCUMENT},
    {IDM_TITLES, IDM_TITLES, Titles, DOCUMENT},
    {IDM_LEGEND, IDM_LEGEND, Legend, DOCUMENT},
    {IDM_SYMBOLS, IDM_SYMBOLS, Symbols, DOCUMENT},
    {IDM_MANUAL_SCALE, IDM_MANUAL_SCALE, ManualScale, DOCUMENT},
    {IDM_PHYSICAL_SIZE, IDM_PHYSICAL_SIZE, PhysicalSize, DOCUMENT},
    {IDM_MULTIPLE_AXES, IDM_MULTIPLE_AXES, MultipleAxes, DOCUMENT},
    {IDM_NUMBER_FORMATS, IDM_NUMBER_FORMATS, NumberFormats, DOCUMENT},
    {IDM_COLOR_FIRST, IDM_COLOR_LAST, Colors, ANY},
    {IDM_UNITS, IDM_UNITS, Units, DOCUMENT},
    {IDM_FONTS, IDM_FONTS, Fonts, DOCUMENT},
    {IDM_NOTE, IDM_NOTE, Note, DOCUMENT},
    {IDM_FILL, IDM_FILL, Fill, CURVES},
    {IDM_ADD_LABEL, IDM_DELETE_LABEL, Label, CURVES},
    {IDM_FONT_FIRST, IDM_FONT_LAST, ElementFont, DOCUMENT},
    {IDM_EDIT_TEXT_FIRST, IDM_EDIT_TEXT_LAST, EditText, DOCUMENT},
    {IDM_AVERAGE_ALL, IDM_AVERAGE_ALL, AnalysisCommand, CURVES},
    {IDM_POLY, IDM_POLY, AnalysisCommand, CURVES},
    {IDM_HISTOGRAM, IDM_HISTOGRAM, AnalysisCommand, CURVES},
    {IDM_CURVE_FUNCTION, IDM_NUMBER_OF_POINTS, AnalysisCommand, CURVES},
    {IDM_CURVE_FIT, IDM_CURVE_FIT, CurveFitCommand, CURVES},
    {IDM_ERASE_CURVE, IDM_ERASE_CURVE, EditingCommand, CURVES},
    {IDM_EDIT_DATA, IDM_EDIT_DATA, EditingCommand, DOCUMENT},
    {IDM_ADD_TO_X, IDM_SKIP_POINTS, EditingCommand, CURVES},
    {IDM_EQUAL_INTERVALS, IDM_EQUAL_INTERVALS, EditingCommand, CURVES},
    {IDM_MOVE_TO_FRONT, IDM_REMOVE_TREND, EditingCommand, CURVES},
    {IDM_FILTER, IDM_FILTER, FilterCommand, CURVES},
    {IDM_SMOOTH, IDM_SMOOTH, FftCommand, CURVES},
    {IDM_FFT, IDM_FFT, FftCommand, CURVES},
    {IDM_DATA_PROCESSING, IDM_DATA_PROCESSING, DataProcessingCommand, DOCUMENT},
    {IDM_BASELINE_SHIFT, IDM_UNDO_SHIFT, DataProcessingCommand, DOCUMENT},
    {IDM_INTEGRATE, IDM_DIFFERENTIATE, DataProcessingCommand, CURVES},
    {IDM_SWITCH_PLOTS, IDM_SWITCH_PLOTS, DataProcessingCommand, DOCUMENT},
};

const CommandEntry* Find(int id) {
  for (const CommandEntry& entry : kCommands)
    if (id >= entry.first && id <= entry.last) return &entry;
  return nullptr;
}

bool RequirementMet(const CommandEntry& entry, int id) {
  const PlotDocument* document = ActiveDocument();
  if (entry.requirement == DOCUMENT && !document) return false;
  if (entry.requirement == CURVES && (!document || document->curveCount == 0)) return false;
  if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST)
    return id - IDM_RECENT_FIRST < static_cast<int>(Settings().recentFiles.size());
  if (id == IDM_ZOOM_OUT) return document->zoomDepth > 0;
  if (id == IDM_SWITCH_PLOTS) return !RecordViewMenuText(document).empty();
  if (id == IDM_MOVE_TO_FRONT || id == IDM_SEND_TO_BACK) return document->curveCount >= 2;
  if (id >= IDM_CASCADE && id <= IDM_ARRANGE_ICONS) return Documents().OpenCount() > 0;
  if (id == IDM_CLOSE_ALL) return Documents().OpenCount() > 0;
  if (id == IDM_PASTE_LINK || id == IDM_INSERT_LINK)
    return LinkCount() < MAX_LINKS && (id == IDM_INSERT_LINK || LinkOnClipboard());
  return true;
}

}  // namespace

bool CommandWired(int commandId) { return Find(commandId) != nullptr; }

bool CommandEnabled(int commandId) {
  const CommandEntry* entry = Find(commandId);
  return entry && RequirementMet(*entry, commandId);
}

int ExecuteMenuCommand(HWND frame, int commandId, LPARAM parameter) {
  const CommandEntry* entry = Find(commandId);
  if (!entry || !RequirementMet(*entry, commandId)) return 0;
  const int result = entry->handler(frame, commandId, parameter);
  RefreshMenus();
  return result;
}

}  // namespace merva::app

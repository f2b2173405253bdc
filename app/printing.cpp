#include "app/printing.h"

#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/dialog_helpers.h"
#include "app/dialogs.h"
#include "app/help.h"
#include "app/printing_ids.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"
#include "core/messages.h"
#include "render/draw_plot.h"
#include "render/win32/gdi_surface.h"

namespace merva::app {

namespace {

constexpr int HELP_PRINT = 4105;
constexpr int HELP_PAGE_SETUP = 4107;

// One print job at a time: its abort dialog and the user's cancel.
HWND abortDialog = nullptr;
bool userAborted = false;
bool multipleChosen = false;
// The printer last chosen in the print dialog.
HGLOBAL chosenDevMode = nullptr;
HGLOBAL chosenDevNames = nullptr;

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (abortDialog && IsDialogMessageA(abortDialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

BOOL CALLBACK AbortProcedure(HDC, int) {
  PumpMessages();
  return userAborted ? FALSE : TRUE;
}

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        userAborted = true;
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

UINT_PTR CALLBACK PrintHook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    multipleChosen = false;
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDC_PRINT_MULTIPLE) {
    multipleChosen = true;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  if (LOWORD(wParam) == pshHelp) {
    OpenHelpContext(HELP_PRINT);
    return TRUE;
  }
  return FALSE;
}

PrinterMetrics Metrics(HDC dc) {
  PrinterMetrics m;
  m.pixelsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
  m.pixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
  m.horizontalResolution = GetDeviceCaps(dc, HORZRES);
  m.verticalResolution = GetDeviceCaps(dc, VERTRES);
  return m;
}

PageRect DocumentPage(HDC dc, const PlotDocument& d) {
  const PageMargins margins{d.margins[0], d.margins[1], d.margins[2], d.margins[3]};
  const PrinterMetrics metrics = Metrics(dc);
  PageRect page = PrintTargetRect(metrics, d.marginsSet != 0, margins);
  // Margins wider than the paper would leave nothing to draw on.
  if (page.right <= page.left || page.bottom <= page.top)
    page = PrintTargetRect(metrics, false, margins);
  return page;
}

void DrawOnPrinter(HDC dc, PlotDocument& document, const PageRect& r) {
  win32::GdiSurface surface(dc);
  DrawOptions options = PictureOptions(document);
  options.abortRequested = [] {
    PumpMessages();
    return userAborted;
  };
  DrawPlot(surface, document, SurfaceRect{r.left, r.top, r.right, r.bottom}, options);
}

struct PrintedPlot {
  int slot;
  PageRect cell;
};

// Runs one job of one page; the printer context is deleted at the end.
void RunJob(HDC dc, const std::string& name, const std::vector<PrintedPlot>& plots,
            bool showAbortMessage) {
  Program& program = TheProgram();
  userAborted = false;
  abortDialog = CreateDialogA(program.instance, "PRINTABORT", program.frame, AbortDialogProc);
  EnableWindow(program.frame, FALSE);
  SetAbortProc(dc, AbortProcedure);
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name.c_str();
  bool aborted = false;
  if (StartDocA(dc, &info) <= 0) {
    aborted = true;
  } else if (StartPage(dc) <= 0) {
    aborted = true;
    AbortDoc(dc);
  } else {
    for (const PrintedPlot& plot : plots) {
      if (userAborted) break;
      if (Documents().IsOpen(plot.slot))
        DrawOnPrinter(dc, Documents().Document(plot.slot), plot.cell);
    }
    PumpMessages();
    if (userAborted || EndPage(dc) <= 0) {
      aborted = true;
      AbortDoc(dc);
    } else if (EndDoc(dc) <= 0) {
      aborted = true;
    }
  }
  EnableWindow(program.frame, TRUE);
  if (abortDialog) DestroyWindow(abortDialog);
  abortDialog = nullptr;
  DeleteDC(dc);
  if (aborted && showAbortMessage)
    Ui().Show(MessageText(MSG_PRINT_ABORTED), APP_TITLE, MB_ICONINFORMATION);
}

// The print dialog; false on Cancel (or when no printer can be chosen,
// after the message).
bool AskPrinter(HDC& dc) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = TheProgram().frame;
  pd.hDevMode = chosenDevMode;
  pd.hDevNames = chosenDevNames;
  pd.hInstance = TheProgram().instance;
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_SHOWHELP | PD_ENABLEPRINTHOOK |
             PD_ENABLEPRINTTEMPLATE | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.lpfnPrintHook = PrintHook;
  pd.lpPrintTemplateName = "PRINTHOOK";
  pd.nCopies = 1;
  multipleChosen = false;
  ++TheProgram().openDialogs;
  BOOL chosen = PrintDlgA(&pd);
  DWORD error = chosen ? 0 : CommDlgExtendedError();
  if (!chosen && error != 0 && error != PDERR_NODEFAULTPRN && error != PDERR_NODEVICES) {
    // A system dialog that does not take the template: its own layout.
    pd.Flags &= ~static_cast<DWORD>(PD_ENABLEPRINTTEMPLATE);
    pd.lpPrintTemplateName = nullptr;
    chosen = PrintDlgA(&pd);
    error = chosen ? 0 : CommDlgExtendedError();
  }
  --TheProgram().openDialogs;
  chosenDevMode = pd.hDevMode;
  chosenDevNames = pd.hDevNames;
  if (!chosen) {
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES)
      Ui().ShowStatus(Status::Failure(MSG_NO_PRINTER_DRIVER));
    else
      ShowCommonDialogError(error);  // nothing for Cancel
    return false;
  }
  dc = pd.hDC;
  return dc != nullptr;
}

double FieldNumber(HWND dialog, int id, bool& ok) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  ok = end != text && end && *end == '\0';
  return value;
}

void SetFieldNumber(HWND dialog, int id, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  SetDlgItemTextA(dialog, id, text);
}

INT_PTR CALLBACK PageSetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static const int fields[4] = {IDC_MARGIN_TOP, IDC_MARGIN_BOTTOM, IDC_MARGIN_LEFT,
                                IDC_MARGIN_RIGHT};
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      const PlotDocument& d = *reinterpret_cast<PlotDocument*>(lParam);
      for (int i = 0; i < 4; ++i) SetFieldNumber(dialog, fields[i], d.margins[i]);
      return TRUE;
    }
    case WM_COMMAND: {
      PlotDocument& d = *reinterpret_cast<PlotDocument*>(GetWindowLongPtrA(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: {
          std::array<double, 4> values{};
          for (int i = 0; i < 4; ++i) {
            bool ok = false;
            values[i] = FieldNumber(dialog, fields[i], ok);
            if (!ok || !(values[i] >= 0.0) || values[i] > 100.0) {
              Ui().Show("Out of range", "Page Setup");
              SetFocus(GetDlgItem(dialog, fields[i]));
              return TRUE;
            }
          }
          d.margins = values;
          d.marginsSet = 1;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDC_MARGIN_DEFAULTS:
          d.marginsSet = 0;
          EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return CancelOrHelp(dialog, wParam, HELP_PAGE_SETUP) ? TRUE : FALSE;
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace

DrawOptions PictureOptions(const PlotDocument& document) {
  Program& program = TheProgram();
  DrawOptions options;
  options.settings = &Settings();
  options.numbers.regional = program.regional;
  options.numbers.delineateThousands = Settings().delineateThousands;
  options.numbers.dateFormat = document.dateFormat.Str();
  options.windowBackground = GetSysColor(COLOR_WINDOW);
  options.windowText = GetSysColor(COLOR_WINDOWTEXT);
  const std::time_t now = std::time(nullptr);
  if (const std::tm* today = std::localtime(&now)) {
    options.todayYear = today->tm_year + 1900;
    options.todayMonth = today->tm_mon + 1;
    options.todayDay = today->tm_mday;
  }
  options.dateStamp = document.dateStamp != 0;
  options.caption = Settings().printFileName;
  return options;
}

Status OpenDefaultPrinter(HDC& printer) {
  printer = nullptr;
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  if (device[0] == '\0') return Status::Failure(MSG_NO_PRINTER_DRIVER);
  // "name,driver,port"
  const std::string entry(device);
  const std::size_t first = entry.find(',');
  const std::size_t second = first == std::string::npos ? first : entry.find(',', first + 1);
  if (first == 0 || second == std::string::npos || second == first + 1)
    return Status::Failure(MSG_PRINTER_CONFIGURATION);
  const std::string name = entry.substr(0, first);
  const std::string driver = entry.substr(first + 1, second - first - 1);
  const std::string port = entry.substr(second + 1);
  printer = CreateDCA(driver.c_str(), name.c_str(), port.empty() ? nullptr : port.c_str(), nullptr);
  if (!printer) return Status::Failure(MSG_PRINTER_DC_FAILED);
  return Status::Success();
}

int PrintCommand(LPARAM parameter) {
  const int slot = ActiveSlot();
  if (!slot) return 0;
  const bool withoutDialog =
      TheParameterCells().macroCommandActive != 0 || parameter == PRINT_WITHOUT_DIALOG;
  HDC dc = nullptr;
  std::vector<PrintedPlot> plots;
  if (withoutDialog) {
    const Status opened = OpenDefaultPrinter(dc);
    if (!opened.Ok()) {
      Ui().ShowStatus(opened);
      return 0;
    }
  } else {
    if (!AskPrinter(dc)) return 0;
    if (multipleChosen) {
      std::vector<int> slots;
      MultiplePlotArrangement arrangement = MultiplePlotArrangement::Vertical;
      double space = 0.0;
      if (!MultiplePrintDialog(slots, arrangement, space) || slots.empty()) {
        DeleteDC(dc);
        return 0;
      }
      const PageRect page = DocumentPage(dc, Documents().Document(slot));
      const std::vector<PageRect> cells =
          MultiplePlotCells(page, Metrics(dc), static_cast<int>(slots.size()), arrangement, space);
      for (std::size_t i = 0; i < slots.size() && i < cells.size(); ++i)
        plots.push_back({slots[i], cells[i]});
    }
  }
  if (plots.empty()) plots.push_back({slot, DocumentPage(dc, Documents().Document(slot))});
  const std::string name = Documents().Document(slot).fileTitle.Str();
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  RunJob(dc, name.empty() ? std::string(APP_TITLE) : name, plots, !withoutDialog);
  SetCursor(old);
  return 1;
}

int PageSetupCommand() {
  PlotDocument* d = ActiveDocument();
  if (!d) return 0;
  const int wasSet = d->marginsSet;
  const auto was = d->margins;
  if (RunDialog("PAGESETUP", PageSetupProc, reinterpret_cast<LPARAM>(d)) != IDOK) return 0;
  if (wasSet != d->marginsSet || was != d->margins) d->MarkChanged();
  return 1;
}

}  // namespace merva::app

#include "app/fft_commands.h"

#include <string>

#include "app/curve_pickers.h"
#include "app/data_processing_commands.h"
#include "app/dialog_helpers.h"
#include "app/document_window.h"
#include "app/fft_dialogs_ids.h"
#include "app/plot_dialogs.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "core/dialog_values.h"
#include "core/messages.h"
#include "processing/fft_spectrum.h"
#include "processing/prime_factors.h"
#include "processing/real_fft.h"
#include "processing/smoothing.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr char FFT_CAPTION[] = "FFT";
constexpr char SMOOTH_CAPTION[] = "Smooth";

// "Replace existing curve" of the smoothing dialog, for the whole program.
bool replaceSmoothedCurve = false;

bool CommandMode() { return TheParameterCells().macroCommandActive != 0; }

struct FftChoice {
  long long n = 0;
  int options = 0;
};

std::string FactorsLine(long long n) {
  std::string text;
  switch (PrimeFactorText(n, text)) {
    case FactorResult::OK:
      return text;
    case FactorResult::TABLE_EXHAUSTED:
      return "An error occurred while attempting to find the factors of N. Please contact the "
             "author.";
    default:
      return "Insufficient memory for calculating prime factors of N";
  }
}

void InitFft(HWND dialog, FftChoice* c) {
  SetText(dialog, IDC_FFT_COUNT_TEXT,
          "The number of data points (N) in the input record is " + std::to_string(c->n) +
              ". The prime factor(s) of N are:");
  SetText(dialog, IDC_FFT_FACTORS, FactorsLine(c->n));
  SetText(dialog, IDC_FFT_PAD_TEXT,
          "Pad input record with zero values out to the next highest power of 2 (" +
              std::to_string(NextPowerOfTwo(c->n)) + ") prior to running the FFT.");
  const bool asIs = (c->options & FFT_OPTION_UNPADDED) != 0;
  CheckRadioButton(dialog, IDC_FFT_PAD, IDC_FFT_AS_IS, asIs ? IDC_FFT_AS_IS : IDC_FFT_PAD);
  SetChecked(dialog, IDC_FFT_PHASE, (c->options & FFT_OPTION_PHASE) != 0);
  SetChecked(dialog, IDC_FFT_DONT_SHOW, (c->options & FFT_OPTION_SHOW_DIALOG) == 0);
}

INT_PTR CALLBACK FftProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FftChoice* c = DialogState<FftChoice>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      InitFft(dialog, c);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        c->options = (Checked(dialog, IDC_FFT_DONT_SHOW) ? 0 : FFT_OPTION_SHOW_DIALOG) |
                     (Checked(dialog, IDC_FFT_PHASE) ? FFT_OPTION_PHASE : 0) |
                     (Checked(dialog, IDC_FFT_AS_IS) ? FFT_OPTION_UNPADDED : 0);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, IDM_FFT) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

struct SmoothChoice {
  double window = 2.0;
  bool replace = false;
};

INT_PTR CALLBACK SmoothProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SmoothChoice* c = DialogState<SmoothChoice>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      SetReal(dialog, IDC_SMOOTH_WINDOW, c->window);
      SetChecked(dialog, IDC_SMOOTH_REPLACE, c->replace);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        double window = 0.0;
        // No range check; only a number is needed.
        if (!ParseDialogReal(Text(dialog, IDC_SMOOTH_WINDOW), window)) {
          SetFocus(GetDlgItem(dialog, IDC_SMOOTH_WINDOW));
          return TRUE;
        }
        c->window = window;
        c->replace = Checked(dialog, IDC_SMOOTH_REPLACE);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, IDM_SMOOTH) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

int Fft(int slot) {
  int curve = 1;
  {
    PlotDocument& source = Documents().Document(slot);
    if (CommandMode()) {
      curve = TheParameterCells().firstCurve;
      if (curve < 1 || curve > source.curveCount) return 0;
    } else if (!PickOneCurve(source, "FFT for which curve?", curve)) {
      return 0;
    }
    const int n = source.pointCount[curve];
    if (n < 2 || SpacingState(source, curve) == STATE_NO) {
      Ui().ShowStatus(Status::Failure(MSG_CONSTANT_SPACING), FFT_CAPTION);
      return 0;
    }
    int& options = Settings().fftOption;
    if (!CommandMode() && (options & FFT_OPTION_SHOW_DIALOG) != 0) {
      FftChoice choice{n, options};
      if (RunDialog("FFT", FftProc, reinterpret_cast<LPARAM>(&choice)) != IDOK) return 0;
      options = choice.options;
    }
  }
  const int target = NewDocumentWindow(false);
  if (target == 0) return 0;
  const Status status = FftCurve(Documents().Document(slot), curve, Settings().fftOption,
                                 Documents().Document(target), EscapePressed);
  if (!status.Ok()) {
    Ui().ShowStatus(status, FFT_CAPTION);
    if (status.fatal) PostQuitMessage(0);
    CloseDocumentWindow(target, false);
    ActivateDocumentWindow(slot);
    return 0;
  }
  // A name gives the spectrum a DDE topic of its own.
  NameDocumentWindow(target, FFT_CAPTION);
  ActivateDocumentWindow(target);
  RedrawDocument(target);
  return 1;
}

int Smooth(int slot) {
  PlotDocument& d = Documents().Document(slot);
  CurveRange range{1, 1};
  if (d.processMode == 0 && !OperationCurves(d, "Smooth which curve?", true, range)) return 0;
  SmoothChoice choice{DefaultSmoothingWindow(d.pointCount[range.first]), replaceSmoothedCurve};
  if (CommandMode()) {
    choice.window = TheParameterCells().constantValue;
    choice.replace = TheParameterCells().replaceCurve != 0;
  } else {
    if (RunDialog("SMOOTH", SmoothProc, reinterpret_cast<LPARAM>(&choice)) != IDOK) return 0;
    replaceSmoothedCurve = choice.replace;
  }
  int result = 0;
  SetStatusHint(MSG_STATUS_SMOOTHING);
  const Status status = SmoothCurve(d, range.first, choice.window, choice.replace, result);
  SetStatusHint(0);
  Ui().ShowStatus(status, SMOOTH_CAPTION);
  if (!status.Ok()) return 0;
  MarkCurvesChanged(slot, result, result);
  if (d.processMode != 0) return FinishRecordEdit(slot, false);
  RedrawDocument(slot);
  return 1;
}

}  // namespace

int FftCommand(HWND, int commandId, LPARAM) {
  const int slot = ActiveSlot();
  if (slot == 0 || Documents().Document(slot).curveCount < 1) return 0;
  return commandId == IDM_FFT ? Fft(slot) : Smooth(slot);
}

}  // namespace merva::app

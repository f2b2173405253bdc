#include <algorithm>
#include <vector>

#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/ui_host.h"
#include "core/dialog_values.h"
#include "render/fill_choice.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr int MAX_FILLS = 20;  // what a plot file keeps

struct FillEdit {
  PlotDocument* document = nullptr;
  std::vector<FillRegion> fills;
  int shown = 1;  // 1-based; fills.size() + 1 is a new fill
};

void ShowFill(HWND dialog, FillEdit& e) {
  FillRegion fill;
  fill.first = 1;
  fill.second = CurvesOf(*e.document) > 1 ? 2 : 1;
  fill.color = 0xC0C0C0;
  if (e.shown <= static_cast<int>(e.fills.size()))
    fill = e.fills[static_cast<std::size_t>(e.shown - 1)];
  SetInteger(dialog, IDC_FILL_NUMBER, e.shown);
  SetInteger(dialog, IDC_FILL_FIRST_CURVE, fill.first);
  SetInteger(dialog, IDC_FILL_SECOND_CURVE, fill.second);
  SetInteger(dialog, IDC_FILL_RED, fill.color & 0xFF);
  SetInteger(dialog, IDC_FILL_GREEN, (fill.color >> 8) & 0xFF);
  SetInteger(dialog, IDC_FILL_BLUE, (fill.color >> 16) & 0xFF);
  CheckRadioButton(dialog, IDC_FILL_CHOICE_FIRST, IDC_FILL_CHOICE_LAST,
                   IDC_FILL_CHOICE_FIRST + FillChoiceOf(fill));
  SetText(dialog, IDC_FILL_PATTERN_TEXT, PatternText(fill.pattern));
  EnableWindow(GetDlgItem(dialog, IDC_FILL_DELETE), e.shown <= static_cast<int>(e.fills.size()));
}

// The shown fill into the working list; false when refused.
bool KeepFill(HWND dialog, FillEdit& e) {
  const int curves = CurvesOf(*e.document);
  int first = 0, second = 0, red = 0, green = 0, blue = 0;
  if (!ReadInteger(dialog, IDC_FILL_FIRST_CURVE, 1, curves, first) ||
      !ReadInteger(dialog, IDC_FILL_SECOND_CURVE, 1, curves, second) ||
      !ReadInteger(dialog, IDC_FILL_RED, 0, 255, red) ||
      !ReadInteger(dialog, IDC_FILL_GREEN, 0, 255, green) ||
      !ReadInteger(dialog, IDC_FILL_BLUE, 0, 255, blue))
    return false;
  FillRegion fill;
  if (e.shown <= static_cast<int>(e.fills.size()))
    fill = e.fills[static_cast<std::size_t>(e.shown - 1)];
  int choice = 0;
  for (int i = 0; i < FILL_CHOICES; ++i)
    if (Checked(dialog, IDC_FILL_CHOICE_FIRST + i)) choice = i;
  if (choice == FILL_CHOICE_USER &&
      !ParsePatternText(Text(dialog, IDC_FILL_PATTERN_TEXT), fill.pattern)) {
    Refuse(dialog, IDC_FILL_PATTERN_TEXT,
           Status::Failure(std::string("The user pattern needs 8 hexadecimal bytes.")), "MERVA95");
    return false;
  }
  fill.first = first;
  fill.second = second;
  fill.color = red | (green << 8) | (blue << 16);
  SetFillChoice(fill, choice);
  if (e.shown <= static_cast<int>(e.fills.size()))
    e.fills[static_cast<std::size_t>(e.shown - 1)] = fill;
  else
    e.fills.push_back(fill);
  return true;
}

INT_PTR CALLBACK FillProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<FillEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      ShowFill(dialog, *e);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_FILL_SHOW: {
          int number = 0;
          const int last = std::min(static_cast<int>(e->fills.size()) + 1, MAX_FILLS);
          if (!ReadInteger(dialog, IDC_FILL_NUMBER, 1, last, number)) return TRUE;
          e->shown = number;
          ShowFill(dialog, *e);
          return TRUE;
        }
        case IDC_FILL_DELETE:
          if (e->shown <= static_cast<int>(e->fills.size()))
            e->fills.erase(e->fills.begin() + (e->shown - 1));
          e->shown = std::min(e->shown, static_cast<int>(e->fills.size()) + 1);
          ShowFill(dialog, *e);
          return TRUE;
        case IDOK:
          if (!KeepFill(dialog, *e)) return TRUE;
          e->document->fillRegions = e->fills;
          EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

int FillDialog(PlotDocument& document) {
  FillEdit edit;
  edit.document = &document;
  edit.fills = document.fillRegions;
  if (edit.fills.size() > static_cast<std::size_t>(MAX_FILLS)) edit.fills.resize(MAX_FILLS);
  return RunDialog("FILL", FillProc, reinterpret_cast<LPARAM>(&edit)) == IDOK ? 1 : 0;
}

}  // namespace merva::app

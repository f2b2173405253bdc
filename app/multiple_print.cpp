#include <cstdio>
#include <cstdlib>

#include "app/dialog_helpers.h"
#include "app/help.h"
#include "app/printing.h"
#include "app/printing_ids.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"

namespace merva::app {

namespace {

constexpr int MULTIPLE_DOCUMENTS = 8;
constexpr int HELP_MULTIPLE_PLOTS = 4105;

// The dialog's last choices (program-wide).
struct MultipleChoice {
  MultiplePlotArrangement arrangement = MultiplePlotArrangement::Vertical;
  double space = 0.25;
  std::vector<int> slots;  // result
};
MultipleChoice lastChoice;

// The slots shown in the check boxes, in slot order.
std::vector<int> ShownSlots() {
  std::vector<int> slots;
  for (int slot = 1; slot <= MAX_DOCUMENTS && static_cast<int>(slots.size()) < MULTIPLE_DOCUMENTS;
       ++slot)
    if (Documents().IsOpen(slot)) slots.push_back(slot);
  return slots;
}

INT_PTR CALLBACK MultipleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  const std::vector<int> shown = ShownSlots();
  switch (message) {
    case WM_INITDIALOG: {
      for (int i = 0; i < MULTIPLE_DOCUMENTS; ++i) {
        HWND box = GetDlgItem(dialog, IDC_MULTIPLE_FIRST + i);
        if (i >= static_cast<int>(shown.size())) {
          ShowWindow(box, SW_HIDE);
          continue;
        }
        const PlotDocument& d = Documents().Document(shown[static_cast<std::size_t>(i)]);
        std::string title = d.fileTitle.Str();
        if (title.empty()) title = "(Untitled)";
        SetWindowTextA(box, title.c_str());
        CheckDlgButton(
            dialog, IDC_MULTIPLE_FIRST + i,
            shown[static_cast<std::size_t>(i)] == ActiveSlot() ? BST_CHECKED : BST_UNCHECKED);
      }
      CheckRadioButton(dialog, IDC_MULTIPLE_VERTICAL, IDC_MULTIPLE_TWO_COLUMNS,
                       IDC_MULTIPLE_VERTICAL + static_cast<int>(lastChoice.arrangement));
      char text[32];
      std::snprintf(text, sizeof text, "%g", lastChoice.space);
      SetDlgItemTextA(dialog, IDC_MULTIPLE_SPACE, text);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          char text[64] = {};
          GetDlgItemTextA(dialog, IDC_MULTIPLE_SPACE, text, sizeof text);
          char* end = nullptr;
          const double space = std::strtod(text, &end);
          while (end && *end == ' ') ++end;
          if (end == text || !end || *end != '\0' || !(space >= 0.0) || space > 100.0) {
            Ui().Show("Out of range", "Multiple Plots");
            SetFocus(GetDlgItem(dialog, IDC_MULTIPLE_SPACE));
            return TRUE;
          }
          lastChoice.slots.clear();
          for (std::size_t i = 0; i < shown.size(); ++i)
            if (IsDlgButtonChecked(dialog, IDC_MULTIPLE_FIRST + static_cast<int>(i)) == BST_CHECKED)
              lastChoice.slots.push_back(shown[i]);
          lastChoice.space = space;
          for (int id = IDC_MULTIPLE_VERTICAL; id <= IDC_MULTIPLE_TWO_COLUMNS; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
              lastChoice.arrangement =
                  static_cast<MultiplePlotArrangement>(id - IDC_MULTIPLE_VERTICAL);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        default:
          return CancelOrHelp(dialog, wParam, HELP_MULTIPLE_PLOTS) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool MultiplePrintDialog(std::vector<int>& slots, MultiplePlotArrangement& arrangement,
                         double& spaceInches) {
  if (RunDialog("MULTIPLEPRINT", MultipleProc, 0) != IDOK) return false;
  slots = lastChoice.slots;
  arrangement = lastChoice.arrangement;
  spaceInches = lastChoice.space;
  return true;
}

}  // namespace merva::app

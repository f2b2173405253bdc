#include "app/dialog_helpers.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/ui_host.h"
#include "render/draw_plot.h"

namespace merva::app {

namespace {

using namespace dialog_fields;

constexpr int MAX_TAB_STOP = 40;
constexpr int DEFAULT_TAB_STOP = 8;

INT_PTR CALLBACK NoteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* d = DialogState<PlotDocument>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG: {
      const Note& n = d->note;
      SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_LIMITTEXT, MAX_NOTE_LENGTH, 0);
      SendDlgItemMessageA(dialog, IDC_NOTE_BUTTON_TEXT, EM_LIMITTEXT, NOTE_BUTTON_WIDTH, 0);
      SetText(dialog, IDC_NOTE_TEXT, n.text);
      SetChecked(dialog, IDC_NOTE_FRAME, (n.attribute1 & NOTE_FRAME) != 0);
      SetChecked(dialog, IDC_NOTE_OPAQUE, (n.attribute1 & NOTE_OPAQUE) != 0);
      SetChecked(dialog, IDC_NOTE_BUTTON, (n.attribute1 & NOTE_BUTTON) != 0);
      SetInteger(dialog, IDC_NOTE_TABS, n.attribute2 > 0 ? n.attribute2 : DEFAULT_TAB_STOP);
      SetText(dialog, IDC_NOTE_BUTTON_TEXT, std::string(d->noteButton.Trimmed()));
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          int tabs = 0;
          if (!ReadInteger(dialog, IDC_NOTE_TABS, 1, MAX_TAB_STOP, tabs)) return TRUE;
          Note& n = d->note;
          n.text = Text(dialog, IDC_NOTE_TEXT).substr(0, MAX_NOTE_LENGTH);
          int flags = n.attribute1 & ~(NOTE_SHOWN | NOTE_FRAME | NOTE_OPAQUE | NOTE_BUTTON);
          if (n.text.find_first_not_of(" \r\n\t") != std::string::npos) flags |= NOTE_SHOWN;
          if (Checked(dialog, IDC_NOTE_FRAME)) flags |= NOTE_FRAME;
          if (Checked(dialog, IDC_NOTE_OPAQUE)) flags |= NOTE_OPAQUE;
          if (Checked(dialog, IDC_NOTE_BUTTON)) flags |= NOTE_BUTTON;
          n.attribute1 = flags;
          n.attribute2 = tabs;
          d->noteButton.Set(Text(dialog, IDC_NOTE_BUTTON_TEXT));
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDC_NOTE_FONT:
          ElementFontDialog(*d, FONT_NOTE);
          return TRUE;
        default:
          return EndOnCancel(dialog, wParam) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

int NoteDialog(PlotDocument& document) {
  return RunDialog("NOTE", NoteProc, reinterpret_cast<LPARAM>(&document)) == IDOK ? 1 : 0;
}

}  // namespace merva::app

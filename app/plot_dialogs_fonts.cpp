#include <windows.h>
// after windows.h
#include <commdlg.h>

#include <array>
#include <cstring>

#include "app/dialog_helpers.h"
#include "app/dialogs.h"
#include "app/plot_dialogs.h"
#include "app/plot_dialogs_ids.h"
#include "app/program.h"
#include "app/ui_host.h"

namespace merva::app {

namespace {

struct FontEdit {
  std::array<FontDescription, TEXT_ELEMENT_COUNT> fonts{};
  std::array<uint32_t, TEXT_ELEMENT_COUNT> colors{};
};

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

LOGFONTA ToLogFont(const FontDescription& f) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(f.height, ScreenPixelsPerInch(), 72);
  lf.lfWidth = 0;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeOut;
  lf.lfCharSet = f.charSet;
  lf.lfOutPrecision = f.outPrecision;
  lf.lfClipPrecision = f.clipPrecision;
  lf.lfQuality = f.quality;
  lf.lfPitchAndFamily = f.pitchAndFamily;
  const std::string face = f.FaceName();
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

// The escapement of the rotated Y axis title is kept.
void FromLogFont(FontDescription& f, const LOGFONTA& lf, int pointSizeTenths) {
  f.height = pointSizeTenths > 0
                 ? (pointSizeTenths + 5) / 10
                 : MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, ScreenPixelsPerInch());
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strikeOut = lf.lfStrikeOut;
  f.charSet = lf.lfCharSet;
  f.outPrecision = lf.lfOutPrecision;
  f.clipPrecision = lf.lfClipPrecision;
  f.quality = lf.lfQuality;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  f.SetFaceName(lf.lfFaceName);
}

bool ChooseElementFont(HWND owner, FontDescription& font, uint32_t& color) {
  LOGFONTA lf = ToLogFont(font);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = color;
  ++TheProgram().openDialogs;
  const BOOL chosen = ChooseFontA(&cf);
  const DWORD error = chosen ? 0 : CommDlgExtendedError();
  --TheProgram().openDialogs;
  if (!chosen) {
    ShowCommonDialogError(error);  // nothing for Cancel
    return false;
  }
  FromLogFont(font, lf, cf.iPointSize);
  color = cf.rgbColors;
  return true;
}

INT_PTR CALLBACK FontsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* e = DialogState<FontEdit>(dialog, message, lParam);
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDC_FONT_FIRST && id <= IDC_FONT_LAST) {
        const std::size_t i = static_cast<std::size_t>(id - IDC_FONT_FIRST);
        ChooseElementFont(dialog, e->fonts[i], e->colors[i]);
      } else if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

int FontsDialog(PlotDocument& document) {
  FontEdit edit;
  edit.fonts = document.fonts;
  edit.colors = document.fontColors;
  if (RunDialog("MERVAFONT", FontsProc, reinterpret_cast<LPARAM>(&edit)) != IDOK) return 0;
  document.fonts = edit.fonts;
  document.fontColors = edit.colors;
  return 1;
}

int ElementFontDialog(PlotDocument& document, int element) {
  if (element < FONT_NUMBERS || element > FONT_NOTE) return 0;
  const std::size_t i = static_cast<std::size_t>(element - 1);
  return ChooseElementFont(TheProgram().frame, document.fonts[i], document.fontColors[i]) ? 1 : 0;
}

}  // namespace merva::app

#include <cstdio>
#include <cstdlib>

#include "app/dialog_helpers.h"
#include "app/help.h"
#include "app/printing.h"
#include "app/printing_ids.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"
#include "render/picture_export.h"
#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_targets.h"

namespace merva::app {

namespace {

constexpr int HELP_COPY_DIMENSIONS = 4117;

// A palette of the screen colours.
HPALETTE ScreenPalette() {
  const ColorTable& colors = Settings().screenColors;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) {
    PALETTEENTRY& e = palette->palPalEntry[i];
    e.peRed = GetRValue(colors[i]);
    e.peGreen = GetGValue(colors[i]);
    e.peBlue = GetBValue(colors[i]);
    e.peFlags = 0;
  }
  return CreatePalette(palette);
}

bool ReadDouble(HWND dialog, int id, double& value) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  char* end = nullptr;
  value = std::strtod(text, &end);
  while (end && *end == ' ') ++end;
  return end != text && end && *end == '\0';
}

bool ReadInt(HWND dialog, int id, int& value) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  while (end && *end == ' ') ++end;
  if (end == text || !end || *end != '\0' || v > 32767 || v < -32768) return false;
  value = static_cast<int>(v);
  return true;
}

INT_PTR CALLBACK DimensionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      int mw = 0, mh = 0, bw = 0, bh = 0;
      PictureDimensions(mw, mh, bw, bh);
      char text[64];
      std::snprintf(text, sizeof text, "%g", PictureUnitsToInches(mw));
      SetDlgItemTextA(dialog, IDC_METAFILE_WIDTH, text);
      std::snprintf(text, sizeof text, "%g", PictureUnitsToInches(mh));
      SetDlgItemTextA(dialog, IDC_METAFILE_HEIGHT, text);
      SetDlgItemInt(dialog, IDC_BITMAP_WIDTH, static_cast<UINT>(bw), TRUE);
      SetDlgItemInt(dialog, IDC_BITMAP_HEIGHT, static_cast<UINT>(bh), TRUE);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          double mw = 0, mh = 0;
          int bw = 0, bh = 0;
          const bool read = ReadDouble(dialog, IDC_METAFILE_WIDTH, mw) &&
                            ReadDouble(dialog, IDC_METAFILE_HEIGHT, mh) &&
                            ReadInt(dialog, IDC_BITMAP_WIDTH, bw) &&
                            ReadInt(dialog, IDC_BITMAP_HEIGHT, bh);
          const Status checked =
              read ? CheckPictureDimensions(mw, mh, bw, bh) : Status::Failure("Out of range");
          if (!checked.Ok()) {
            Ui().ShowStatus(checked, "Picture Dimensions");
            return TRUE;
          }
          SetPictureDimensions(InchesToPictureUnits(mw), InchesToPictureUnits(mh), bw, bh);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        default:
          return CancelOrHelp(dialog, wParam, HELP_COPY_DIMENSIONS) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void PictureDimensions(int& metafileWidth, int& metafileHeight, int& bitmapWidth,
                       int& bitmapHeight) {
  // The command language's cells hold the values now in force.
  const ParameterCells& cells = TheParameterCells();
  metafileWidth = cells.metafileWidth;
  metafileHeight = cells.metafileHeight;
  bitmapWidth = cells.bitmapWidth;
  bitmapHeight = cells.bitmapHeight;
}

void SetPictureDimensions(int metafileWidth, int metafileHeight, int bitmapWidth,
                          int bitmapHeight) {
  ParameterCells& cells = TheParameterCells();
  cells.metafileWidth = Settings().pictureWidth = metafileWidth;
  cells.metafileHeight = Settings().pictureHeight = metafileHeight;
  cells.bitmapWidth = Settings().bitmapWidth = bitmapWidth;
  cells.bitmapHeight = Settings().bitmapHeight = bitmapHeight;
}

int CopyDimensionsCommand() { return RunDialog("COPYDIMS", DimensionsProc, 0) == IDOK ? 1 : 0; }

int CopyPictureCommand() {
  PlotDocument* d = ActiveDocument();
  if (!d) return 0;
  int mw = 0, mh = 0, bw = 0, bh = 0;
  PictureDimensions(mw, mh, bw, bh);
  const bool physical = d->manualTicks != 0;
  const int w = physical ? PHYSICAL_SIZE_PICTURE_EXTENT : mw;
  const int h = physical ? PHYSICAL_SIZE_PICTURE_EXTENT : mh;
  if (w <= 0 || h <= 0 || bw <= 0 || bh <= 0) {
    MessageBeep(MB_ICONEXCLAMATION);
    return 0;
  }
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const DrawOptions options = PictureOptions(*d);
  HMETAFILE metafile = win32::DrawToMetafile(w, h, *d, options);
  HGLOBAL picture = nullptr;
  if (metafile) {
    picture = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    if (auto* p = picture ? static_cast<METAFILEPICT*>(GlobalLock(picture)) : nullptr) {
      p->mm = MM_ANISOTROPIC;
      // The physical size gives the picture's extents.
      p->xExt = physical ? InchesToPictureUnits(d->plotWidth) : w + 1;
      p->yExt = physical ? InchesToPictureUnits(d->plotHeight) : h + 1;
      p->hMF = metafile;
      GlobalUnlock(picture);
    } else {
      if (picture) GlobalFree(picture);
      picture = nullptr;
      DeleteMetaFile(metafile);
    }
  }
  HBITMAP bitmap = win32::DrawToBitmap(nullptr, bw, bh, *d, options, GetSysColor(COLOR_WINDOW));
  HPALETTE palette = ScreenPalette();
  SetCursor(old);
  if (!OpenClipboard(TheProgram().frame)) {
    if (picture) {
      DeleteMetaFile(metafile);
      GlobalFree(picture);
    }
    if (bitmap) DeleteObject(bitmap);
    if (palette) DeleteObject(palette);
    MessageBeep(MB_ICONEXCLAMATION);
    return 0;
  }
  EmptyClipboard();
  if (picture) SetClipboardData(CF_METAFILEPICT, picture);
  if (bitmap) SetClipboardData(CF_BITMAP, bitmap);
  if (palette) SetClipboardData(CF_PALETTE, palette);
  CloseClipboard();
  if (!picture || !bitmap) MessageBeep(MB_ICONEXCLAMATION);
  return picture || bitmap ? 1 : 0;
}

}  // namespace merva::app

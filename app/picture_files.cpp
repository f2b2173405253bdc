#include <windows.h>
// after windows.h
#include <commdlg.h>

#include <cstdio>
#include <memory>
#include <new>

#include "app/document_window.h"
#include "app/printing.h"
#include "app/program.h"
#include "automation/parameter_cells.h"
#include "render/draw_plot.h"
#include "render/picture_export.h"
#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_surface.h"

namespace merva::app {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void TargetSize(const PlotDocument& d, int& w, int& h) {
  int mw = 0, mh = 0, bw = 0, bh = 0;
  PictureDimensions(mw, mh, bw, bh);
  const bool physical = d.manualTicks != 0;
  w = physical ? PHYSICAL_SIZE_PICTURE_EXTENT : mw;
  h = physical ? PHYSICAL_SIZE_PICTURE_EXTENT : mh;
}

// Records the plot into a metafile on disk.
bool RecordMetafile(PlotDocument& document, const std::string& path, int w, int h) {
  HDC dc = CreateMetaFileA(path.c_str());
  if (!dc) return false;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, w, h, nullptr);
  {
    win32::GdiSurface surface(dc);
    DrawPlot(surface, document, SurfaceRect{0, 0, w - 1, h - 1}, PictureOptions(document));
  }
  HMETAFILE recorded = CloseMetaFile(dc);
  if (!recorded) return false;
  DeleteMetaFile(recorded);  // the file stays
  return true;
}

bool AskPictureName(bool enhanced, std::string& path) {
  char name[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = TheProgram().frame;
  ofn.lpstrFilter = enhanced ? "Enhanced Metafiles (*.emf)\0*.emf\0All Files (*.*)\0*.*\0"
                             : "Windows Metafiles (*.wmf)\0*.wmf\0All Files (*.*)\0*.*\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrTitle = enhanced ? "Save Enhanced Metafile" : "Save Metafile";
  ofn.lpstrDefExt = enhanced ? "emf" : "wmf";
  ofn.lpstrInitialDir = Settings().defaultPath.empty() ? nullptr : Settings().defaultPath.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  ++TheProgram().openDialogs;
  const BOOL chosen = GetSaveFileNameA(&ofn);
  --TheProgram().openDialogs;
  if (!chosen) return false;
  path = name;
  return true;
}

}  // namespace

Status WriteMetafileFile(PlotDocument& document, const std::string& path) {
  int w = 0, h = 0;
  TargetSize(document, w, h);
  // The header's box holds 16-bit values.
  if (w <= 0 || h <= 0 || w > 32768 || h > 32768) return Status::Failure();
  char folder[MAX_PATH] = {}, temporary[MAX_PATH] = {};
  if (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "MRV", 0, temporary))
    return Status::Failure();
  const std::string recorded = temporary;
  if (!RecordMetafile(document, recorded, w, h)) {
    DeleteFileA(recorded.c_str());
    return Status::Failure();
  }
  Status result = Status::Success();
  {
    File in(std::fopen(recorded.c_str(), "rb"));
    File out(std::fopen(path.c_str(), "wb"));
    if (!in || !out) {
      result = Status::Failure();
    } else {
      int mw = 0, mh = 0, bw = 0, bh = 0;
      PictureDimensions(mw, mh, bw, bh);
      const auto header = PlaceableHeader(MetafileBox(mw, mh, document.manualTicks != 0));
      if (std::fwrite(header.data(), 1, header.size(), out.get()) != header.size())
        result = Status::Failure();
      std::unique_ptr<char[]> chunk(new (std::nothrow) char[METAFILE_COPY_CHUNK]);
      if (!chunk) {
        MessageBeep(MB_ICONEXCLAMATION);
      } else {
        std::size_t n = 0;
        while (result.Ok() && (n = std::fread(chunk.get(), 1, METAFILE_COPY_CHUNK, in.get())) > 0)
          if (std::fwrite(chunk.get(), 1, n, out.get()) != n) result = Status::Failure();
      }
      if (std::fflush(out.get()) != 0) result = Status::Failure();
    }
  }
  DeleteFileA(recorded.c_str());
  if (!result.Ok()) DeleteFileA(path.c_str());
  return result;
}

Status WriteEnhancedMetafileFile(PlotDocument& document, const std::string& path) {
  int w = 0, h = 0;
  TargetSize(document, w, h);
  if (w <= 0 || h <= 0) return Status::Failure();
  const bool physical = document.manualTicks != 0;
  const RECT frame{0, 0, w, h};  // hundredths of a millimetre
  const std::string description = EnhancedMetafileDescription(document.fileTitle.Str());
  win32::WindowDc screen(nullptr);
  HDC dc = CreateEnhMetaFileA(screen.Get(), path.c_str(), physical ? nullptr : &frame,
                              description.c_str());
  if (!dc) return Status::Failure();
  const int pixelsX = GetDeviceCaps(screen.Get(), HORZRES);
  const int pixelsY = GetDeviceCaps(screen.Get(), VERTRES);
  const int mmX = GetDeviceCaps(screen.Get(), HORZSIZE),
            mmY = GetDeviceCaps(screen.Get(), VERTSIZE);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, mmX * 100, mmY * 100, nullptr);
  SetViewportExtEx(dc, pixelsX, pixelsY, nullptr);
  {
    win32::GdiSurface surface(dc);
    DrawPlot(surface, document, SurfaceRect{0, 0, w - 1, h - 1}, PictureOptions(document));
  }
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  if (!metafile) {
    DeleteFileA(path.c_str());
    return Status::Failure();
  }
  DeleteEnhMetaFile(metafile);
  return Status::Success();
}

int SavePictureCommand(int slot, bool enhanced) {
  if (!Documents().IsOpen(slot)) return 0;
  ParameterCells& cells = TheParameterCells();
  std::string path;
  if (cells.macroCommandActive) {
    path = cells.pendingFileName;
    if (path.empty()) return 0;
  } else if (!AskPictureName(enhanced, path)) {
    return 0;
  }
  PlotDocument& document = Documents().Document(slot);
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const Status written =
      enhanced ? WriteEnhancedMetafileFile(document, path) : WriteMetafileFile(document, path);
  SetCursor(old);
  InvalidatePicture(slot);
  if (!written.Ok()) {
    MessageBeep(MB_ICONEXCLAMATION);
    return 0;
  }
  return 1;
}

}  // namespace merva::app

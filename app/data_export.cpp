#include "app/data_export.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/curve_pickers.h"
#include "app/document_window.h"
#include "app/file_commands.h"
#include "app/program.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"
#include "automation/win32/dde_server.h"
#include "core/messages.h"
#include "files/plot_file_writer.h"
#include "io/clipboard_data.h"
#include "io/curve_export.h"

namespace merva::app {

namespace {

struct SaveDialogSpec {
  const char* title;
  std::vector<std::string> filter;
  const char* defaultExtension;
};

SaveDialogSpec SpecOf(int format) {
  if (format == SAVE_CSV)
    return {"Save CSV File", {"Comma-separated values", "*.csv", "All Files (*.*)", "*.*"}, "CSV"};
  return {"Save Single Curve", {"All Files (*.*)", "*.*"}, nullptr};
}

Status Write(int format, const std::string& path, const PlotDocument& d, int curve) {
  switch (format) {
    case SAVE_ASCII:
      return WriteAsciiCurve(path, d, curve);
    case SAVE_UNFORMATTED:
      return WriteUnformattedCurve(path, d, curve);
    default:
      return WriteCsv(path, d);
  }
}

// The curve of a single-curve choice or of Copy: the command's curve, or
// the picker when the document has more than one.
bool ChooseCurve(const PlotDocument& d, const char* prompt, int& curve) {
  CurveRange range;
  if (!OperationCurves(d, prompt, true, range)) return false;
  curve = range.first;
  return curve >= 1 && curve <= d.curveCount;
}

// A global memory block holding `bytes` and a NUL; null when refused.
HGLOBAL Block(const std::string& bytes, std::size_t size) {
  if (size < bytes.size() + 1) size = bytes.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (!block) return nullptr;
  char* at = static_cast<char*>(GlobalLock(block));
  if (!at) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes.data(), bytes.size());
  std::memset(at + bytes.size(), 0, size - bytes.size());
  GlobalUnlock(block);
  return block;
}

// Another program may hold the clipboard for a moment.
bool OpenClipboardWaiting(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace

int SaveDataCommand(int slot, int format) {
  if (!Documents().IsOpen(slot)) return 0;
  const PlotDocument& d = Documents().Document(slot);
  const Status data = CheckDataToSave(d);
  if (!data.Ok()) {
    Ui().ShowStatus(data);
    return 0;
  }
  int curve = 1;
  if (IsSingleCurveFormat(format) && !ChooseCurve(d, "Which curve?", curve)) return 0;
  const ParameterCells& cells = TheParameterCells();
  const SaveDialogSpec spec = SpecOf(format);
  std::string path;
  bool ask = true;
  if (cells.macroCommandActive) {
    path = cells.pendingFileName;
    ask = false;
    if (path.empty()) return 0;
  }
  for (;;) {
    if (ask && !AskSaveName(spec.title, spec.filter, spec.defaultExtension, path)) return 0;
    const Status checked = CheckExport(d, path);
    if (checked.Ok()) break;
    Ui().ShowStatus(checked);
    if (cells.macroCommandActive) return 0;
    ask = true;  // back to the dialog
  }
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const Status written = Write(format, path, d, curve);
  SetCursor(old);
  Ui().ShowStatus(written);
  return written.Ok() ? 1 : 0;
}

int CopyDataCommand() {
  const int slot = ActiveSlot();
  if (!slot) return 0;
  const PlotDocument& d = Documents().Document(slot);
  int curve = 1;
  if (!ChooseCurve(d, "Copy which curve?", curve)) return 0;
  const std::string text = CurveClipboardText(d, curve);
  const std::size_t size = CurveClipboardBytes(d.pointCount[curve]);
  const std::string link =
      LinkFormatBlock(LINK_APPLICATION, win32::DdeTopics().SlotName(slot), LinkCurveItem(curve));
  const ClipboardFormats& formats = TheProgram().clipboardFormats;
  HGLOBAL blocks[3] = {Block(text, size), Block(text, size), Block(link, link.size())};
  const UINT kinds[3] = {CF_TEXT, formats.mervaw, formats.link};
  const bool allocated = blocks[0] && blocks[1] && blocks[2];
  // Nothing changes on the clipboard unless all of it can go there.
  if (!allocated || !OpenClipboardWaiting(TheProgram().frame)) {
    for (HGLOBAL block : blocks)
      if (block) GlobalFree(block);
    Ui().ShowStatus(Status::Failure(allocated ? MSG_CLIPBOARD_OPEN_FAILED : MSG_TEMPORARY_STORAGE));
    return 0;
  }
  EmptyClipboard();
  for (int i = 0; i < 3; ++i)
    if (!kinds[i] || !SetClipboardData(kinds[i], blocks[i])) GlobalFree(blocks[i]);
  CloseClipboard();
  return 1;
}

}  // namespace merva::app

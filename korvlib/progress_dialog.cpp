// KUProgressBar: the modeless progress dialog and its messages.

#include <cstdio>
#include <cstring>

#include "korvlib/korv32.h"
#include "korvlib/korv_module.h"
#include "korvlib/progress_state.h"
#include "korvlib/resource_ids.h"
#include "korvlib/window_texts.h"

namespace {

struct ProgressDialog {
  ProgressDialog(HWND parent, UINT flags) : parent(parent), state(flags) {}
  HWND parent;
  korv::ProgressState state;
};

struct ProgressRequest {
  HWND parent;
  UINT flags;
};

ProgressDialog* StateOf(HWND dialog) {
  return reinterpret_cast<ProgressDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Callers drive the dialog from long operations that may not dispatch
// messages, so every change is painted at once.
void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

class LoadedBitmap {
 public:
  explicit LoadedBitmap(int id) : bitmap_(LoadBitmapA(korv::Module(), MAKEINTRESOURCEA(id))) {}
  ~LoadedBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  LoadedBitmap(const LoadedBitmap&) = delete;
  LoadedBitmap& operator=(const LoadedBitmap&) = delete;
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

void DrawAnimationFrame(HDC dc, const RECT& bar, int frame) {
  FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const LoadedBitmap bitmap(frame);
  BITMAP info{};
  if (!bitmap.Get() || !GetObjectA(bitmap.Get(), sizeof info, &info)) return;
  const MemoryDc source(dc);
  const HGDIOBJ old = SelectObject(source.Get(), bitmap.Get());
  BitBlt(dc, (bar.left + bar.right - info.bmWidth) / 2, (bar.top + bar.bottom - info.bmHeight) / 2,
         info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
  SelectObject(source.Get(), old);
}

void DrawBarArea(const DRAWITEMSTRUCT& item, const korv::ProgressState& state) {
  FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const RECT& bar = state.bar;
  if (state.Animated()) {
    DrawAnimationFrame(item.hDC, bar, state.frame);
  } else if (state.lastPercent < 0) {
    FillRect(item.hDC, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  } else {
    const HGDIOBJ oldFont = SelectObject(
        item.hDC, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    korv::DrawPercentBar(item.hDC, bar, state.lastPercent);
    SelectObject(item.hDC, oldFont);
  }
}

void InitProgress(HWND dialog, ProgressDialog& progress) {
  korv::ProgressState& state = progress.state;
  GetClientRect(GetDlgItem(dialog, KU_PROGRESS_BAR), &state.bar);
  InflateRect(&state.bar, -1, -1);
  state.frameTime = GetTickCount();

  const std::string title = korv::CutWindowTitle(progress.parent);
  const bool captioned = (GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  if (!title.empty()) {
    if (captioned)
      SetWindowTextA(dialog, title.c_str());
    else
      SetDlgItemTextA(dialog, KU_PROGRESS_TITLE, title.c_str());
  }

  RECT frame{}, around{};
  GetWindowRect(dialog, &frame);
  if (!progress.parent || !GetWindowRect(progress.parent, &around))
    around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const POINT at =
      korv::CentreOnRectangle(around, {frame.right - frame.left, frame.bottom - frame.top});
  SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The text of a movable global block; the block stays the caller's.
bool ReadGlobalText(HGLOBAL block, std::string& text) {
  const SIZE_T size = GlobalSize(block);
  const auto* data = static_cast<const char*>(GlobalLock(block));
  if (!data) return false;
  text.assign(data, strnlen(data, size));
  GlobalUnlock(block);
  return true;
}

LRESULT ShowText(HWND dialog, korv::ProgressState& state, LPARAM block) {
  std::string text;
  if (!block || !ReadGlobalText(reinterpret_cast<HGLOBAL>(block), text)) return 0;
  const int shown = state.lines.Add(text);
  for (int i = 0; i < shown; ++i)
    SetDlgItemTextA(dialog, KU_PROGRESS_FIRST_LINE + i, state.lines.Line(i).c_str());
  PaintNow(dialog);
  return 1;
}

LRESULT StartRun(HWND dialog, korv::ProgressState& state, LPARAM total) {
  state.scale = korv::ScaleTotal(korv::MessageCount(total));
  state.lastPercent = -1;
  if (!state.Animated()) PaintNow(GetDlgItem(dialog, KU_PROGRESS_BAR));
  return 1;
}

LRESULT ShowCount(HWND dialog, korv::ProgressState& state, LPARAM count) {
  if (state.Animated()) {
    const DWORD now = GetTickCount();
    if (now - state.frameTime < korv::ANIMATION_INTERVAL_MS) return 1;
    state.frameTime = now;
    state.frame = state.frame % KU_ANIMATION_FRAMES + 1;
  } else {
    const int percent = korv::PercentOf(korv::MessageCount(count), state.scale);
    if (percent == state.lastPercent) return 1;
    state.lastPercent = percent;
  }
  PaintNow(GetDlgItem(dialog, KU_PROGRESS_BAR));
  return 1;
}

INT_PTR Reply(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto& request = *reinterpret_cast<const ProgressRequest*>(lParam);
    auto* progress = new ProgressDialog(request.parent, request.flags);  // freed by WM_DESTROY
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(progress));
    InitProgress(dialog, *progress);
    return FALSE;
  }
  ProgressDialog* progress = StateOf(dialog);
  if (!progress) return FALSE;
  switch (message) {
    case KU_PM_TEXT:
      return Reply(dialog, ShowText(dialog, progress->state, lParam));
    case KU_PM_TOTAL:
      return Reply(dialog, StartRun(dialog, progress->state, lParam));
    case KU_PM_COUNT:
      return Reply(dialog, ShowCount(dialog, progress->state, lParam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != KU_PROGRESS_BAR) return FALSE;
      DrawBarArea(*item, progress->state);
      return TRUE;
    }
    case WM_COMMAND:
      // Enter and Escape arrive as OK and Cancel even where the template
      // has no such button.
      if ((LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) &&
          GetDlgItem(dialog, LOWORD(wParam))) {
        if (progress->parent) PostMessageA(progress->parent, KU_PM_CANCELLED, 0, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      delete progress;
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

extern "C" HWND WINAPI KUProgressBar(HWND parent, UINT flags) {
  char templateName[16];
  std::snprintf(templateName, sizeof templateName, "PROGRESS%02u", flags & 7u);
  if (parent && !IsWindow(parent)) parent = nullptr;
  const ProgressRequest request{parent, flags & 7u};
  const HWND dialog = CreateDialogParamA(korv::Module(), templateName, parent, ProgressProc,
                                         reinterpret_cast<LPARAM>(&request));
  if (dialog) PaintNow(dialog);
  return dialog;
}

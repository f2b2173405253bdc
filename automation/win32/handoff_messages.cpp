#include "automation/win32/handoff_messages.h"

#include "automation/menu_ids.h"

namespace merva::win32 {

namespace {

// The atom's text; false when it cannot be read.
bool AtomText(WPARAM atom, std::string& text) {
  char buffer[HANDOFF_TEXT_LENGTH + 1] = {};
  const UINT n = GlobalGetAtomNameA(static_cast<ATOM>(atom), buffer, sizeof buffer);
  if (n == 0) return false;
  text.assign(buffer, n);
  return true;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Replies a sent request at once, so that its sender is released before
// the file is read; a posted one owns its atom from now on.
void Answer(WPARAM atom, LRESULT result) {
  if (InSendMessage())
    ReplyMessage(result);
  else
    GlobalDeleteAtom(static_cast<ATOM>(atom));
}

LRESULT FileRequest(HWND frame, bool print, WPARAM wParam, LPARAM lParam,
                    const HandoffActions& actions) {
  std::string text;
  const bool readable = AtomText(wParam, text);
  const bool enabled = actions.frameEnabled ? actions.frameEnabled() : IsWindowEnabled(frame) != 0;
  HandoffRequest request;
  bool exists = false;
  if (readable && enabled) {
    request = ParseHandoffText(text);
    exists = FileExists(request.firstName);
  }
  const LRESULT result = HandoffResultCode(readable, enabled, exists);
  Answer(wParam, result);
  if (result != HANDOFF_ACCEPTED) return result;
  if (actions.bringFrameToTop) actions.bringFrameToTop();
  const bool opened = actions.openFiles && actions.openFiles(request, lParam);
  // The print dialog runs on the new document; a file that could not be
  // read leaves nothing to print (never the document active before).
  if (print && opened) PostMessageA(frame, WM_COMMAND, MENU_PRINT, 0);
  return result;
}

LRESULT PreferenceRequest(HWND frame, WPARAM wParam, const HandoffActions& actions) {
  std::string text;
  const bool readable = AtomText(wParam, text);
  const bool enabled = actions.frameEnabled ? actions.frameEnabled() : IsWindowEnabled(frame) != 0;
  const LRESULT result = HandoffResultCode(readable, enabled, readable && FileExists(text));
  Answer(wParam, result);
  if (result == HANDOFF_ACCEPTED) {
    if (actions.bringFrameToTop) actions.bringFrameToTop();
    if (actions.applyPreferences) actions.applyPreferences(text);
  }
  return result;
}

}  // namespace

const HandoffMessages& RegisterHandoffMessages() {
  static HandoffMessages messages = [] {
    HandoffMessages m;
    m.plotFile = RegisterWindowMessageA(PLOT_FILE_MESSAGE);
    m.printFile = RegisterWindowMessageA(PRINT_FILE_MESSAGE);
    m.getBitmap = RegisterWindowMessageA(GET_BITMAP_MESSAGE);
    return m;
  }();
  return messages;
}

bool HandleHandoffMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                          const HandoffActions& actions, LRESULT& result) {
  const HandoffMessages& m = RegisterHandoffMessages();
  if (message == 0) return false;
  if (message == m.plotFile || message == m.printFile) {
    result = FileRequest(frame, message == m.printFile, wParam, lParam, actions);
    return true;
  }
  if (message == m.getBitmap) {
    const int slot = static_cast<int>(wParam);
    HBITMAP bitmap = nullptr;
    if (wParam < 9 && actions.copyPicture) bitmap = actions.copyPicture(slot);
    result = reinterpret_cast<LRESULT>(bitmap);
    return true;
  }
  if (message == WM_MERVA_PREFERENCE_FILE) {
    result = PreferenceRequest(frame, wParam, actions);
    return true;
  }
  return false;
}

bool PostHandoffRequest(HWND frame, UINT message, const std::string& text, LPARAM parameter) {
  const std::string limited = text.substr(0, HANDOFF_TEXT_LENGTH - 1);
  const ATOM atom = GlobalAddAtomA(limited.c_str());
  if (!atom) return false;
  if (PostMessageA(frame, message, atom, parameter)) return true;
  GlobalDeleteAtom(atom);
  return false;
}

LRESULT SendHandoffRequest(HWND frame, UINT message, const std::string& text, LPARAM parameter,
                           UINT timeoutMs) {
  const std::string limited = text.substr(0, HANDOFF_TEXT_LENGTH - 1);
  const ATOM atom = GlobalAddAtomA(limited.c_str());
  if (!atom) return 0;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(frame, message, atom, parameter, SMTO_ABORTIFHUNG, timeoutMs, &result))
    result = 0;
  GlobalDeleteAtom(atom);
  return static_cast<LRESULT>(result);
}

HBITMAP CopyBitmapTopLeft(HBITMAP picture, int width, int height) {
  if (!picture || width < 1 || height < 1) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
  if (source && target && copy) {
    HGDIOBJ oldSource = SelectObject(source, picture);
    HGDIOBJ oldTarget = SelectObject(target, copy);
    PatBlt(target, 0, 0, width, height, WHITENESS);
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(target, oldTarget);
    SelectObject(source, oldSource);
  } else if (copy) {
    DeleteObject(copy);
    copy = nullptr;
  }
  if (target) DeleteDC(target);
  if (source) DeleteDC(source);
  ReleaseDC(nullptr, screen);
  return copy;
}

}  // namespace merva::win32

#pragma once

// The window-message hand-off: "Plot MERVA File", "Print MERVA File",
// "Get Bitmap" and the private preference-file message.

#include <windows.h>

#include <functional>
#include <string>

#include "automation/handoff_request.h"

namespace merva::win32 {

// The private preference-file message; sender and receiver are this program.
constexpr UINT WM_MERVA_PREFERENCE_FILE = WM_APP + 0x3A1;

struct HandoffMessages {
  UINT plotFile = 0;
  UINT printFile = 0;
  UINT getBitmap = 0;
};

// Registers the three names (once, before the frame exists).
const HandoffMessages& RegisterHandoffMessages();

// What the frame does for accepted requests.
struct HandoffActions {
  std::function<bool()> frameEnabled;
  std::function<void()> bringFrameToTop;  // to the top, restored when minimised
  // The frame's "open files" request: a new window, every name read into it
  // with the file type of lParam's high word; false when nothing was read.
  std::function<bool(const HandoffRequest& request, LPARAM parameter)> openFiles;
  // The picture of a slot (0: the active one), copied to a new bitmap of
  // the clipboard size that belongs to the caller; null without a picture.
  std::function<HBITMAP(int slot)> copyPicture;
  std::function<void(const std::string& file)> applyPreferences;
};

// Handles the hand-off messages of the frame window procedure; false for
// any other message.
bool HandleHandoffMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                          const HandoffActions& actions, LRESULT& result);

// Second copy of the program: posts a request with a global atom holding
// the text to the running copy's frame window and returns at once. The
// receiver deletes the atom of a posted request after reading it.
bool PostHandoffRequest(HWND frame, UINT message, const std::string& text, LPARAM parameter);

// Sends a request and deletes the atom after it returns (the companion
// library's way); the result code, 0 when the window did not answer.
LRESULT SendHandoffRequest(HWND frame, UINT message, const std::string& text, LPARAM parameter,
                           UINT timeoutMs = 10000);

// A new bitmap of width x height holding the top-left part of `picture`.
HBITMAP CopyBitmapTopLeft(HBITMAP picture, int width, int height);

}  // namespace merva::win32

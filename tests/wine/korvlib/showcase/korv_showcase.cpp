// Shows one of the library's dialogs for a look at it (screenshots under
// Xvfb): korv_showcase about | options1 | options3 | options5 |
// progress FLAGS. It ends itself after eight seconds.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "korvlib/korv32.h"

namespace {

HWND progress = nullptr;
int count = 0;

void SendText(const char* text) {
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  SendMessageA(progress, KU_PM_TEXT, 0, reinterpret_cast<LPARAM>(block));
  GlobalFree(block);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && progress) {
    count = (count + 3) % 103;
    SendMessageA(progress, KU_PM_COUNT, 0, count);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Ends the look after a while, also from inside a modal dialog's loop.
void CALLBACK EndShowcase(HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const std::string mode = commandLine;
  SetTimer(nullptr, 0, 8000, EndShowcase);
  const HMODULE korv = GetModuleHandleA("KORV32.DLL");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = korv;  // so the About box finds a version
  wc.hIcon = LoadIconA(korv, "VIEW");
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = "KorvShowcase";
  RegisterClassA(&wc);
  const HWND frame =
      CreateWindowA("KorvShowcase", "MERVA95 - [plot1.grf]", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                    30, 720, 540, nullptr, nullptr, korv, nullptr);
  if (mode.rfind("about", 0) == 0) {
    KUAboutBox(frame, "Sponsored by:\rThe structural test laboratory\rand its instrument group");
    return 0;
  }
  if (mode.rfind("options", 0) == 0) {
    const int n = std::atoi(mode.c_str() + 7);
    const DWORD bits[] = {0, 0x04, 0x06, 0x07, 0x0F, 0x1F};
    KUOPTIONSREQUEST request{};
    request.size = KU_OPTIONS_REQUEST_SIZE;
    request.owner = KU_OWNER_VALUE(frame);
    request.flags = bits[n > 5 ? 5 : n] | KU_OPTIONS_HELP | KU_DEFAULT_2ND;
    std::strcpy(request.noun, "plot file");
    KUAppOptions(&request);
    return 0;
  }
  const UINT flags = static_cast<UINT>(std::atoi(mode.c_str() + 9));
  progress = KUProgressBar(frame, flags);
  SendText("Reading C:\\DATA\\RUN01.GRF");
  SendText("Reading C:\\DATA\\RUN02.GRF");
  SendText("Resampling 100 curves of 200000 points");
  SendMessageA(progress, KU_PM_TOTAL, 0, 100);
  SendMessageA(progress, KU_PM_COUNT, 0, 42);
  if (flags & KU_PROGRESS_ANIMATION) SetTimer(frame, 1, 100, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (progress && IsDialogMessageA(progress, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

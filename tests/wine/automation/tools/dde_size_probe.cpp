// Experiment tool (run under Wine), not a test: how large a global memory
// block one process can hand another in a DDE message, without DDEML or
// merva95 in between. It starts a copy of itself as the receiver, posts
// WM_DDE_POKE and WM_DDE_DATA blocks of growing size and reports which
// arrive, how fast, and the largest that does. Usage:
//   dde_size_probe [largest-bytes]

#include <windows.h>
// dde.h needs windows.h first.
#include <dde.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const PROBE_CLASS = "MERVADDESIZEPROBE";
constexpr UINT WM_PROBE_RECEIVED = WM_APP + 1;  // lParam: bytes that arrived intact
constexpr UINT WM_PROBE_FAILED = WM_APP + 2;    // wParam: failures so far, lParam: the error

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned char Pattern(std::size_t i) { return static_cast<unsigned char>((i * 7u + 3u) & 0xFF); }

// The bytes of a block after its header that follow the pattern; 0 when
// any does not.
LPARAM IntactBytes(HGLOBAL block, std::size_t header) {
  const SIZE_T size = GlobalSize(block);
  const auto* p = static_cast<const unsigned char*>(GlobalLock(block));
  if (!p || size < header) return 0;
  for (std::size_t i = header; i < size; ++i)
    if (p[i] != Pattern(i - header)) {
      GlobalUnlock(block);
      return 0;
    }
  GlobalUnlock(block);
  return static_cast<LPARAM>(size - header);
}

HGLOBAL PatternBlock(std::size_t header, std::size_t bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, header + bytes);
  if (!block) return nullptr;
  auto* p = static_cast<unsigned char*>(GlobalLock(block));
  std::memset(p, 0, header);
  for (std::size_t i = 0; i < bytes; ++i) p[header + i] = Pattern(i);
  GlobalUnlock(block);
  return block;
}

constexpr std::size_t POKE_HEADER = sizeof(DDEPOKE) - 1;
constexpr std::size_t DATA_HEADER = sizeof(DDEDATA) - 1;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DDE_POKE:
    case WM_DDE_DATA: {
      UINT_PTR low = 0, high = 0;
      UnpackDDElParam(message, lParam, &low, &high);
      FreeDDElParam(message, lParam);
      HGLOBAL block = reinterpret_cast<HGLOBAL>(low);
      const LPARAM intact =
          block ? IntactBytes(block, message == WM_DDE_POKE ? POKE_HEADER : DATA_HEADER) : 0;
      if (block) GlobalFree(block);
      GlobalDeleteAtom(static_cast<ATOM>(high));
      PostMessageA(reinterpret_cast<HWND>(wParam), WM_PROBE_RECEIVED, 0, intact);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LPARAM received = -1;

LRESULT CALLBACK SenderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PROBE_RECEIVED) {
    received = lParam;
    return 0;
  }
  if (message == WM_PROBE_FAILED) {
    std::printf("%12s the receiver's GetMessage failed (%d so far), error %ld\n", "",
                static_cast<int>(wParam), static_cast<long>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(WNDPROC procedure, const char* className) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowA(className, className, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

int RunReceiver() {
  if (!MakeWindow(ReceiverProc, PROBE_CLASS)) return 1;
  // GetMessage fails (-1) on a block Wine cannot hand over; the loop
  // reports that to the sender and goes on.
  MSG msg;
  int failures = 0;
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      const DWORD error = GetLastError();
      if (++failures > 100) return 3;  // the same message again and again
      if (HWND sender = FindWindowA("MERVADDESIZESENDER", nullptr))
        PostMessageA(sender, WM_PROBE_FAILED, failures, static_cast<LPARAM>(error));
      continue;
    }
    DispatchMessageA(&msg);
  }
  return 0;
}

// Waits for the receiver's answer: the intact bytes, -1 on time-out.
LPARAM Wait(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (received < 0 && GetTickCount() - start < timeoutMs) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&msg);
    else
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return received;
}

// One block of the message kind; true when it arrived intact.
bool Probe(HWND self, HWND receiver, UINT kind, std::size_t bytes, DWORD timeoutMs) {
  const std::size_t header = kind == WM_DDE_POKE ? POKE_HEADER : DATA_HEADER;
  HGLOBAL block = PatternBlock(header, bytes);
  if (!block) {
    std::printf("%10zu bytes: GlobalAlloc failed\n", bytes);
    return false;
  }
  if (kind == WM_DDE_POKE) {
    reinterpret_cast<DDEPOKE*>(GlobalLock(block))->cfFormat = CF_TEXT;
  } else {
    auto* data = reinterpret_cast<DDEDATA*>(GlobalLock(block));
    data->cfFormat = CF_TEXT;
    data->fResponse = 1;
    data->fRelease = 1;
  }
  GlobalUnlock(block);
  const ATOM atom = GlobalAddAtomA("Probe");
  received = -1;
  const double start = Now();
  const BOOL posted = PostMessageA(receiver, kind, reinterpret_cast<WPARAM>(self),
                                   PackDDElParam(kind, reinterpret_cast<UINT_PTR>(block), atom));
  const DWORD postError = posted ? 0 : GetLastError();
  if (!posted) {
    GlobalFree(block);
    GlobalDeleteAtom(atom);
  }
  const LPARAM got = posted ? Wait(timeoutMs) : -1;
  const double seconds = Now() - start;
  const bool ok = got == static_cast<LPARAM>(bytes);
  std::printf(
      "%10zu bytes: %s %s%s (%.3f s)\n", bytes, kind == WM_DDE_POKE ? "WM_DDE_POKE" : "WM_DDE_DATA",
      ok        ? "arrived"
      : got < 0 ? "lost"
                : "damaged",
      posted ? "" : (", PostMessage failed, error " + std::to_string(postError)).c_str(), seconds);
  std::fflush(stdout);
  return ok;
}

struct Receiver {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
  bool Start() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" receive";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
      return false;
    for (int i = 0; i < 200 && !(window = FindWindowA(PROBE_CLASS, nullptr)); ++i) Sleep(50);
    return window != nullptr;
  }
  void Stop() {
    if (!process.hProcess) return;
    if (window && IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 3000) != WAIT_OBJECT_0)
      TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
    window = nullptr;
  }
  ~Receiver() { Stop(); }
};

// The largest block of the message kind that arrives, to the byte.
void Search(HWND me, Receiver& receiver, UINT kind, std::size_t largest) {
  // A lost block can take the receiver with it: each probe after a loss
  // gets a fresh one.
  auto probe = [&](std::size_t size) {
    const bool ok = Probe(me, receiver.window, kind, size, 5000);
    if (!ok) {
      DWORD code = STILL_ACTIVE;
      if (WaitForSingleObject(receiver.process.hProcess, 1000) == WAIT_OBJECT_0)
        GetExitCodeProcess(receiver.process.hProcess, &code);
      if (code != STILL_ACTIVE)
        std::printf("%12s the receiving process ended, exit code 0x%lX\n", "", code);
      else if (!IsWindow(receiver.window))
        std::printf("%12s the receiving window is gone\n", "");
      else
        std::printf("%12s the receiving process still runs\n", "");
      receiver.Stop();
      receiver.Start();
    }
    return ok;
  };
  std::size_t good = 0, bad = 0;
  for (std::size_t size = 1024; size <= largest; size *= 2) {
    if (!probe(size)) {
      bad = size;
      break;
    }
    good = size;
  }
  if (bad == 0) {
    std::printf("every block up to %zu bytes arrived\n", good);
    return;
  }
  while (bad - good > 1) {
    const std::size_t middle = good + (bad - good) / 2;
    (probe(middle) ? good : bad) = middle;
  }
  const std::size_t header = kind == WM_DDE_POKE ? POKE_HEADER : DATA_HEADER;
  std::printf("%s: largest value that arrives %zu bytes (block %zu with its header); %zu is lost\n",
              kind == WM_DDE_POKE ? "WM_DDE_POKE" : "WM_DDE_DATA", good, good + header, bad);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "receive") == 0) return RunReceiver();
  const std::size_t largest = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 8u << 20;
  HWND me = MakeWindow(SenderProc, "MERVADDESIZESENDER");
  Receiver receiver;
  if (!me || !receiver.Start()) return 2;
  Search(me, receiver, WM_DDE_POKE, largest);
  Search(me, receiver, WM_DDE_DATA, largest);
  return 0;
}

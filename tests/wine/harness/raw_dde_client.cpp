#include "harness/raw_dde_client.h"

#include <cstring>

namespace merva::test {

namespace {

const char* const CLIENT_CLASS = "MERVARAWDDECLIENT";

void RegisterClientClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = CLIENT_CLASS;
  RegisterClassA(&wc);
  done = true;
}

HGLOBAL GlobalCopy(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (size) std::memcpy(p, bytes, size);
  GlobalUnlock(block);
  return block;
}

}  // namespace

RawDdeClient::RawDdeClient() {
  RegisterClientClass();
  window_ = CreateWindowA(CLIENT_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawDdeClient::WindowProc));
}

RawDdeClient::~RawDdeClient() {
  Terminate();
  if (window_) DestroyWindow(window_);
}

bool RawDdeClient::WaitFor(bool& flag, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!flag) {
    if (GetTickCount() - start > timeoutMs) return false;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  return true;
}

bool RawDdeClient::Connect(const char* service, const char* topic) {
  ATOM app = GlobalAddAtomA(service);
  ATOM top = GlobalAddAtomA(topic);
  server_ = nullptr;
  // The server answers with a sent WM_DDE_ACK that names its window.
  SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_),
                      MAKELPARAM(app, top), SMTO_ABORTIFHUNG, 5000, nullptr);
  GlobalDeleteAtom(app);
  GlobalDeleteAtom(top);
  terminated_ = false;
  return server_ != nullptr;
}

void RawDdeClient::Terminate() {
  if (!server_) return;
  PostMessageA(server_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
  WaitFor(terminated_, 2000);
  server_ = nullptr;
}

int RawDdeClient::Execute(const std::string& commands, DWORD timeoutMs) {
  if (!server_) return -1;
  HGLOBAL block = GlobalCopy(commands.c_str(), commands.size() + 1);
  acked_ = false;
  ackStatus_ = -1;
  pendingExecute_ = block;
  expectedHigh_ = reinterpret_cast<UINT_PTR>(block);
  if (!PostMessageA(server_, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_),
                    reinterpret_cast<LPARAM>(block))) {
    GlobalFree(block);
    pendingExecute_ = nullptr;
    return -1;
  }
  if (!WaitFor(acked_, timeoutMs)) return -1;
  return ackStatus_;
}

bool RawDdeClient::Request(const char* item, UINT format, std::string& data, DWORD timeoutMs) {
  if (!server_) return false;
  ATOM atom = GlobalAddAtomA(item);
  acked_ = false;
  dataArrived_ = false;
  replied_ = false;
  requesting_ = true;
  expectedHigh_ = atom;
  PostMessageA(server_, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_),
               MAKELPARAM(format, atom));
  WaitFor(replied_, timeoutMs);
  requesting_ = false;
  if (acked_) GlobalDeleteAtom(atom);  // a negative answer gives the atom back
  if (!dataArrived_) return false;
  data = data_;
  return true;
}

int RawDdeClient::Poke(const char* item, UINT format, const std::string& data, DWORD timeoutMs) {
  if (!server_) return -1;
  const std::size_t size = sizeof(DDEPOKE) - 1 + data.size();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  auto* poke = static_cast<DDEPOKE*>(GlobalLock(block));
  std::memset(poke, 0, size);
  poke->fRelease = 1;
  poke->cfFormat = static_cast<short>(format);
  std::memcpy(poke->Value, data.data(), data.size());
  GlobalUnlock(block);
  ATOM atom = GlobalAddAtomA(item);
  acked_ = false;
  ackStatus_ = -1;
  expectedHigh_ = atom;
  PostMessageA(server_, WM_DDE_POKE, reinterpret_cast<WPARAM>(window_),
               PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(block), atom));
  if (!WaitFor(acked_, timeoutMs)) return -1;
  if (!(ackStatus_ & 0x8000)) GlobalFree(block);  // not taken: still ours
  GlobalDeleteAtom(atom);
  return ackStatus_;
}

bool RawDdeClient::Advise(const char* item, UINT format, DWORD timeoutMs) {
  if (!server_) return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(DDEADVISE));
  auto* options = static_cast<DDEADVISE*>(GlobalLock(block));
  std::memset(options, 0, sizeof(DDEADVISE));
  options->cfFormat = static_cast<short>(format);
  GlobalUnlock(block);
  ATOM atom = GlobalAddAtomA(item);
  acked_ = false;
  ackStatus_ = -1;
  expectedHigh_ = atom;
  PostMessageA(server_, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(window_),
               PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(block), atom));
  if (!WaitFor(acked_, timeoutMs)) return false;
  const bool ok = (ackStatus_ & 0x8000) != 0;
  if (!ok) {
    GlobalFree(block);
    GlobalDeleteAtom(atom);
  }
  return ok;
}

LRESULT CALLBACK RawDdeClient::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RawDdeClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DDE_ACK: {
      if (!self->server_) {  // the answer to the initiate
        self->server_ = reinterpret_cast<HWND>(wParam);
        GlobalDeleteAtom(LOWORD(lParam));
        GlobalDeleteAtom(HIWORD(lParam));
        return 0;
      }
      UINT_PTR low = 0, high = 0;
      UnpackDDElParam(WM_DDE_ACK, lParam, &low, &high);
      FreeDDElParam(WM_DDE_ACK, lParam);
      // Wine's server also acknowledges a request it answered with data.
      if (high != self->expectedHigh_ || (self->requesting_ && (low & 0x8000))) return 0;
      self->ackStatus_ = static_cast<int>(low & 0xFFFF);
      self->acked_ = true;
      self->replied_ = true;
      // An execute's acknowledgement returns the command block.
      if (self->pendingExecute_ && reinterpret_cast<HGLOBAL>(high) == self->pendingExecute_) {
        GlobalFree(self->pendingExecute_);
        self->pendingExecute_ = nullptr;
      }
      (void)high;
      return 0;
    }
    case WM_DDE_DATA: {
      UINT_PTR handle = 0, atom = 0;
      UnpackDDElParam(WM_DDE_DATA, lParam, &handle, &atom);
      FreeDDElParam(WM_DDE_DATA, lParam);
      auto block = reinterpret_cast<HGLOBAL>(handle);
      std::string value;
      bool release = false, ackReq = false;
      if (block) {
        auto* data = static_cast<DDEDATA*>(GlobalLock(block));
        const SIZE_T size = GlobalSize(block);
        const SIZE_T header = sizeof(DDEDATA) - 1;
        if (data && size > header) {
          value.assign(reinterpret_cast<const char*>(data->Value), size - header);
          release = data->fRelease;
          ackReq = data->fAckReq;
          if (data->cfFormat == CF_TEXT) value = value.c_str();
        }
        GlobalUnlock(block);
      }
      if (ackReq)
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                     PackDDElParam(WM_DDE_ACK, 0x8000, atom));
      else
        GlobalDeleteAtom(static_cast<ATOM>(atom));
      if (release && block) GlobalFree(block);
      // Wine's server leaves fResponse clear on a bitmap reply.
      if (self->requesting_) {
        self->data_ = value;
        self->dataArrived_ = true;
        self->replied_ = true;
      } else {
        ++self->adviseCount;
        self->lastAdvise = value;
      }
      return 0;
    }
    case WM_DDE_TERMINATE:
      self->terminated_ = true;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace merva::test

#include "korvlib/korv_module.h"

namespace korv {

namespace {
HINSTANCE libraryModule = nullptr;
}

HINSTANCE Module() { return libraryModule; }
void SetModule(HINSTANCE module) { libraryModule = module; }

int KorvMessage(const std::string& text, UINT style) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), "KORV32", style);
}

}  // namespace korv

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    korv::SetModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// KUGotoURL: a web address or document opened by the shell.

#include "korvlib/korv32.h"

// After windows.h, which korv32.h includes.
#include <shellapi.h>

extern "C" BOOL WINAPI KUGotoURL(LPCSTR target) {
  if (!target || !*target) return FALSE;
  const HINSTANCE result = ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

// An outdated KORV32.DLL (version 1.9.0.0) with the same exports, for the
// plotting program's start-up version check.

#include <windows.h>

extern "C" {
int WINAPI KUAboutBox(HWND, LPCSTR) { return 0; }
int WINAPI KUAppOptions(const void*) { return 0; }
HWND WINAPI KUProgressBar(HWND, UINT) { return nullptr; }
BOOL WINAPI KUGotoURL(LPCSTR) { return FALSE; }
HWND WINAPI KUGetMERVAWindow(void) { return nullptr; }
int WINAPI KUPlotMERVAFile(LPCSTR, LPCSTR) { return 0; }
}

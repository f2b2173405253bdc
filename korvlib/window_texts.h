#pragma once

// Titles, version strings and placement shared by the library's dialogs.

#include <windows.h>

#include <string>

namespace korv {

// The title up to the first " - " (a document name follows it in MDI titles).
std::string CutTitle(const std::string& title);
// CutTitle of the window's text; empty for no window.
std::string CutWindowTitle(HWND window);

// "major.minor.build.revision" of the module's file version; "?" without
// a version resource.
std::string ModuleVersionString(HMODULE module);
std::string FileVersionString(const std::string& path);
std::string VersionString(DWORD versionMS, DWORD versionLS);

// Centred over the owner's client area (screen coordinates) and kept on a
// screen of the given size.
POINT CentreOnScreenClamped(const RECT& ownerClient, SIZE dialog, SIZE screen);
// Centred over a window rectangle, no clamping.
POINT CentreOnRectangle(const RECT& parent, SIZE dialog);

// Moves `dialog` over the owner's client area, clamped to the screen.
void CentreOverOwnerClient(HWND dialog, HWND owner);

}  // namespace korv

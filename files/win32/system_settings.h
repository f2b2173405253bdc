#pragma once

// Start-up and exit steps that touch the system: the settings file, the
// file association, the clipboard formats and the regional settings.

#include <windows.h>

#include <string>

#include "files/settings.h"

namespace merva {

// The compiled-in settings on this desktop: white text colours where the
// system window colour is black.
ProgramSettings DesktopDefaultSettings();

// Reads "mervaw.ini" from the system's settings directory (or `fileName`).
void LoadProgramSettingsFromSystem(ProgramSettings& settings,
                                   const std::string& fileName = "mervaw.ini");
Status SaveProgramSettingsToSystem(const ProgramSettings& settings,
                                   const std::string& fileName = "mervaw.ini");

// Writes the file association below `classesRoot` (the classes root unless
// a test gives another key); failures are ignored. The entries written.
int RegisterFileAssociation(const std::string& programPath, HKEY classesRoot = HKEY_CLASSES_ROOT);

// The full path of the running program.
std::string ProgramPath();

struct ClipboardFormats {
  UINT mervaw = 0;
  UINT link = 0;
  UINT objectLink = 0;
  UINT xlTable = 0;
};
ClipboardFormats RegisterClipboardFormats();

}  // namespace merva

#include "files/win32/system_settings.h"

#include "files/file_association.h"
#include "files/win32/profile_stores.h"

namespace merva {

ProgramSettings DesktopDefaultSettings() {
  return DefaultProgramSettings((GetSysColor(COLOR_WINDOW) & 0xFFFFFFu) == 0);
}

void LoadProgramSettingsFromSystem(ProgramSettings& settings, const std::string& fileName) {
  PrivateProfileStore store(fileName);
  LoadProgramSettings(store, settings);
}

Status SaveProgramSettingsToSystem(const ProgramSettings& settings, const std::string& fileName) {
  PrivateProfileStore store(fileName);
  return SaveProgramSettings(store, settings);
}

int RegisterFileAssociation(const std::string& programPath, HKEY classesRoot) {
  RegistryStore store(classesRoot);
  return WriteFileAssociation(store, programPath);
}

std::string ProgramPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : MAX_PATH);
}

ClipboardFormats RegisterClipboardFormats() {
  ClipboardFormats formats;
  formats.mervaw = RegisterClipboardFormatA(CLIPBOARD_FORMAT_MERVAW);
  formats.link = RegisterClipboardFormatA(CLIPBOARD_FORMAT_LINK);
  formats.objectLink = RegisterClipboardFormatA(CLIPBOARD_FORMAT_OBJECT_LINK);
  formats.xlTable = RegisterClipboardFormatA(CLIPBOARD_FORMAT_XLTABLE);
  return formats;
}

}  // namespace merva

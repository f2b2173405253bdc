#include "macroeditor/macro_store.h"

#include <windows.h>

#include <cstdlib>

#include "files/win32/profile_stores.h"

namespace merva::macro {

namespace {

constexpr char SETTINGS_FILE[] = "mervaw.ini";
constexpr char MACROS_SECTION[] = "Macros";
constexpr char SHORTCUTS_SECTION[] = "MacroShortcuts";
// Sizes beyond any macro file: a bigger one is refused unread.
constexpr DWORD MAX_MACRO_FILE = 4 * MACRO_TEXT_LIMIT + 64;

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::string MacroPath(const std::string& nameOrPath) {
  if (nameOrPath.find_first_of("\\/:") == std::string::npos)
    return ProgramFolder() + MACRO_FOLDER + nameOrPath + MACRO_EXTENSION;
  if (Lower(nameOrPath).size() > 4 && Lower(nameOrPath).substr(nameOrPath.size() - 4) == ".mac")
    return nameOrPath;
  return nameOrPath + MACRO_EXTENSION;
}

MacroLoad ReadMacro(const std::string& nameOrPath, std::string& text) {
  HANDLE file = CreateFileA(MacroPath(nameOrPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return MacroLoad::Missing;
  const DWORD size = GetFileSize(file, nullptr);
  std::string bytes;
  bool read = false;
  if (size != INVALID_FILE_SIZE && size <= MAX_MACRO_FILE) {
    bytes.resize(size);
    DWORD got = 0;
    read = ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
  }
  CloseHandle(file);
  if (size != INVALID_FILE_SIZE && size > MAX_MACRO_FILE) return MacroLoad::TooLong;
  if (!read) return MacroLoad::Missing;
  switch (ParseMacroFile(bytes, text)) {
    case MacroRead::Ok:
      return MacroLoad::Ok;
    case MacroRead::TooLong:
      return MacroLoad::TooLong;
    default:
      return MacroLoad::NotAMacro;
  }
}

bool WriteMacro(const std::string& name, const std::string& text) {
  CreateDirectoryA((ProgramFolder() + MACRO_FOLDER).c_str(), nullptr);
  const std::string bytes = MacroFileBytes(text);
  // Written beside the old file first, so a failed write loses nothing.
  const std::string path = MacroPath(name), temporary = path + ".new";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  if (!ok || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

std::vector<std::string> MacroNames() {
  PrivateProfileStore store(SETTINGS_FILE);
  return store.Keys(MACROS_SECTION);
}

int ShortcutIndexOf(const std::string& name) {
  PrivateProfileStore store(SETTINGS_FILE);
  for (const std::string& key : store.Keys(SHORTCUTS_SECTION)) {
    if (Lower(key) != Lower(name)) continue;
    std::string value;
    if (!store.Get(SHORTCUTS_SECTION, key, value)) return 0;
    const int index = std::atoi(value.c_str());
    return index > 0 && index < 51 ? index : 0;
  }
  return 0;
}

std::string ShortcutHolder(int index, const std::string& name) {
  if (index <= 0) return {};
  PrivateProfileStore store(SETTINGS_FILE);
  for (const std::string& key : store.Keys(SHORTCUTS_SECTION)) {
    if (Lower(key) == Lower(name)) continue;
    std::string value;
    if (store.Get(SHORTCUTS_SECTION, key, value) && std::atoi(value.c_str()) == index) return key;
  }
  return {};
}

void RecordMacro(const std::string& name, int shortcutIndex) {
  PrivateProfileStore store(SETTINGS_FILE);
  store.Put(MACROS_SECTION, name, name + MACRO_EXTENSION);
  if (shortcutIndex > 0)
    store.Put(SHORTCUTS_SECTION, name, std::to_string(shortcutIndex));
  else
    store.Remove(SHORTCUTS_SECTION, name);
  store.Flush();
}

bool ValidMacroName(const std::string& name) {
  return !name.empty() && name.size() < 200 &&
         name.find_first_of("\\/:*?\"<>|") == std::string::npos && name.front() != ' ' &&
         name.front() != '.';
}

}  // namespace merva::macro

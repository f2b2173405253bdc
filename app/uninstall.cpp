#include "app/uninstall.h"

#include <windows.h>
// shlobj.h and objbase.h need windows.h first.
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/program.h"
#include "files/settings_keys.h"
#include "files/win32/system_settings.h"

namespace merva::app {

namespace {

constexpr char REMOVAL_CAPTION[] = "MERVA95 Uninstall";
constexpr char FILE_CLASS[] = "MERVAW";
constexpr char FILE_EXTENSION[] = ".grf";
constexpr char LIBRARY_FILE[] = "KORV32.DLL";
constexpr char PROGRAM_GROUP[] = "MERVA95";
constexpr char WINDOWS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char HELP_FOLDER[] = "help";
constexpr char MACRO_FOLDER[] = "MACROS";
constexpr int EXAMPLE_COUNT = 8;

struct Removal {
  std::string programPath;
  std::string programFolder;  // with the trailing "\"
  std::vector<std::string> failed;
  bool pending = false;  // something goes when Windows restarts
};

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool SameText(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file that is in use goes at the next restart.
void RemoveFile(Removal& removal, const std::string& path) {
  if (!Exists(path) || DeleteFileA(path.c_str())) return;
  if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
    removal.pending = true;
  else
    removal.failed.push_back(path);
}

// The default value of a key, empty when it has none.
std::string KeyValue(HKEY root, const std::string& key, const char* name = nullptr) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return {};
  char value[1024] = {};
  DWORD type = 0, size = sizeof value - 1;
  const LONG result =
      RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return std::string(value, strnlen(value, size));
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void RemoveKey(Removal& removal, HKEY root, const std::string& key, const char* rootName) {
  if (!KeyExists(root, key)) return;
  if (RegDeleteTreeA(root, key.c_str()) != ERROR_SUCCESS || KeyExists(root, key))
    removal.failed.push_back(std::string(rootName) + "\\" + key);
}

// A command line names this program: its first item, quoted or not.
bool NamesThisProgram(const std::string& command, const Removal& removal) {
  std::string first = command;
  if (!first.empty() && first.front() == '"') {
    const std::size_t end = first.find('"', 1);
    first = first.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  } else if (!SameText(first, removal.programPath)) {
    first = first.substr(0, first.find(' '));
  }
  return SameText(first, removal.programPath);
}

// The file association, when it leads to this copy of the program.
void RemoveAssociation(Removal& removal) {
  const std::string command =
      KeyValue(HKEY_CLASSES_ROOT, std::string(FILE_CLASS) + "\\shell\\open\\command");
  if (!command.empty() && !NamesThisProgram(command, removal)) return;  // another copy's
  if (SameText(KeyValue(HKEY_CLASSES_ROOT, FILE_EXTENSION), FILE_CLASS))
    RemoveKey(removal, HKEY_CLASSES_ROOT, FILE_EXTENSION, "HKEY_CLASSES_ROOT");
  RemoveKey(removal, HKEY_CLASSES_ROOT, FILE_CLASS, "HKEY_CLASSES_ROOT");
}

// The installer's entries: the program's path and its removal entry.
void RemoveInstallEntries(Removal& removal) {
  const std::string file = removal.programPath.substr(removal.programPath.find_last_of('\\') + 1);
  const std::string appPath = std::string(WINDOWS_KEY) + "\\App Paths\\" + file;
  const std::string registered = KeyValue(HKEY_LOCAL_MACHINE, appPath);
  if (KeyExists(HKEY_LOCAL_MACHINE, appPath) &&
      (registered.empty() || NamesThisProgram(registered, removal)))
    RemoveKey(removal, HKEY_LOCAL_MACHINE, appPath, "HKEY_LOCAL_MACHINE");
  const std::string entry = std::string(WINDOWS_KEY) + "\\Uninstall\\" + PROGRAM_GROUP;
  const std::string remover = KeyValue(HKEY_LOCAL_MACHINE, entry, "UninstallString");
  if (KeyExists(HKEY_LOCAL_MACHINE, entry) &&
      (remover.empty() || Lower(remover).find(Lower(removal.programPath)) != std::string::npos))
    RemoveKey(removal, HKEY_LOCAL_MACHINE, entry, "HKEY_LOCAL_MACHINE");
}

// The library this program was bound to.
std::string LibraryPath() {
  HMODULE module = GetModuleHandleA(LIBRARY_FILE);
  char path[MAX_PATH] = {};
  const DWORD length = module ? GetModuleFileNameA(module, path, sizeof path) : 0;
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// The shared library loses this program's reference; it goes when no other
// program counts on it. Without a count it is the program's private copy
// only when it lies beside the program.
void RemoveLibraryReference(Removal& removal) {
  const std::string library = LibraryPath();
  if (library.empty()) return;
  const std::string key = std::string(WINDOWS_KEY) + "\\SharedDLLs";
  HKEY handle = nullptr;
  bool counted = false;
  DWORD count = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &handle) ==
      ERROR_SUCCESS) {
    for (DWORD index = 0;; ++index) {
      char name[MAX_PATH + 1] = {};
      DWORD nameLength = sizeof name;
      DWORD type = 0, value = 0, size = sizeof value;
      const LONG result = RegEnumValueA(handle, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(&value), &size);
      if (result == ERROR_NO_MORE_ITEMS) break;
      if (result != ERROR_SUCCESS || !SameText(name, library)) continue;
      counted = true;
      count = type == REG_DWORD && size == sizeof value ? value : 0;
      if (count > 1) {
        --count;
        RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                       sizeof count);
      } else {
        count = 0;
        RegDeleteValueA(handle, name);
      }
      break;
    }
    DWORD values = 1;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    // The setup made the key when it counted the library first.
    if (counted && values == 0) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  }
  const std::string folder = library.substr(0, library.find_last_of('\\') + 1);
  if (counted ? count == 0 : SameText(folder, removal.programFolder)) RemoveFile(removal, library);
}

std::string SpecialFolder(int which) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, which, FALSE)) return {};
  return path;
}

bool IsInFolder(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && SameText(path.substr(0, folder.size()), folder);
}

// The file a shortcut starts, empty when it cannot be read.
std::string ShortcutTarget(const std::string& shortcut) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return {};
  std::string target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
    char path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH)))
      target = path;
    file->Release();
  }
  link->Release();
  return target;
}

// The shortcuts of a folder that start a file of the program's folder.
void RemoveShortcutsIn(Removal& removal, const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> ours;
  do {
    const std::string shortcut = folder + "\\" + found.cFileName;
    // The help's shortcut starts a page in a folder below the program's.
    const std::string target = ShortcutTarget(shortcut);
    if (IsInFolder(target, removal.programFolder)) ours.push_back(shortcut);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  for (const std::string& shortcut : ours) RemoveFile(removal, shortcut);
}

void RemoveShortcuts(Removal& removal) {
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  for (int which : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU,
                    CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY}) {
    const std::string folder = SpecialFolder(which);
    if (folder.empty()) continue;
    RemoveShortcutsIn(removal, folder);
    const std::string group = folder + "\\" + PROGRAM_GROUP;
    if (!Exists(group)) continue;
    RemoveShortcutsIn(removal, group);
    RemoveDirectoryA(group.c_str());  // only when nothing else is left in it
  }
  if (com) CoUninitialize();
}

void RemoveSettingsFile(Removal& removal) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  RemoveFile(removal, std::string(windows) + "\\" + SETTINGS_FILE_NAME);
}

void RemoveInstalledFiles(Removal& removal) {
  const std::string& folder = removal.programFolder;
  RemoveFile(removal, folder + MACRO_EDITOR_FILE);
  for (int n = 1; n <= EXAMPLE_COUNT; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "EX%02d.GRF", n);
    RemoveFile(removal, folder + name);
  }
  const std::string help = folder + HELP_FOLDER;
  WIN32_FIND_DATAA found{};
  // Pages, stylesheet and pictures: the folder holds only what was installed.
  HANDLE search = FindFirstFileA((help + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    std::vector<std::string> pages;
    do
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        pages.push_back(help + "\\" + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& page : pages) RemoveFile(removal, page);
  }
  if (Exists(help)) RemoveDirectoryA(help.c_str());
  // The macro folder goes only when the user has no macros in it.
  RemoveDirectoryA((folder + MACRO_FOLDER).c_str());
  // The running program last, then its folder once it is empty (the
  // user's macros keep it).
  RemoveFile(removal, removal.programPath);
  if (folder.size() > 3 && MoveFileExA(folder.substr(0, folder.size() - 1).c_str(), nullptr,
                                       MOVEFILE_DELAY_UNTIL_REBOOT))
    removal.pending = true;
}

}  // namespace

void RunRemoval() {
  if (MessageBoxA(nullptr, "Remove MERVA95 and all of its components from this computer?",
                  REMOVAL_CAPTION, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  Removal removal;
  removal.programPath = ProgramPath();
  removal.programFolder = removal.programPath.substr(0, removal.programPath.find_last_of('\\') + 1);
  RemoveShortcuts(removal);
  RemoveAssociation(removal);
  RemoveInstallEntries(removal);
  RemoveLibraryReference(removal);
  RemoveSettingsFile(removal);
  RemoveInstalledFiles(removal);

  std::string report = "MERVA95 has been removed.";
  if (removal.pending) report += "\r\nFiles in use are removed when Windows restarts.";
  if (!removal.failed.empty()) {
    report += "\r\nThese could not be removed:";
    for (const std::string& item : removal.failed) report += "\r\n" + item;
  }
  MessageBoxA(nullptr, report.c_str(), REMOVAL_CAPTION,
              MB_OK | (removal.failed.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

void RefuseRemovalWhileRunning() {
  MessageBoxA(nullptr, "Close MERVA95 before removing it.", REMOVAL_CAPTION,
              MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace merva::app

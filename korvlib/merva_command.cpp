#include "korvlib/merva_command.h"

#include <algorithm>
#include <cstdlib>

namespace korv {

namespace {

constexpr std::size_t MERVA_COMMAND_LIMIT = 256;
constexpr std::size_t CLIENT_COMMAND_LIMIT = 260;

}  // namespace

bool ClassRootKeyOpens(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

bool ReadClassRootDefault(const std::string& key, std::string& value, std::size_t limit) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  std::string buffer(limit + 1, '\0');
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  const LONG status = RegQueryValueExA(opened, nullptr, nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer.resize(std::min<std::size_t>(size, limit));
  // The stored value may or may not carry its NUL.
  const std::size_t end = buffer.find('\0');
  if (end != std::string::npos) buffer.resize(end);
  value = buffer;
  return true;
}

MervaLaunch MervaLaunchCommand() {
  std::string command;
  if (ClassRootKeyOpens("MERVAW\\shell\\open\\command")) {
    if (!ReadClassRootDefault("MERVAW\\shell\\open\\command", command, MERVA_COMMAND_LIMIT) ||
        command.empty())
      command = "MERVA95.EXE";
    return {command + " /-logo", MERVA_FRAME_CLASS};
  }
  if (!ClassRootKeyOpens("MERVA\\shell\\open\\command"))
    return {"MERVA95.EXE /-logo", MERVA_FRAME_CLASS};
  if (!ReadClassRootDefault("MERVA\\shell\\open\\command", command, MERVA_COMMAND_LIMIT) ||
      command.empty())
    command = "MERVA.EXE";
  return {command, "MERVA"};
}

std::string ProgramOfCommand(const std::string& command) {
  const std::size_t start = command.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  if (command[start] != '"') return command.substr(start);
  const std::size_t close = command.find('"', start + 1);
  return command.substr(start + 1,
                        close == std::string::npos ? std::string::npos : close - start - 1);
}

std::string DirectoryOf(const std::string& path) {
  char drive[_MAX_DRIVE], directory[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
  if (path.size() >= _MAX_PATH) return {};
  _splitpath(path.c_str(), drive, directory, name, extension);
  return std::string(drive) + directory;
}

std::string ClientProgramDirectory(const char* applicationKey) {
  if (!applicationKey || !*applicationKey) return {};
  std::string command;
  if (!ReadClassRootDefault(std::string(applicationKey) + "\\shell\\open\\command", command,
                            CLIENT_COMMAND_LIMIT))
    return {};
  return DirectoryOf(ProgramOfCommand(command));
}

}  // namespace korv

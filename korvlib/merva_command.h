#pragma once

// Where the plotting program and a client program are installed, from the
// registry's class root.

#include <windows.h>

#include <string>

namespace korv {

constexpr const char* MERVA_FRAME_CLASS = "MERVA/W";

// How to start the plotting program when no copy runs.
struct MervaLaunch {
  std::string commandLine;
  std::string windowClass;  // the frame class to look for afterwards
};
MervaLaunch MervaLaunchCommand();

// Default value of a class-root key; false when the key does not open or
// the value cannot be read. At most `limit` characters.
bool ReadClassRootDefault(const std::string& key, std::string& value, std::size_t limit);
bool ClassRootKeyOpens(const std::string& key);

// The program path of a registered command line: the quoted part of a
// command that starts with a quote, else the whole command.
std::string ProgramOfCommand(const std::string& command);
// Drive and directory of a path ("" without one).
std::string DirectoryOf(const std::string& path);
// Drive and directory of the client's registered open command; empty for
// a null or empty key or a key that is not registered.
std::string ClientProgramDirectory(const char* applicationKey);

}  // namespace korv

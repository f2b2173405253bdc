#pragma once

// The program's command line: switches, the file to plot or print, the
// preference file, and what a start hands to the running copy.

#include <functional>
#include <string>
#include <string_view>

namespace merva {

// startupFlags bits.
constexpr int STARTUP_NO_LOGO = 1;  // "/-logo"
constexpr int STARTUP_INTRO = 2;    // "/intro"

constexpr int COMMAND_LINE_LENGTH = 256;

enum class CommandLineRequest {
  None,
  PlotFile,      // "Plot MERVA File"
  PrintFile,     // "Print MERVA File"
  SettingsFile,  // the private preference-file message
};

struct CommandLineOutcome {
  int outcome = 0;  // -1 uninstall, 0 nothing to do, 1 post the request
  CommandLineRequest request = CommandLineRequest::None;
  std::string text;  // the atom's text: a file name
  int fileType = 0;  // PlotFile / PrintFile: the high word of lParam
  int startupFlags = 0;
};

// The file type of a file for the hand-off: 99 for a name holding "@" (a
// data file with its format-description file), else what the file's first
// line says (1 for plot files and for anything the readers must judge).
using FileTypeProbe = std::function<int(const std::string& path)>;
int FileTypeOfPath(const std::string& path);
int FileTypeOfFirstLine(std::string_view firstLine);

// Parses the arguments (without the program name). `programFolder` ends
// with "\" and completes preference-file names without ":". Switches count
// only where an item (the line's start or the text after a blank) begins,
// so a folder called "\s..." or "c:/files" inside a name is no switch.
CommandLineOutcome ParseCommandLine(std::string_view commandLine, const std::string& programFolder,
                                    const FileTypeProbe& fileTypeOf = FileTypeOfPath);

}  // namespace merva

#pragma once

// Running a macro: one statement at a time, the statements the editor
// carries out itself decided here, everything else handed to the host
// (the plotting program, the file system, the spreadsheet, the user).

#include <cstddef>
#include <string>
#include <vector>

#include "macroeditor/core/generate_request.h"

namespace merva::macro {

constexpr char CANNOT_CALL_ITSELF[] = "A macro CANNOT call itself.";
constexpr char NO_FILES_FOUND[] = "No files found matching the pattern ";
constexpr char NEXTFILE_WITHOUT_LOOP[] = "NextFile without ForFilesIn";
constexpr char PAUSED[] = "The macro has been paused. Press OK to continue or Cancel to abort.";

// What a host action came to.
struct Outcome {
  enum Kind { Done, Failed, Stopped } kind = Done;
  std::string message;  // for Failed
  static Outcome Ok() { return {}; }
  static Outcome Fail(std::string text) { return {Failed, std::move(text)}; }
  static Outcome Stop() { return {Stopped, {}}; }
};

class RunHost {
 public:
  virtual ~RunHost() = default;
  // One execute transaction of the plotting program ("[...]").
  virtual Outcome Execute(const std::string& commandString) = 0;
  // The full names of the files matching the pattern, in the order to run.
  virtual std::vector<std::string> ListFiles(const std::string& pattern) = 0;
  // The short form of a directory name, or the name itself.
  virtual std::string ShortPath(const std::string& directory) = 0;
  virtual Outcome CallMacro(const std::string& name) = 0;
  virtual Outcome Pause() = 0;
  virtual Outcome Shell(const std::string& commandLine) = 0;
  virtual Outcome Generate(const GenerateRequest& request) = 0;
};

struct TextRange {
  std::size_t begin = 0, end = 0;
};

struct StepResult {
  enum Kind { Ran, Finished, Failed, Stopped } kind = Ran;
  std::string message;  // for Failed
  TextRange where;      // the statement that ran or failed
};

// The three failures of an execute transaction.
std::string TimeoutMessage(unsigned long milliseconds);
std::string UnrecognizedMessage(const std::string& statement);
std::string DdeErrorMessage(unsigned int code);

// "C:\dir" + "a.grf" -> "C:\dir\a.grf"; a name with a drive or a leading
// backslash stays as it is.
std::string JoinPath(const std::string& directory, const std::string& name);
// The file's name with the extension given instead of its own.
std::string WithExtension(const std::string& file, const std::string& extension);
// A macro's name from a name or a path: folder and ".MAC" removed.
std::string MacroNameOf(const std::string& nameOrPath);

class MacroRun {
 public:
  MacroRun(std::string text, std::string macroName);

  // The next statement to run, comments and empty lines passed over; false
  // at the end of the text.
  bool NextStatement(TextRange& range) const;
  // Runs the next statement.
  StepResult Step(RunHost& host);

  bool LoopOpen() const { return loopOpen_; }
  const std::string& CurrentFile() const;
  const std::string& Directory() const { return directory_; }

 private:
  // The statement at `position`: its range, its trimmed text and where
  // the following one starts.
  struct Line {
    TextRange range;
    std::string text;
    std::size_t next = 0;
  };
  Line LineAt(std::size_t position) const;
  bool Runnable(const Line& line) const;
  Outcome Run(const std::string& statement, RunHost& host);
  Outcome RunCommand(const std::string& statement, RunHost& host);
  Outcome StartLoop(const std::string& statement, RunHost& host);
  Outcome NextFile();
  Outcome SaveAs(const std::string& statement, RunHost& host);
  std::string InLoop(const std::string& statement) const;

  std::string text_;
  std::string macroName_;
  std::size_t position_ = 0;
  std::string directory_;
  bool loopOpen_ = false;
  std::vector<std::string> files_;
  std::size_t fileIndex_ = 0;
  std::size_t loopBody_ = 0;
};

}  // namespace merva::macro

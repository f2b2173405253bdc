#include "macroeditor/core/macro_run.h"

#include <cctype>
#include <cstdio>

#include "macroeditor/core/statement.h"

namespace merva::macro {

namespace {

constexpr char CURRENT_FILE_MARK[] = "%1";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsFileOpenOfLoop(const std::string& statement) {
  std::string compact;
  for (char c : Lower(statement))
    if (c != ' ' && c != '\t') compact += c;
  return compact == "fileopen()";
}

}  // namespace

std::string TimeoutMessage(unsigned long milliseconds) {
  return "DDE Server busy after " + std::to_string(milliseconds) +
         " msec.Please contact Orrin and ask him to increase the timeout duration in Macro "
         "Editor.";
}

std::string UnrecognizedMessage(const std::string& statement) {
  return "Unrecognized command or bad syntax in the command " + statement;
}

std::string DdeErrorMessage(unsigned int code) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", code);
  return std::string("Error code for DdeClientTransaction=0x") + hex + ".  Please contact Orrin.";
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  const bool absolute = (name.size() >= 2 && name[1] == ':') ||
                        (!name.empty() && (name[0] == '\\' || name[0] == '/'));
  if (absolute || directory.empty()) return name;
  const char last = directory.back();
  return directory + (last == '\\' || last == '/' || last == ':' ? "" : "\\") + name;
}

std::string WithExtension(const std::string& file, const std::string& extension) {
  const std::size_t folder = file.find_last_of("\\/:");
  const std::size_t dot = file.rfind('.');
  if (dot != std::string::npos && (folder == std::string::npos || dot > folder))
    return file.substr(0, dot) + extension;
  return file + extension;
}

std::string MacroNameOf(const std::string& nameOrPath) {
  const std::size_t folder = nameOrPath.find_last_of("\\/:");
  std::string name = folder == std::string::npos ? nameOrPath : nameOrPath.substr(folder + 1);
  if (name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".mac")
    name.resize(name.size() - 4);
  return name;
}

MacroRun::MacroRun(std::string text, std::string macroName)
    : text_(std::move(text)), macroName_(std::move(macroName)) {}

const std::string& MacroRun::CurrentFile() const {
  static const std::string none;
  return loopOpen_ && fileIndex_ < files_.size() ? files_[fileIndex_] : none;
}

MacroRun::Line MacroRun::LineAt(std::size_t position) const {
  Line line;
  std::size_t end = text_.find_first_of("\r\n", position);
  if (end == std::string::npos) end = text_.size();
  line.next = end;
  if (line.next < text_.size() && text_[line.next] == '\r') ++line.next;
  if (line.next < text_.size() && text_[line.next] == '\n') ++line.next;
  const std::string_view raw(text_.data() + position, end - position);
  const std::string_view trimmed = TrimStatement(raw);
  line.range = {end - trimmed.size(), end};
  line.text.assign(trimmed);
  return line;
}

bool MacroRun::Runnable(const Line& line) const {
  const Keyword keyword = Classify(line.text);
  return keyword != Keyword::None && keyword != Keyword::Rem;
}

bool MacroRun::NextStatement(TextRange& range) const {
  for (std::size_t p = position_; p < text_.size();) {
    const Line line = LineAt(p);
    if (Runnable(line)) {
      range = line.range;
      return true;
    }
    p = line.next;
  }
  return false;
}

StepResult MacroRun::Step(RunHost& host) {
  while (position_ < text_.size()) {
    const Line line = LineAt(position_);
    position_ = line.next;
    if (!Runnable(line)) continue;
    const Outcome outcome = Run(line.text, host);
    StepResult result;
    result.where = line.range;
    if (outcome.kind == Outcome::Failed) {
      result.kind = StepResult::Failed;
      result.message = outcome.message;
    } else if (outcome.kind == Outcome::Stopped) {
      result.kind = StepResult::Stopped;
    }
    return result;
  }
  StepResult end;
  end.kind = StepResult::Finished;
  end.where = {text_.size(), text_.size()};
  return end;
}

Outcome MacroRun::Run(const std::string& statement, RunHost& host) {
  switch (Classify(statement)) {
    case Keyword::Call: {
      const Checked target = CallTarget(statement);
      if (!target.Ok()) return Outcome::Fail(target.message);
      if (Lower(MacroNameOf(target.text)) == Lower(MacroNameOf(macroName_)))
        return Outcome::Fail(CANNOT_CALL_ITSELF);
      return host.CallMacro(target.text);
    }
    case Keyword::Directory: {
      const Checked path = QuotedArgument(statement, 9);
      if (!path.Ok()) return Outcome::Fail(path.message);
      directory_ = host.ShortPath(path.text);
      return Outcome::Ok();
    }
    case Keyword::ForFilesIn:
      return StartLoop(statement, host);
    case Keyword::NextFile:
      return NextFile();
    case Keyword::Pause:
      return host.Pause();
    case Keyword::Shell: {
      const Checked program = ShellCommand(statement);
      if (!program.Ok()) return Outcome::Fail(program.message);
      return host.Shell(program.text);
    }
    case Keyword::FileSaveAs:
      return SaveAs(statement, host);
    case Keyword::Generate: {
      const GenerateRequest request = ParseGenerate(statement);
      if (!request.message.empty()) return Outcome::Fail(request.message);
      return host.Generate(request);
    }
    default:
      return RunCommand(statement, host);
  }
}

std::string MacroRun::InLoop(const std::string& statement) const {
  if (!loopOpen_) return statement;
  const std::string& file = CurrentFile();
  if (IsFileOpenOfLoop(statement)) return "FileOpen(\"" + file + "\")";
  std::string out = statement;
  for (std::size_t at = out.find(CURRENT_FILE_MARK); at != std::string::npos;
       at = out.find(CURRENT_FILE_MARK, at + file.size()))
    out.replace(at, 2, file);
  return out;
}

Outcome MacroRun::RunCommand(const std::string& statement, RunHost& host) {
  const Checked command = CheckCommand(InLoop(statement));
  if (!command.Ok()) return Outcome::Fail(command.message);
  return host.Execute("[" + command.text + "]");
}

Outcome MacroRun::StartLoop(const std::string& statement, RunHost& host) {
  const Checked pattern = QuotedArgument(statement, 10);
  if (!pattern.Ok()) return Outcome::Fail(pattern.message);
  // One loop at a time.
  if (loopOpen_) return Outcome::Fail(INCORRECT_SYNTAX + statement);
  std::vector<std::string> files = host.ListFiles(JoinPath(directory_, pattern.text));
  if (files.empty()) return Outcome::Fail(NO_FILES_FOUND + pattern.text);
  files_ = std::move(files);
  fileIndex_ = 0;
  loopOpen_ = true;
  loopBody_ = position_;
  return Outcome::Ok();
}

Outcome MacroRun::NextFile() {
  if (!loopOpen_) return Outcome::Fail(NEXTFILE_WITHOUT_LOOP);
  if (++fileIndex_ < files_.size()) {
    position_ = loopBody_;
  } else {
    loopOpen_ = false;
    files_.clear();
  }
  return Outcome::Ok();
}

Outcome MacroRun::SaveAs(const std::string& statement, RunHost& host) {
  const macro::SaveAs save = ParseFileSaveAs(statement);
  if (!save.message.empty()) return Outcome::Fail(save.message);
  std::string file;
  if (!save.file.empty())
    file = JoinPath(directory_, save.file);
  else if (loopOpen_)  // saved beside the loop's current file
    file = CurrentFile();
  else
    return Outcome::Fail(INCORRECT_SYNTAX + statement);
  file = WithExtension(file, SaveExtension(save.typeCode));
  return host.Execute("[FileSaveAs(" + std::to_string(save.typeCode) + ",\"" + file + "\")]");
}

}  // namespace merva::macro

#pragma once

// One macro statement: which keyword it is, the checks of its form and the
// arguments of the statements the editor carries out itself.

#include <string>
#include <string_view>

namespace merva::macro {

enum class Keyword {
  None,  // empty line or "'" comment: skipped
  Rem,
  Call,
  Directory,
  ForFilesIn,
  NextFile,
  Pause,
  Shell,
  FileSaveAs,
  Generate,
  Command  // a command string for the plotting program
};

// The five statement-form messages; each is followed by the statement.
constexpr char MISSING_CLOSE[] = "Missing close parenthesis in ";
constexpr char MISSING_OPEN[] = "Missing open parenthesis in ";
constexpr char UNMATCHED_QUOTES[] = "Unmatched quotation marks in ";
constexpr char NEEDS_QUOTES[] = "Argument must be enclosed with double quotation marks in ";
constexpr char INCORRECT_SYNTAX[] = "Incorrect syntax in ";

// Leading blanks, then leading tabs, removed.
std::string_view TrimStatement(std::string_view line);
Keyword Classify(std::string_view statement);

// The result of a check: `message` empty when the statement is sound; then
// `text` is what is to be used of it.
struct Checked {
  std::string text;
  std::string message;
  bool Ok() const { return message.empty(); }
};

// A command string's form: name of letters and digits, "(", arguments, ")";
// a trailing "'" comment outside quotes and trailing tabs and blanks go.
Checked CheckCommand(std::string_view statement);

// The quoted argument of directory("path") and forfilesin("pattern").
Checked QuotedArgument(std::string_view statement, std::size_t keywordLength);
// The macro name of "call name" (quotes around it are allowed).
Checked CallTarget(std::string_view statement);
// The command line of shell("program") or shell program.
Checked ShellCommand(std::string_view statement);

// filesaveas(code,"file"): the code's extension, or empty for a code
// without one.
constexpr char ILLEGAL_FILE_TYPE[] = "Illegal file type code in FileSaveAs() command.";
std::string SaveExtension(int typeCode);
struct SaveAs {
  std::string message;  // empty when sound
  int typeCode = 0;
  std::string file;  // as written, possibly empty
};
SaveAs ParseFileSaveAs(std::string_view statement);

}  // namespace merva::macro

#include "macroeditor/core/statement.h"

#include <gtest/gtest.h>

#include "macroeditor/core/generate_request.h"
#include "macroeditor/core/macro_file.h"

namespace merva::macro {
namespace {

TEST(MacroStatement, KeywordsByFirstCharactersAfterBlanksThenTabs) {
  EXPECT_EQ(TrimStatement("  \t\tFileNew()"), "FileNew()");
  // Blanks after tabs stay: the statement then starts with a blank.
  EXPECT_EQ(TrimStatement("\t FileNew()"), " FileNew()");
  EXPECT_EQ(Classify(""), Keyword::None);
  EXPECT_EQ(Classify("' a comment"), Keyword::None);
  EXPECT_EQ(Classify("REM anything"), Keyword::Rem);
  EXPECT_EQ(Classify("Call other"), Keyword::Call);
  EXPECT_EQ(Classify("caller()"), Keyword::Command);
  EXPECT_EQ(Classify("Directory(\"c:\\x\")"), Keyword::Directory);
  EXPECT_EQ(Classify("ForFilesIn(\"*.grf\")"), Keyword::ForFilesIn);
  EXPECT_EQ(Classify("NEXTFILE"), Keyword::NextFile);
  EXPECT_EQ(Classify("Pause"), Keyword::Pause);
  EXPECT_EQ(Classify("Shell notepad"), Keyword::Shell);
  EXPECT_EQ(Classify("FileSaveAs(1,\"a\")"), Keyword::FileSaveAs);
  EXPECT_EQ(Classify("Generate(\"SIN(X)\",0,1,0.1)"), Keyword::Generate);
  EXPECT_EQ(Classify("FilePrint()"), Keyword::Command);
}

TEST(MacroStatement, SoundCommandsLoseTrailingCommentTabsAndBlanks) {
  EXPECT_EQ(CheckCommand("FilePrint()").text, "FilePrint()");
  EXPECT_EQ(CheckCommand("FilePrint()\t\t' print it").text, "FilePrint()");
  // A quote inside a string is no comment.
  const Checked title = CheckCommand("Title1(\"Bob's test\") 'note");
  EXPECT_TRUE(title.Ok());
  EXPECT_EQ(title.text, "Title1(\"Bob's test\")");
  EXPECT_TRUE(CheckCommand("Scale(Max(1,2))").Ok());
  EXPECT_TRUE(CheckCommand("Title2(\"a (b\")").Ok());
  EXPECT_TRUE(CheckCommand("FileOpen( \"x.grf\")").Ok());
}

TEST(MacroStatement, EachFormFaultHasItsMessageQuotingTheStatement) {
  const auto message = [](const char* s) { return CheckCommand(s).message; };
  EXPECT_EQ(message("FilePrint("), "Missing close parenthesis in FilePrint(");
  EXPECT_EQ(message("Scale(Max(1,2)"), "Missing close parenthesis in Scale(Max(1,2)");
  EXPECT_EQ(message("FilePrint"), "Missing open parenthesis in FilePrint");
  EXPECT_EQ(message("FilePrint)"), "Missing open parenthesis in FilePrint)");
  EXPECT_EQ(message("Scale(1))"), "Missing open parenthesis in Scale(1))");
  EXPECT_EQ(message("Title1(\"abc)"), "Unmatched quotation marks in Title1(\"abc)");
  EXPECT_EQ(message("FileOpen(c:\\a.grf)"),
            "Argument must be enclosed with double quotation marks in FileOpen(c:\\a.grf)");
  EXPECT_EQ(message("fileopen()"),
            "Argument must be enclosed with double quotation marks in fileopen()");
  EXPECT_EQ(message("FileNew() FilePrint()"), "Incorrect syntax in FileNew() FilePrint()");
  EXPECT_EQ(message("[FileNew()]"), "Incorrect syntax in [FileNew()]");
  EXPECT_EQ(message("File New()"), "Incorrect syntax in File New()");
  // The message quotes the statement without its comment.
  EXPECT_EQ(message("FilePrint(  ' oops"), "Missing close parenthesis in FilePrint(");
}

TEST(MacroStatement, QuotedArgumentsOfDirectoryLoopCallAndShell) {
  EXPECT_EQ(QuotedArgument("Directory(\"C:\\data\")", 9).text, "C:\\data");
  EXPECT_EQ(QuotedArgument("directory ( \"C:\\d\" ) ' why", 9).text, "C:\\d");
  EXPECT_EQ(QuotedArgument("Directory C:\\d", 9).message,
            "Missing open parenthesis in Directory C:\\d");
  EXPECT_EQ(QuotedArgument("Directory(C:\\d)", 9).message,
            "Argument must be enclosed with double quotation marks in Directory(C:\\d)");
  EXPECT_EQ(QuotedArgument("ForFilesIn(\"*.grf\"", 10).message,
            "Missing close parenthesis in ForFilesIn(\"*.grf\"");
  EXPECT_EQ(QuotedArgument("ForFilesIn(\"*.grf)", 10).message,
            "Unmatched quotation marks in ForFilesIn(\"*.grf)");
  EXPECT_EQ(QuotedArgument("ForFilesIn(\"\")", 10).message, "Incorrect syntax in ForFilesIn(\"\")");
  EXPECT_EQ(QuotedArgument("ForFilesIn(\"a\") x", 10).message,
            "Incorrect syntax in ForFilesIn(\"a\") x");

  EXPECT_EQ(CallTarget("call  other  ' the next one").text, "other");
  EXPECT_EQ(CallTarget("Call \"my macro\"").text, "my macro");
  EXPECT_EQ(CallTarget("call ").message, "Incorrect syntax in call");
  EXPECT_EQ(ShellCommand("Shell notepad a.txt").text, "notepad a.txt");
  EXPECT_EQ(ShellCommand("shell(\"calc.exe\")").text, "calc.exe");
  EXPECT_FALSE(ShellCommand("shellx").Ok());
  EXPECT_FALSE(ShellCommand("shell").Ok());
}

TEST(MacroStatement, FileSaveAsTypeCodes) {
  EXPECT_EQ(SaveExtension(1), ".GRF");
  EXPECT_EQ(SaveExtension(2), ".ASC");
  EXPECT_EQ(SaveExtension(4), ".BIN");
  EXPECT_EQ(SaveExtension(5), ".WMF");
  EXPECT_EQ(SaveExtension(6), ".EMF");
  for (int code : {-1, 0, 3, 7, 99}) EXPECT_EQ(SaveExtension(code), "") << code;

  const SaveAs ok = ParseFileSaveAs("FileSaveAs( 5 , \"pic\" ) ' picture");
  EXPECT_EQ(ok.message, "");
  EXPECT_EQ(ok.typeCode, 5);
  EXPECT_EQ(ok.file, "pic");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(1,\"\")").file, "");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(3,\"a\")").message, ILLEGAL_FILE_TYPE);
  EXPECT_EQ(ParseFileSaveAs("filesaveas(0,\"a\")").message, ILLEGAL_FILE_TYPE);
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(99999999999,\"a\")").message,
            "Incorrect syntax in FileSaveAs(99999999999,\"a\")");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs 1,\"a\"").message,
            "Missing open parenthesis in FileSaveAs 1,\"a\"");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(1,a)").message,
            "Argument must be enclosed with double quotation marks in FileSaveAs(1,a)");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(1,\"a\"").message,
            "Missing close parenthesis in FileSaveAs(1,\"a\"");
  EXPECT_EQ(ParseFileSaveAs("FileSaveAs(x,\"a\")").message,
            "Incorrect syntax in FileSaveAs(x,\"a\")");
}

TEST(MacroGenerate, ReadsFormulaAndRangeAndBuildsTheSpreadsheetSequence) {
  const GenerateRequest r = ParseGenerate("Generate(\"SIN(X)\", 0, 6.28, 0.01)");
  ASSERT_EQ(r.message, "");
  EXPECT_EQ(r.formula, "SIN(X)");
  EXPECT_EQ(r.rows, 629);
  const std::vector<std::string> executes = GenerateExecutes(r);
  const std::vector<std::string> expected = {
      "[NEW]",
      "[SELECT(\"R1C1:R629C1\")]",
      "[FORMULA.FILL(\"=0+(Row()-1)*0.01\")]",
      "[DEFINE.NAME(\"X\",\"=Sheet1!R1C1:R629C1\")]",
      "[SELECT(\"R1C2:R629C2\")]",
      "[FORMULA.FILL(\"=SIN(X)\")]",
      "[SELECT(\"R1C1:R629C2\")][COPY]",
  };
  EXPECT_EQ(executes, expected);
  // XMAX reached exactly is kept; quotes in the formula are doubled.
  const GenerateRequest q = ParseGenerate("generate(\"IF(X>1,\"a\",2)\",1,2,0.25)");
  EXPECT_EQ(q.message, "");
  EXPECT_EQ(q.rows, 5);
  EXPECT_EQ(GenerateExecutes(q)[5], "[FORMULA.FILL(\"=IF(X>1,\"\"a\"\",2)\")]");
}

TEST(MacroGenerate, ReadingErrorsNameTheNumber) {
  const auto message = [](const char* s) { return ParseGenerate(s).message; };
  EXPECT_EQ(message("Generate(\"X\",a,1,0.1)"),
            "Error reading X0 from the string Generate(\"X\",a,1,0.1)");
  EXPECT_EQ(message("Generate(\"X\",0,,0.1)"),
            "Error reading XMAX from the string Generate(\"X\",0,,0.1)");
  EXPECT_EQ(message("Generate(\"X\",2,1,0.1)"),
            "Error reading XMAX from the string Generate(\"X\",2,1,0.1)");
  EXPECT_EQ(message("Generate(\"X\",0,1,0)"),
            "Error reading DX from the string Generate(\"X\",0,1,0)");
  EXPECT_EQ(message("Generate(\"X\",0,1,-1)"),
            "Error reading DX from the string Generate(\"X\",0,1,-1)");
  EXPECT_EQ(message("Generate(\"X\",0,1)"),
            "Error reading XMAX from the string Generate(\"X\",0,1)");
  EXPECT_EQ(message("Generate(\"X\",0,1e300,1e-300)"),
            "Error reading DX from the string Generate(\"X\",0,1e300,1e-300)");
  EXPECT_EQ(message("Generate(\"X\",0,1,0.1"),
            "Missing close parenthesis in Generate(\"X\",0,1,0.1");
  EXPECT_EQ(message("Generate(X,0,1,0.1)"),
            "Argument must be enclosed with double quotation marks in Generate(X,0,1,0.1)");
  EXPECT_EQ(message("Generate"), "Missing open parenthesis in Generate");
}

TEST(MacroFile, HeaderLineEndsAndLimits) {
  std::string text = "untouched";
  EXPECT_EQ(ParseMacroFile("MERVA/W Macro 1.0\r\nFileNew()", text), MacroRead::NotAMacro);
  EXPECT_EQ(ParseMacroFile("MERVA/W", text), MacroRead::NotAMacro);
  EXPECT_EQ(text, "untouched");
  // Only the first 17 characters of the header count.
  ASSERT_EQ(ParseMacroFile("MERVA/W Macro 1.1 extra\r\nFileNew()\nFilePrint()", text),
            MacroRead::Ok);
  EXPECT_EQ(text, "FileNew()\r\nFilePrint()");
  EXPECT_EQ(ParseMacroFile("MERVA/W Macro 1.1", text), MacroRead::Ok);
  EXPECT_EQ(text, "");
  EXPECT_EQ(MacroFileBytes("a\nb\rc\r\n"), "MERVA/W Macro 1.1\r\na\r\nb\r\nc\r\n");
  EXPECT_EQ(ParseMacroFile(MacroFileBytes(std::string(MACRO_TEXT_LIMIT, 'x')), text),
            MacroRead::Ok);
  EXPECT_EQ(ParseMacroFile(MacroFileBytes(std::string(MACRO_TEXT_LIMIT + 1, 'x')), text),
            MacroRead::TooLong);
  EXPECT_EQ(ParseMacroFile(std::string("MERVA/W Macro 1.1\r\na\0b", 23), text),
            MacroRead::NotAMacro);
}

}  // namespace
}  // namespace merva::macro

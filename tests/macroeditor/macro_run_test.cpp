#include "macroeditor/core/macro_run.h"

#include <gtest/gtest.h>

#include <map>

namespace merva::macro {
namespace {

// Records what a run asks for.
struct FakeHost : RunHost {
  std::vector<std::string> log;
  std::map<std::string, std::vector<std::string>> files;
  std::string failOn;  // an execute that fails
  bool pauseContinues = true;

  Outcome Execute(const std::string& s) override {
    log.push_back(s);
    if (s == failOn) return Outcome::Fail(UnrecognizedMessage(s));
    return Outcome::Ok();
  }
  std::vector<std::string> ListFiles(const std::string& pattern) override {
    log.push_back("list " + pattern);
    return files[pattern];
  }
  std::string ShortPath(const std::string& d) override { return d + "~"; }
  Outcome CallMacro(const std::string& name) override {
    log.push_back("call " + name);
    return Outcome::Ok();
  }
  Outcome Pause() override {
    log.push_back("pause");
    return pauseContinues ? Outcome::Ok() : Outcome::Stop();
  }
  Outcome Shell(const std::string& c) override {
    log.push_back("shell " + c);
    return Outcome::Ok();
  }
  Outcome Generate(const GenerateRequest& r) override {
    log.push_back("generate " + r.formula + " " + std::to_string(r.rows));
    return Outcome::Ok();
  }
};

StepResult RunAll(MacroRun& run, FakeHost& host) {
  for (int guard = 0; guard < 1000; ++guard) {
    StepResult r = run.Step(host);
    if (r.kind != StepResult::Ran) return r;
  }
  ADD_FAILURE() << "run did not end";
  return {};
}

TEST(MacroRun, CommentsOnlyMacroSendsNothing) {
  FakeHost host;
  MacroRun run("rem one\r\n' two\r\n\r\n   \t\r\nREMARK three", "m");
  TextRange next;
  EXPECT_FALSE(run.NextStatement(next));
  EXPECT_EQ(RunAll(run, host).kind, StepResult::Finished);
  EXPECT_TRUE(host.log.empty());
}

TEST(MacroRun, StepsOneStatementAtATimeWrappedInBrackets) {
  FakeHost host;
  const std::string text = "FileNew()\r\n' skip\r\n  \tXY(1,2) ' point\r\nFilePrint()";
  MacroRun run(text, "m");
  TextRange next;
  ASSERT_TRUE(run.NextStatement(next));
  EXPECT_EQ(text.substr(next.begin, next.end - next.begin), "FileNew()");
  EXPECT_EQ(run.Step(host).kind, StepResult::Ran);
  ASSERT_TRUE(run.NextStatement(next));
  EXPECT_EQ(text.substr(next.begin, next.end - next.begin), "XY(1,2) ' point");
  const StepResult second = run.Step(host);
  EXPECT_EQ(second.kind, StepResult::Ran);
  EXPECT_EQ(second.where.begin, next.begin);
  EXPECT_EQ(run.Step(host).kind, StepResult::Ran);
  EXPECT_EQ(run.Step(host).kind, StepResult::Finished);
  EXPECT_EQ(host.log, (std::vector<std::string>{"[FileNew()]", "[XY(1,2)]", "[FilePrint()]"}));
}

TEST(MacroRun, FailureStopsAtTheStatementWithItsMessage) {
  FakeHost host;
  const std::string text = "FileNew()\nFilePrint(\nFileClose()";
  MacroRun run(text, "m");
  const StepResult r = RunAll(run, host);
  EXPECT_EQ(r.kind, StepResult::Failed);
  EXPECT_EQ(r.message, "Missing close parenthesis in FilePrint(");
  EXPECT_EQ(r.where.begin, text.find("FilePrint("));
  EXPECT_EQ(host.log, std::vector<std::string>{"[FileNew()]"});

  FakeHost refused;
  refused.failOn = "[Bogus()]";
  MacroRun second("Bogus()\nFileNew()", "m");
  const StepResult s = RunAll(second, refused);
  EXPECT_EQ(s.message, "Unrecognized command or bad syntax in the command [Bogus()]");
  EXPECT_EQ(refused.log.size(), 1u);
}

TEST(MacroRun, LoopRunsItsBodyOncePerFileWithTheFileOpened) {
  FakeHost host;
  host.files["C:\\d~\\*.grf"] = {"C:\\d\\a.grf", "C:\\d\\b.grf"};
  MacroRun run(
      "Directory(\"C:\\d\")\r\nForFilesIn(\"*.grf\")\r\nFileOpen()\r\nTitle1(\"%1\")\r\n"
      "FileSaveAs(5,\"\")\r\nNextFile\r\nFileNew()",
      "m");
  EXPECT_EQ(RunAll(run, host).kind, StepResult::Finished);
  const std::vector<std::string> expected = {"list C:\\d~\\*.grf",
                                             "[FileOpen(\"C:\\d\\a.grf\")]",
                                             "[Title1(\"C:\\d\\a.grf\")]",
                                             "[FileSaveAs(5,\"C:\\d\\a.WMF\")]",
                                             "[FileOpen(\"C:\\d\\b.grf\")]",
                                             "[Title1(\"C:\\d\\b.grf\")]",
                                             "[FileSaveAs(5,\"C:\\d\\b.WMF\")]",
                                             "[FileNew()]"};
  EXPECT_EQ(host.log, expected);
  EXPECT_FALSE(run.LoopOpen());
}

TEST(MacroRun, LoopFaults) {
  FakeHost host;
  MacroRun none("ForFilesIn(\"x*.grf\")\nFileNew()\nNextFile", "m");
  const StepResult r = RunAll(none, host);
  EXPECT_EQ(r.message, "No files found matching the pattern x*.grf");
  EXPECT_EQ(host.log, std::vector<std::string>{"list x*.grf"});

  MacroRun lone("FileNew()\nnextfile", "m");
  EXPECT_EQ(RunAll(lone, host).message, "NextFile without ForFilesIn");

  host.files["*.grf"] = {"a.grf"};
  MacroRun nested("ForFilesIn(\"*.grf\")\nForFilesIn(\"*.grf\")\nNextFile", "m");
  EXPECT_EQ(RunAll(nested, host).message, "Incorrect syntax in ForFilesIn(\"*.grf\")");
  // Outside a loop "FileOpen()" has no file to open.
  MacroRun open("FileOpen()", "m");
  EXPECT_EQ(RunAll(open, host).message,
            "Argument must be enclosed with double quotation marks in FileOpen()");
}

TEST(MacroRun, CallPauseShellSaveAsAndGenerate) {
  FakeHost host;
  MacroRun run(
      "call Other\ncall \"C:\\x\\MACROS\\Second.MAC\"\npause\nshell notepad\n"
      "FileSaveAs(1,\"out.asc\")\nFileSaveAs(2,\"C:\\t\\o\")\nDirectory(\"D:\\\")\n"
      "FileSaveAs(4,\"b\")\nGenerate(\"SIN(X)\",0,1,0.5)",
      "C:\\prog\\MACROS\\Main.MAC");
  EXPECT_EQ(RunAll(run, host).kind, StepResult::Finished);
  const std::vector<std::string> expected = {"call Other",
                                             "call C:\\x\\MACROS\\Second.MAC",
                                             "pause",
                                             "shell notepad",
                                             "[FileSaveAs(1,\"out.GRF\")]",
                                             "[FileSaveAs(2,\"C:\\t\\o.ASC\")]",
                                             "[FileSaveAs(4,\"D:\\~\\b.BIN\")]",
                                             "generate SIN(X) 3"};
  EXPECT_EQ(host.log, expected);

  MacroRun self("call main", "C:\\prog\\MACROS\\Main.MAC");
  EXPECT_EQ(RunAll(self, host).message, "A macro CANNOT call itself.");
  MacroRun noFile("FileSaveAs(1,\"\")", "m");
  EXPECT_EQ(RunAll(noFile, host).message, "Incorrect syntax in FileSaveAs(1,\"\")");
  MacroRun type3("FileSaveAs(3,\"x\")", "m");
  EXPECT_EQ(RunAll(type3, host).message, "Illegal file type code in FileSaveAs() command.");

  host.pauseContinues = false;
  MacroRun cancelled("pause\nFileNew()", "m");
  EXPECT_EQ(RunAll(cancelled, host).kind, StepResult::Stopped);
  EXPECT_NE(host.log.back(), "[FileNew()]");
}

TEST(MacroRun, DdeFailureTextsAndPaths) {
  EXPECT_EQ(TimeoutMessage(60000),
            "DDE Server busy after 60000 msec.Please contact Orrin and ask him to increase the "
            "timeout duration in Macro Editor.");
  EXPECT_EQ(DdeErrorMessage(0x4009),
            "Error code for DdeClientTransaction=0x4009.  Please contact Orrin.");
  EXPECT_EQ(JoinPath("C:\\a", "b.grf"), "C:\\a\\b.grf");
  EXPECT_EQ(JoinPath("C:\\a\\", "b.grf"), "C:\\a\\b.grf");
  EXPECT_EQ(JoinPath("C:\\a", "D:b.grf"), "D:b.grf");
  EXPECT_EQ(JoinPath("C:\\a", "\\b.grf"), "\\b.grf");
  EXPECT_EQ(JoinPath("", "b.grf"), "b.grf");
  EXPECT_EQ(WithExtension("C:\\a.b\\c", ".GRF"), "C:\\a.b\\c.GRF");
  EXPECT_EQ(WithExtension("c.x.asc", ".GRF"), "c.x.GRF");
  EXPECT_EQ(MacroNameOf("C:\\m\\MACROS\\Loop.mac"), "Loop");
  EXPECT_EQ(MacroNameOf("Loop"), "Loop");
}

}  // namespace
}  // namespace merva::macro

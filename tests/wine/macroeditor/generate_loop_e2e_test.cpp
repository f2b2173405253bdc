// mvmac95's file loop (opening, printing and closing plot files) and its
// generate statement through the stand-in spreadsheet.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "harness/merva_program.h"
#include "harness/pdf_jobs.h"
#include "harness/raw_dde_client.h"
#include "macro_test_support.h"

namespace merva::test {
namespace {

constexpr const char* TITLE = EDITOR_TITLE;

std::vector<std::string> NewPdfs(const std::vector<std::string>& before) {
  std::vector<std::string> added;
  for (const std::string& name : PdfFiles()) {
    bool old = false;
    for (const std::string& b : before) old = old || b == name;
    if (!old) added.push_back(name.substr(0, name.rfind('|')));
  }
  return added;
}

// Page objects ("/Type /Page", not "/Pages") of a finished PDF; -1 while
// it is still being written.
int PdfPages(const std::string& file) {
  const std::string pdf = ReadFileBytes(file);
  if (pdf.find("%%EOF") == std::string::npos) return -1;
  return PdfPageCount(pdf);
}

using MacroRuns = MacroEditorTest;

TEST_F(MacroRuns, LoopOpensPrintsAndClosesThreePlotFiles) {
  const std::string folder = TempDirectory() + "\\loop";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"a.grf", "b.grf", "c.grf"})
    ASSERT_TRUE(
        CopyFileA(ProgramPath("app/EX01.GRF").c_str(), (folder + "\\" + name).c_str(), FALSE));
  WriteFileBytes(folder + "\\notes.txt", "not a plot");

  // Opened and left open: three windows named after the files.
  WriteMacro("OpenAll", "Directory(\"" + folder +
                            "\")\r\nForFilesIn(\"*.grf\")\r\nFileOpen()\r\nNextFile\r\n");
  StartedProcess editor = StartProgram(EditorFile(), "/RUN OpenAll");
  DWORD code = 99;
  ASSERT_TRUE(editor.WaitExit(60000, &code));
  EXPECT_EQ(code, 0u);
  // The first may take the empty start-up window.
  EXPECT_GE(DocumentCount(merva.frame), 3);
  for (const char* name : {"a.grf", "b.grf", "c.grf"})
    EXPECT_TRUE(SomeDocumentTitled(merva.frame, name)) << name;

  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  const int open = DocumentCount(merva.frame);
  const std::vector<std::string> before = PdfFiles();
  WriteMacro("PrintAll", "Directory(\"" + folder +
                             "\")\r\nForFilesIn(\"?.grf\")\r\n  FileOpen()\r\n  FilePrint()\r\n"
                             "  FileClose()\r\nNextFile\r\n");
  editor = StartProgram(EditorFile(), "/RUN PrintAll");
  ASSERT_TRUE(editor.WaitExit(120000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(DocumentCount(merva.frame), open);
  // One page a file.
  int pages = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::vector<std::string> added = NewPdfs(before);
        pages = 0;
        for (const std::string& pdf : added) pages += std::max(0, PdfPages(pdf));
        return added.size() == 3 && pages == 3;
      },
      90000, 500))
      << pages << " pages in new PDF files in " << PdfFolder();
}

TEST_F(MacroRuns, PrintsTheMacroText) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  StartedProcess editor = StartProgram(EditorFile(), "");
  HWND window = EditorWindow(editor);
  ASSERT_TRUE(window);
  const std::string text = "rem printed\r\nFileNew()\r\n\tFilePrint()";
  SendMessageA(GetDlgItem(window, 104), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  const std::vector<std::string> before = PdfFiles();
  PostMessageA(window, WM_COMMAND, 260, 0);
  int pages = -1;
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::vector<std::string> added = NewPdfs(before);
        return added.size() == 1 && (pages = PdfPages(added[0])) >= 0;
      },
      90000, 500));
  EXPECT_EQ(pages, 1);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS));
}

// Registers the stand-in as the spreadsheet program of ".xls" files.
struct SpreadsheetRegistration {
  explicit SpreadsheetRegistration(const std::string& log) {
    const std::string command =
        "\"" + ProgramPath("tests/wine/standin_spreadsheet.exe") + "\" \"" + log + "\" \"%1\"";
    RegSetValueA(HKEY_CLASSES_ROOT, ".xls", REG_SZ, "Excel.Sheet.5", 13);
    RegSetValueA(HKEY_CLASSES_ROOT, "Excel.Sheet.5\\shell\\open\\command", REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size()));
  }
  ~SpreadsheetRegistration() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Excel.Sheet.5");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".xls");
    if (HWND sheet = FindWindowA("XLMAIN", nullptr)) PostMessageA(sheet, WM_CLOSE, 0, 0);
  }
};

// The curves of the active document as merva95 serves them: the curve
// count, and the points of the last curve.
struct ServedCurves {
  int count = -1;
  std::vector<std::pair<double, double>> last;
};

ServedCurves CurvesOfMerva() {
  ServedCurves curves;
  RawDdeClient system;
  std::string topics, count, data;
  if (!system.Connect("MERVAW", "System") || !system.Request("Topics", CF_TEXT, topics))
    return curves;
  const std::string document = topics.substr(topics.rfind('\t') + 1);
  system.Terminate();
  RawDdeClient plot;
  if (!plot.Connect("MERVAW", document.c_str()) || !plot.Request("NumberOfCurves", CF_TEXT, count))
    return curves;
  curves.count = std::atoi(count.c_str());
  if (curves.count < 1 ||
      !plot.Request(("Curve" + std::to_string(curves.count)).c_str(), CF_TEXT, data))
    return curves;
  const std::vector<double> xy = NumbersIn(data);
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) curves.last.push_back({xy[i], xy[i + 1]});
  return curves;
}

TEST_F(MacroRuns, GenerateFillsTheSpreadsheetAndPastesTheColumns) {
  if (FindWindowA("XLMAIN", nullptr)) GTEST_SKIP() << "a spreadsheet window runs";
  WriteMacro("Gen", "ErrorMessages(0)\r\nGenerate(\"SIN(X)\", 0, 6.28, 0.01)\r\n");
  // No spreadsheet program known: refused.
  {
    StartedProcess editor = StartProgram(EditorFile(), "/RUN Gen");
    HWND box = WaitForDialogTitled(editor.pid, TITLE, 30000);
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box),
              "The Generate command requires the presence of Microsoft Excel version 5.0 or "
              "later on your system.");
    Answer(box, IDOK);
    editor.WaitExit(MERVA_BOX_MS);
  }

  const std::string log = TempDirectory() + "\\sheet.log";
  DeleteFileA(log.c_str());
  DeleteFileA((log + ".clip").c_str());
  SpreadsheetRegistration registration(log);
  // A plot with a topic of its own, so that its curves can be requested;
  // the pasted columns go into it as the active document.
  {
    RawDdeClient service;
    ASSERT_TRUE(service.Connect("MERVAW", "ROZava"));
    const std::string plot = ExampleCopy("EX01.GRF", "GENERATED.GRF");
    ASSERT_EQ(service.Execute("[FileOpen(\"" + plot + "\")]") & 0x8000, 0x8000);
  }
  const int curvesBefore = CurvesOfMerva().count;
  ASSERT_GT(curvesBefore, 0);
  StartedProcess editor = StartProgram(EditorFile(), "/RUN Gen");
  // A refused Paste() shows the editor's box.
  bool pasted = false;
  DWORD code = 99;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (editor.WaitExit(0, &code)) return pasted = true;
        if (HWND box = DialogOfProcess(editor.pid, TITLE)) {
          ADD_FAILURE() << BoxText(box);
          Answer(box, IDOK);
          editor.WaitExit(MERVA_BOX_MS, &code);
          return true;
        }
        return false;
      },
      60000));
  pasted = pasted && code == 0;

  const std::vector<std::string> expected = {
      "[NEW]",
      "[SELECT(\"R1C1:R629C1\")]",
      "[FORMULA.FILL(\"=0+(Row()-1)*0.01\")]",
      "[DEFINE.NAME(\"X\",\"=Sheet1!R1C1:R629C1\")]",
      "[SELECT(\"R1C2:R629C2\")]",
      "[FORMULA.FILL(\"=SIN(X)\")]",
      "[SELECT(\"R1C1:R629C2\")][COPY]",
      "[CLOSE(0)]",
  };
  EXPECT_EQ(Lines(ReadFileBytes(log)), expected);
  const std::vector<std::string> rows = Lines(ReadFileBytes(log + ".clip"));
  ASSERT_EQ(rows.size(), 629u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    double x = 0, y = 0;
    ASSERT_EQ(std::sscanf(rows[i].c_str(), "%lf\t%lf", &x, &y), 2) << rows[i];
    EXPECT_NEAR(x, 0.01 * i, 1e-9);
    EXPECT_NEAR(y, std::sin(0.01 * i), 1e-9);
  }
  // The editor emptied the clipboard afterwards.
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  const ServedCurves after = CurvesOfMerva();
  ASSERT_TRUE(pasted) << "the run did not end well";
  ASSERT_EQ(after.count, curvesBefore + 1);
  const auto& curve = after.last;
  ASSERT_EQ(curve.size(), 629u);
  for (std::size_t i = 0; i < curve.size(); ++i) {
    EXPECT_NEAR(curve[i].first, 0.01 * i, 1e-5);
    EXPECT_NEAR(curve[i].second, std::sin(0.01 * i), 1e-5);
  }
}

}  // namespace
}  // namespace merva::test

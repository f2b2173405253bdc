// merva95.exe as a user meets it: start-up with and without settings, the
// hand-over to a running copy, the command line, document windows, the
// closing sequence, the About box and the macro dialog. The program is
// driven by menu commands and the hand-off messages; its boxes are found
// among the windows of its process.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "harness/merva_program.h"

namespace merva::test {
namespace {

constexpr DWORD START_MS = 20000;
constexpr DWORD BOX_MS = 10000;
constexpr char TOO_MANY_WINDOWS[] =
    "Too many document windows are already open.  Close one or more windows and try again.";

using Merva = MervaProgram;

class App : public MervaTest {};

std::string MenuText(HMENU menu, UINT id) {
  char text[128] = {};
  GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
  return text;
}

TEST_F(App, StartsWithoutSettingsAndWritesThemAtExit) {
  ASSERT_FALSE(Exists(SettingsFile()));
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  EXPECT_EQ(WindowText(merva.frame).rfind("MERVA95", 0), 0u) << WindowText(merva.frame);
  EXPECT_EQ(DocumentCount(merva.frame), 1);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());

  // The program's menu, read from its resources (menus do not cross
  // processes under Wine).
  HMODULE resources = LoadLibraryExA(ProgramFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(resources, nullptr);
  HMENU menu = LoadMenuA(resources, "ROZAVA");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 9);
  EXPECT_EQ(MenuText(menu, 4096), "&New\tCtrl+N");
  EXPECT_EQ(MenuText(menu, 4097), "&Open...\tCtrl+O");
  EXPECT_EQ(MenuText(menu, 4099), "&Close\tCtrl+F4");
  EXPECT_EQ(MenuText(menu, 4108), "Resi&ze Arrays...");
  EXPECT_EQ(MenuText(menu, 4114), "E&xit\tAlt+F4");
  EXPECT_EQ(MenuText(menu, 4227), "&Redraw\tF9");
  EXPECT_EQ(MenuText(menu, 4229), "&Cascade\tShift+F5");
  EXPECT_EQ(MenuText(menu, 4243), "&About MERVA95...");
  DestroyMenu(menu);
  FreeLibrary(resources);
  // Save without curves does nothing: no dialog comes up.
  merva.Command(4101);
  merva.Command(4102);
  Sleep(500);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());

  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(merva.Ended(&code));
  EXPECT_EQ(code, 0u);
  const std::string settings = ReadFileBytes(SettingsFile());
  EXPECT_NE(settings.find("[Version]"), std::string::npos);
  EXPECT_NE(settings.find("version=2.0"), std::string::npos);
  EXPECT_NE(settings.find("[Position]"), std::string::npos);
  EXPECT_NE(settings.find("pos="), std::string::npos);
  EXPECT_NE(settings.find("[Styles]"), std::string::npos);
  EXPECT_NE(settings.find("Maximized="), std::string::npos);
}

// Registered clipboard formats are global atoms: the program's four are
// there once it runs.
TEST_F(App, RegistersItsClipboardFormats) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  for (const char* name : {"MERVAW", "Link", "ObjectLink", "XlTable"})
    EXPECT_NE(GlobalFindAtomA(name), 0) << name;
}

TEST_F(App, SecondStartPlotsItsFileInTheFirst) {
  Merva first;
  ASSERT_TRUE(first.Start("/-logo"));
  const int before = DocumentCount(first.frame);
  const std::string file = ExampleCopy("EX01.GRF", "second.grf");
  auto second = StartProgram(ProgramFile(), "\"" + file + "\"");
  ASSERT_NE(second.pid, 0u);
  DWORD code = 99;
  ASSERT_TRUE(second.WaitExit(START_MS, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(WaitUntil([&] { return SomeDocumentTitled(first.frame, "second"); }, BOX_MS));
  EXPECT_EQ(DocumentCount(first.frame), before + 1);
  EXPECT_EQ(FindWindowOfProcess(second.pid, "MERVA/W"), nullptr);
  EXPECT_TRUE(DialogsOf(first.process.pid).empty());
}

TEST_F(App, CommandLineFileSwitchesAndSlashes) {
  const std::string file = ExampleCopy("EX02.GRF", "my plot.grf");
  {
    // Type 1 with a blank in the quoted name: the file opens.
    Merva merva;
    ASSERT_TRUE(merva.Start("/-logo /f=\"" + file + "\""));
    EXPECT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "my plot"); }, BOX_MS));
    EXPECT_EQ(DocumentCount(merva.frame), 1);  // into the empty first document
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
  }
  {
    // Type 12 reaches the reader with the whole name.
    Merva merva;
    ASSERT_TRUE(merva.Start("/f12=\"" + file + "\""));
    HWND box = WaitForDialog(merva.process.pid);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box),
              file + " cannot be read: file type 12 is not available in this version of MERVA95.");
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(DocumentCount(merva.frame), 1);
    EXPECT_FALSE(SomeDocumentTitled(merva.frame, "my plot"));
  }
  {
    // A plain name written with "/" opens with "\" in its place.
    std::string slashed = ExampleCopy("EX03.GRF", "slashed.grf");
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    Merva merva;
    ASSERT_TRUE(merva.Start(slashed));
    EXPECT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "slashed"); }, BOX_MS));
    EXPECT_EQ(DocumentCount(merva.frame), 1);
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
  }
}

TEST_F(App, EightWindowsAndTheNinthRefused) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  for (int i = 0; i < 7; ++i) merva.Command(4096);
  ASSERT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 8; }, BOX_MS));
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
  merva.Command(4096);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), TOO_MANY_WINDOWS);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(DocumentCount(merva.frame), 8);
  // A file handed over now has no window to go to either.
  const std::string file = ExampleCopy("EX01.GRF", "ninth.grf");
  auto second = StartProgram(ProgramFile(), "\"" + file + "\"");
  ASSERT_TRUE(second.WaitExit(START_MS));
  box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), TOO_MANY_WINDOWS);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(DocumentCount(merva.frame), 8);
  EXPECT_FALSE(SomeDocumentTitled(merva.frame, "ninth"));
}

TEST_F(App, RecentFileOpensIntoTheEmptyActiveWindow) {
  const std::string file = ExampleCopy("EX04.GRF", "recent.grf");
  ASSERT_TRUE(WriteFileBytes(SettingsFile(), "[Files]\r\nOpen1=" + file + "\r\n"));
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  merva.Command(4110);
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "recent"); }, BOX_MS));
  EXPECT_EQ(DocumentCount(merva.frame), 1);
  // Once shown, the file's window is activated instead of opened again.
  merva.Command(4096);
  ASSERT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 2; }, BOX_MS));
  merva.Command(4110);
  Sleep(500);
  EXPECT_EQ(DocumentCount(merva.frame), 2);
  HWND client = FindChildWindow(merva.frame, "MDICLIENT", nullptr);
  ASSERT_NE(client, nullptr);
  HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
  EXPECT_NE(Lower(WindowText(active)).find("recent"), std::string::npos) << WindowText(active);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

TEST_F(App, OpenCommandReusesTheEmptyActiveWindow) {
  const std::string file = ExampleCopy("EX06.GRF", "opened.grf");
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  auto openFile = [&] {
    merva.Command(4097);
    HWND types = WaitForDialog(merva.process.pid);
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(WindowText(types), "Select File Type");
    ASSERT_TRUE(Answer(types, IDOK));
    HWND open = WaitForDialog(merva.process.pid);
    ASSERT_NE(open, nullptr);
    // The name field of the open dialog (a combo box, or an edit field).
    HWND name = GetDlgItem(open, 0x47C);
    if (!name) name = GetDlgItem(open, 0x480);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  openFile();
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "opened"); }, BOX_MS));
  EXPECT_EQ(DocumentCount(merva.frame), 1);
  // The active document holds curves now: the next file gets a window.
  openFile();
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 2; }, BOX_MS));
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

TEST_F(App, CancelledSavePromptKeepsTheProgramRunning) {
  const std::string file = ExampleCopy("EX05.GRF", "changed.grf");
  const std::string bytes = ReadFileBytes(file);
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);  // nothing changed yet: no prompt needed...
  ASSERT_TRUE(merva.Ended());                 // ...and the program ends

  ASSERT_TRUE(merva.Start("/-logo \"" + file + "\""));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "changed"); }, BOX_MS));
  merva.Command(4180);  // Filled Bars: the document changes
  Sleep(300);
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxText(box).find(" has changed.  Do you want to save the changes in a MERVA file?"),
            std::string::npos)
      << BoxText(box);
  ASSERT_TRUE(Answer(box, IDCANCEL));
  Sleep(500);
  EXPECT_TRUE(merva.process.Running());
  EXPECT_TRUE(IsWindow(merva.frame));
  EXPECT_TRUE(SomeDocumentTitled(merva.frame, "changed"));
  EXPECT_TRUE(IsWindowEnabled(merva.frame));

  merva.Command(4114);  // Exit, and this time the changes go
  box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Answer(box, IDNO));
  DWORD code = 99;
  ASSERT_TRUE(merva.Ended(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadFileBytes(file), bytes);
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("changed.grf"), std::string::npos);
}

TEST_F(App, AboutBoxOfTheLibrary) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  merva.Command(4243);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "About MERVA95");
  EXPECT_FALSE(IsWindowEnabled(merva.frame));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));
}

TEST_F(App, MissingMacroEditorIsNamed) {
  const std::string folder = TempDirectory() + "\\nomacros";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), (folder + "\\merva95.exe").c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileA(ProgramPath("app/KORV32.DLL").c_str(), (folder + "\\KORV32.DLL").c_str(), FALSE));
  ASSERT_FALSE(Exists(folder + "\\MVMAC95.EXE"));
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo", folder + "\\merva95.exe"));
  merva.Command(4109);
  HWND dialog = WaitForDialog(merva.process.pid);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(172, BN_CLICKED), 0);  // Edit/Create
  HWND box = WaitForDialog(merva.process.pid, dialog);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), "Cannot find " + folder + "\\MVMAC95.EXE");
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(IsWindow(dialog));  // the dialog stays for another choice
  ASSERT_TRUE(Answer(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));
}

}  // namespace
}  // namespace merva::test

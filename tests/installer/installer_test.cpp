// The setup program in a prefix of its own (tests/installer/check-installer.sh
// makes it and compares it before the install and after the removal): what
// a silent install puts where, the installed program at work, an upgrade,
// and the removal by the program's own "/uninstall".

#include <windows.h>
// shellapi.h and shlobj.h need windows.h first.
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "harness/merva_program.h"
#include "harness/raw_dde_client.h"

namespace merva::test {
namespace {

constexpr char WINDOWS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr DWORD SETUP_MS = 120000;

std::string Setup() {
  const char* setup = std::getenv("MERVA_SETUP");
  return setup ? setup : "";
}

std::string InstallFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE);
  return std::string(path) + "\\MERVA95";
}

std::string Installed(const std::string& name) { return InstallFolder() + "\\" + name; }

std::string Group() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE);
  return std::string(path) + "\\MERVA95";
}

std::string LibraryPath() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, MAX_PATH);
  return std::string(path) + "\\KORV32.DLL";
}

std::string Value(HKEY root, const std::string& key, const char* name = nullptr) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return "<none>";
  return value;
}

DWORD SharedCount() {
  DWORD count = 0, size = sizeof count;
  const std::string key = std::string(WINDOWS_KEY) + "\\SharedDLLs";
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), LibraryPath().c_str(), RRF_RT_REG_DWORD,
                   nullptr, &count, &size) != ERROR_SUCCESS)
    return 0;
  return count;
}

void SetSharedCount(DWORD count) {
  const std::string key = std::string(WINDOWS_KEY) + "\\SharedDLLs";
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), LibraryPath().c_str(), REG_DWORD, &count,
                  sizeof count);
}

void InstallSilently() {
  ASSERT_FALSE(Setup().empty()) << "MERVA_SETUP names no setup program";
  // /D= comes last and unquoted, blanks and all.
  StartedProcess setup = StartProgram(Setup(), "/S /D=" + InstallFolder());
  ASSERT_NE(setup.pid, 0u);
  DWORD code = 99;
  ASSERT_TRUE(setup.WaitExit(SETUP_MS, &code));
  EXPECT_EQ(code, 0u);
}

// Runs "/uninstall" of the installed program and answers Yes, then OK.
std::string Uninstall() {
  StartedProcess removal = StartProgram(Installed("merva95.exe"), "/uninstall");
  HWND question = WaitForDialog(removal.pid);
  if (!question || !Answer(question, IDYES)) return "<no question>";
  HWND report = WaitForDialog(removal.pid, question);
  if (!report) return "<no report>";
  const std::string text = BoxText(report);
  Answer(report, IDOK);
  removal.WaitExit(MERVA_START_MS);
  return text;
}

TEST(Install, SilentInstallPutsEveryPartWhereTheRemovalLooks) {
  InstallSilently();
  for (const char* file : {"merva95.exe", "EX01.GRF", "EX08.GRF", "help\\index.html"})
    EXPECT_TRUE(Exists(Installed(file))) << file;
  EXPECT_EQ(Exists(Installed("MVMAC95.EXE")), Exists(ProgramPath("macroeditor/mvmac95.exe")));
  EXPECT_TRUE(GetFileAttributesA(Installed("MACROS").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(Exists(LibraryPath()));
  EXPECT_EQ(SharedCount(), 1u);
  for (const char* link : {"MERVA95.lnk", "MERVA95 Help.lnk", "Uninstall MERVA95.lnk"})
    EXPECT_TRUE(Exists(Group() + "\\" + link)) << link;

  const std::string program = Installed("merva95.exe");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".grf"), "MERVAW");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\command"), "\"" + program + "\"");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\ddeexec"), "[FileOpen(\"%1\")]");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "MERVAW\\DefaultIcon"), program + ",1");
  const std::string entry = std::string(WINDOWS_KEY) + "\\Uninstall\\MERVA95";
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, entry, "UninstallString"), "\"" + program + "\" /uninstall");
  EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, std::string(WINDOWS_KEY) + "\\App Paths\\merva95.exe"),
            program);
}

TEST(Install, InstalledProgramAnswersOverDdeAndOpensAnExample) {
  MervaProgram merva;
  ASSERT_TRUE(merva.Start("", Installed("merva95.exe")));
  RawDdeClient client;
  ASSERT_TRUE(client.Connect("MERVAW", "ROZava"));
  EXPECT_EQ(client.Execute("[FileOpen(\"" + Installed("EX03.GRF") + "\")]") & 0x8000, 0x8000);
  EXPECT_TRUE(SomeDocumentTitled(merva.frame, "ex03"));
  client.Terminate();
}

TEST(Install, ThePlotFileAssociationOpensAFileThroughTheShell) {
  const std::string file = ExampleCopy("EX02.GRF", "SHELLOPEN.GRF");
  ASSERT_GT(reinterpret_cast<INT_PTR>(
                ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
            32);
  HWND frame = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        frame = FindWindowA("MERVA/W", nullptr);
        return frame && SomeDocumentTitled(frame, "shellopen");
      },
      MERVA_START_MS));
  DWORD pid = 0;
  if (frame) GetWindowThreadProcessId(frame, &pid);
  MervaProgram merva;  // closes what the shell started
  if (pid) merva.process = StartedProcess(pid, OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
  merva.frame = frame;
  DeleteFileA(file.c_str());
}

TEST(Install, AnUpgradeKeepsSettingsMacrosAndTheLibraryCount) {
  const std::string macro = Installed("MACROS\\MINE.MAC");
  ASSERT_TRUE(WriteFileBytes(macro, "MERVA/W Macro 1.1\r\n[FileNew()]\r\n"));
  const std::string settings = ReadFileBytes(SettingsFile());
  ASSERT_FALSE(settings.empty()) << "the program wrote no settings";
  InstallSilently();
  EXPECT_EQ(ReadFileBytes(macro), "MERVA/W Macro 1.1\r\n[FileNew()]\r\n");
  EXPECT_EQ(ReadFileBytes(SettingsFile()), settings);
  EXPECT_EQ(SharedCount(), 1u);
  DeleteFileA(macro.c_str());
}

TEST(Install, TheRemovalTakesWhatTheSetupPut) {
  EXPECT_EQ(Uninstall().rfind("MERVA95 has been removed.", 0), 0u);
  EXPECT_EQ(SharedCount(), 0u);
  EXPECT_FALSE(Exists(Group()));
  EXPECT_FALSE(Exists(Installed("help")));
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".grf"), "<none>");
}

// Run after the prefix comparison: a second program's use keeps the library.
TEST(SharedLibrary, AnotherProgramsCountKeepsTheLibrary) {
  InstallSilently();
  SetSharedCount(SharedCount() + 1);
  Uninstall();
  EXPECT_TRUE(Exists(LibraryPath()));
  EXPECT_EQ(SharedCount(), 1u);
}

}  // namespace
}  // namespace merva::test

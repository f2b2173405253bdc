// KUGetMERVAWindow and KUPlotMERVAFile against a stand-in frame program,
// with the registry's class-root keys set up per test.

#include <gtest/gtest.h>

#include <optional>

#include "dialog_driver.h"
#include "harness/wine_harness.h"
#include "korvlib/korv32.h"

namespace korv::test {
namespace {

using merva::test::ProgramPath;
using merva::test::StartedProcess;
using merva::test::StartProgram;
using merva::test::TempDirectory;
using merva::test::WaitUntil;
using merva::test::WindowText;
using merva::test::WriteFileBytes;

constexpr UINT WM_TEST_DISABLE = WM_APP + 1;

// Sets the default value of a class-root key for one test and puts back
// what was there before.
class ClassRootValue {
 public:
  ClassRootValue(const std::string& key, const std::string& value) : key_(key) {
    root_ = key.substr(0, key.find('\\'));
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, root_.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      rootExisted_ = true;
      RegCloseKey(existing);
    }
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      char old[1024] = {};
      LONG size = sizeof old;
      if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS)
        previous_ = std::string(old);
      RegCloseKey(existing);
    }
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                 static_cast<DWORD>(value.size()));
  }
  ~ClassRootValue() {
    if (!rootExisted_)
      RegDeleteTreeA(HKEY_CLASSES_ROOT, root_.c_str());
    else if (previous_)
      RegSetValueA(HKEY_CLASSES_ROOT, key_.c_str(), REG_SZ, previous_->c_str(),
                   static_cast<DWORD>(previous_->size()));
  }

 private:
  std::string key_, root_;
  bool rootExisted_ = false;
  std::optional<std::string> previous_;
};

// Hides a class-root key (renames it away) for one test.
class NoClassRootKey {
 public:
  explicit NoClassRootKey(const std::string& root) : root_(root) {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, root.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      RegCloseKey(existing);
      // Keep a copy to restore: the test prefix is shared with other tests.
      HKEY saved = nullptr;
      RegCreateKeyA(HKEY_CLASSES_ROOT, (root + ".korvsaved").c_str(), &saved);
      RegCopyTreeA(HKEY_CLASSES_ROOT, root.c_str(), saved);
      RegCloseKey(saved);
      RegDeleteTreeA(HKEY_CLASSES_ROOT, root.c_str());
      saved_ = true;
    }
  }
  ~NoClassRootKey() {
    if (!saved_) return;
    HKEY restored = nullptr;
    RegCreateKeyA(HKEY_CLASSES_ROOT, root_.c_str(), &restored);
    RegCopyTreeA(HKEY_CLASSES_ROOT, (root_ + ".korvsaved").c_str(), restored);
    RegCloseKey(restored);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (root_ + ".korvsaved").c_str());
  }

 private:
  std::string root_;
  bool saved_ = false;
};

std::string FramePath() { return ProgramPath("tests/wine/korv_test_frame.exe"); }

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// Ends a frame the library started, by its process id.
void EndFrameProcess(HWND frame) {
  const DWORD pid = ProcessOf(frame);
  if (!pid || pid == GetCurrentProcessId()) return;
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

class HandoffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
    directory_ = TempDirectory();
  }
  void TearDown() override {
    frame_.End();
    SetCurrentDirectoryA(savedDirectory_);
  }
  // The stand-in frame with the given switches.
  HWND StartFrame(const std::string& switches = "") {
    frame_ = StartProgram(FramePath(), switches);
    HWND window = nullptr;
    EXPECT_TRUE(
        WaitUntil([&] { return (window = FindWindowA("MERVA/W", nullptr)) != nullptr; }, 10000));
    return window;
  }
  std::string MakeFile(const std::string& name) {
    const std::string path = directory_ + "\\" + name;
    EXPECT_TRUE(WriteFileBytes(path, "MERVA plot\r\n"));
    return path;
  }

  std::string directory_;
  StartedProcess frame_;
  char savedDirectory_[MAX_PATH] = {};
  bool saved_ = GetCurrentDirectoryA(MAX_PATH, savedDirectory_) > 0;
};

// Runs `call` while a helper reads the message box it shows and presses
// `button`; the box's caption and text.
struct Box {
  std::string caption, text;
  bool shown = false;
};
template <typename Call>
Box WithMessageBox(int button, Call call) {
  Box box;
  DialogDriver driver([&](HWND dialog) {
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    box.caption = caption;
    box.text = MessageBoxText(dialog);
    Press(dialog, button);
  });
  call();
  box.shown = driver.Wait();
  return box;
}

TEST_F(HandoffTest, RunningFrameIsFound) {
  const HWND frame = StartFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(KUGetMERVAWindow(), frame);
}

TEST_F(HandoffTest, PlotsAFileOfARegisteredClient) {
  const std::string file = MakeFile("run1.grf");
  const ClassRootValue command("KorvTestClient\\shell\\open\\command",
                               "\"" + directory_ + "\\client.exe\" \"%1\"");
  const HWND frame = StartFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(KUPlotMERVAFile("KorvTestClient", "run1.grf"), 1);
  EXPECT_EQ(WindowText(frame), "requests=1 text=" + file + " lparam=0x10000");
}

TEST_F(HandoffTest, UnregisteredKeyUsesTheNameUnchanged) {
  MakeFile("run2.grf");
  const std::string other = directory_ + "\\sub";
  CreateDirectoryA(other.c_str(), nullptr);
  WriteFileBytes(other + "\\run2.grf", "x");
  const HWND frame = StartFrame();
  ASSERT_NE(frame, nullptr);
  {
    // An earlier call of a registered client leaves nothing behind.
    const ClassRootValue command("KorvTestClient\\shell\\open\\command", other + "\\client.exe");
    EXPECT_EQ(KUPlotMERVAFile("KorvTestClient", "run2.grf"), 1);
    EXPECT_EQ(WindowText(frame), "requests=1 text=" + other + "\\run2.grf lparam=0x10000");
  }
  SetCurrentDirectoryA(directory_.c_str());
  EXPECT_EQ(KUPlotMERVAFile("KorvNotRegistered", "run2.grf"), 1);
  // The receiver gets the whole path: its own folder is another.
  EXPECT_EQ(WindowText(frame), "requests=2 text=" + directory_ + "\\run2.grf lparam=0x10000");
  EXPECT_EQ(KUPlotMERVAFile(nullptr, (directory_ + "\\run2.grf").c_str()), 1);
  EXPECT_EQ(KUPlotMERVAFile("", "run2.grf"), 1);
}

TEST_F(HandoffTest, MissingFileIsReportedBeforeAnythingStarts) {
  const NoClassRootKey noMervaw("MERVAW");
  Box box = WithMessageBox(IDCANCEL, [&] {
    EXPECT_EQ(KUPlotMERVAFile(nullptr, (directory_ + "\\none.grf").c_str()), IDCANCEL);
  });
  ASSERT_TRUE(box.shown);
  EXPECT_EQ(box.caption, "KORV32");
  EXPECT_EQ(box.text, "Oops! " + directory_ + "\\none.grf does not exist.");
  box =
      WithMessageBox(IDOK, [&] { EXPECT_EQ(KUPlotMERVAFile(nullptr, directory_.c_str()), IDOK); });
  EXPECT_TRUE(box.shown);  // a folder is not a file
}

TEST_F(HandoffTest, ReplyCodesBecomeMessages) {
  const std::string file = MakeFile("run3.grf");
  struct Case {
    const char* reply;
    std::string text;
  } cases[] = {{"2", "MERVA is currently busy."},
               {"4", "File does not exist: " + file},
               {"0", "MERVA did not respond... contact author."}};
  for (const Case& test : cases) {
    ASSERT_NE(StartFrame(std::string("/reply=") + test.reply), nullptr);
    const Box box = WithMessageBox(IDCANCEL, [&] {
      EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), IDCANCEL) << test.reply;
    });
    EXPECT_TRUE(box.shown) << test.reply;
    EXPECT_EQ(box.caption, "KORV32");
    EXPECT_EQ(box.text, test.text);
    frame_.End();
  }
  // Other codes are returned as they are.
  for (const char* reply : {"3", "7"}) {
    ASSERT_NE(StartFrame(std::string("/reply=") + reply), nullptr);
    EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), std::atoi(reply));
    frame_.End();
  }
}

TEST_F(HandoffTest, DisabledFrameIsBusy) {
  const std::string file = MakeFile("run4.grf");
  const HWND frame = StartFrame();
  ASSERT_NE(frame, nullptr);
  SendMessageA(frame, WM_TEST_DISABLE, 0, 0);
  const Box box =
      WithMessageBox(IDOK, [&] { EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), IDOK); });
  EXPECT_EQ(box.text, "MERVA is currently busy.");
}

TEST_F(HandoffTest, StartsTheProgramOfTheAssociation) {
  const ClassRootValue command("MERVAW\\shell\\open\\command", "\"" + FramePath() + "\"");
  const HWND frame = KUGetMERVAWindow();
  ASSERT_NE(frame, nullptr);
  char className[32] = {};
  GetClassNameA(frame, className, sizeof className);
  EXPECT_STREQ(className, "MERVA/W");
  EndFrameProcess(frame);
}

TEST_F(HandoffTest, StartedProgramReceivesTheFile) {
  const std::string file = MakeFile("run5.grf");
  const ClassRootValue command("MERVAW\\shell\\open\\command", "\"" + FramePath() + "\"");
  EXPECT_EQ(KUPlotMERVAFile(nullptr, file.c_str()), 1);
  const HWND frame = FindWindowA("MERVA/W", nullptr);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WindowText(frame), "requests=1 text=" + file + " lparam=0x10000");
  EndFrameProcess(frame);
}

TEST_F(HandoffTest, ProgramThatCannotStart) {
  const ClassRootValue command("MERVAW\\shell\\open\\command", "Z:\\no\\such\\merva95.exe");
  HWND frame = reinterpret_cast<HWND>(1);
  const Box box = WithMessageBox(IDOK, [&] { frame = KUGetMERVAWindow(); });
  EXPECT_EQ(frame, nullptr);
  EXPECT_EQ(box.caption, "KORV32");
  EXPECT_EQ(box.text, "Error opening Z:\\no\\such\\merva95.exe /-logo");
}

TEST_F(HandoffTest, ProgramWithoutTheFrameWindow) {
  const std::string commandLine = "\"" + FramePath() + "\" /exit";
  const ClassRootValue command("MERVAW\\shell\\open\\command", commandLine);
  HWND frame = reinterpret_cast<HWND>(1);
  const Box box = WithMessageBox(IDCANCEL, [&] { frame = KUGetMERVAWindow(); });
  EXPECT_EQ(frame, nullptr);
  EXPECT_EQ(box.text, "Cannot find " + commandLine + " /-logo");
}

TEST_F(HandoffTest, OlderAssociationStartsItsOwnProgram) {
  const NoClassRootKey noMervaw("MERVAW");
  const ClassRootValue command("MERVA\\shell\\open\\command",
                               "\"" + FramePath() + "\" /class=MERVA");
  const HWND frame = KUGetMERVAWindow();
  ASSERT_NE(frame, nullptr);
  char className[32] = {};
  GetClassNameA(frame, className, sizeof className);
  EXPECT_STREQ(className, "MERVA");
  EndFrameProcess(frame);
}

TEST_F(HandoffTest, NoAssociationTriesTheDefaultProgram) {
  const NoClassRootKey noMervaw("MERVAW"), noMerva("MERVA");
  const Box box = WithMessageBox(IDOK, [&] { EXPECT_EQ(KUGetMERVAWindow(), nullptr); });
  // No MERVA95.EXE on the search path of the test prefix.
  EXPECT_EQ(box.text, "Error opening MERVA95.EXE /-logo");
}

TEST_F(HandoffTest, GotoUrlOpensADocument) {
  const std::string marker = directory_ + "\\opened.txt";
  ASSERT_TRUE(WriteFileBytes(directory_ + "\\open.bat", "@echo opened> \"" + marker + "\"\r\n"));
  EXPECT_TRUE(KUGotoURL((directory_ + "\\open.bat").c_str()));
  EXPECT_TRUE(WaitUntil(
      [&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000));
}

}  // namespace
}  // namespace korv::test

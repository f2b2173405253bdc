// Save As of data files through the dialogs: "File Format", the curve
// picker, the save dialog of the choice and the read-only refusal that
// returns to it.

#include <gtest/gtest.h>

#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "dialogs/plot_merva.h"
#include "files/plot_file_writer.h"

namespace merva::test {
namespace {

constexpr int IDM_SAVE_AS = 4102;
constexpr int IDM_COPY_DATA = 4116;
constexpr int IDC_FORMAT_FIRST = 160;

// Curve c: X = 1..2+c, Y = 100c + X.
bool WriteTwoCurves(const std::string& path) {
  PlotDocument d;
  SetCompiledDefaults(d);
  if (!Allocate(d, 4, 10).Ok()) return false;
  d.curveCount = 2;
  for (int c = 1; c <= 2; ++c) {
    d.pointCount[c] = 2 + c;
    for (int p = 1; p <= 2 + c; ++p) {
      d.X(c, p) = static_cast<float>(p);
      d.Y(c, p) = static_cast<float>(c * 100 + p);
    }
  }
  return WritePlotFile(d, path).Ok();
}

class ExportDialogs : public PlotMervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(m_.Start(WriteTwoCurves));
  }
  void TearDown() override {
    PlotMervaTest::TearDown();
    for (const std::string& path : {Path("two.txt"), Path("ro.csv")}) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  }
  static std::string Path(const char* name) { return TempDirectory() + "\\" + name; }
  DWORD Pid() const { return m_.Pid(); }

  // Save As, the format's button; true when the format dialog closed.
  bool ChooseFormat(int choice) {
    m_.Post(IDM_SAVE_AS);
    HWND format = WaitForDialogTitled(Pid(), "File Format");
    if (!format) return false;
    for (int n = 1; n <= 6; ++n)
      SendMessageA(GetDlgItem(format, IDC_FORMAT_FIRST + n - 1), BM_SETCHECK, n == choice, 0);
    Press(format, IDOK);
    return WaitUntil([&] { return !IsWindow(format); }, 5000);
  }
  // Types the name into the system's save dialog and presses Save.
  static bool EnterName(HWND save, const std::string& path) {
    HWND name = GetDlgItem(save, 1148);
    if (!name) name = GetDlgItem(save, 1152);
    if (name && GetDlgItem(name, 1001)) name = GetDlgItem(name, 1001);
    if (!name) name = FindChildWindow(save, "Edit", nullptr);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(save, IDOK);
    return true;
  }
};

TEST_F(ExportDialogs, AsciiAsksWhichCurveThenSavesIt) {
  ASSERT_TRUE(ChooseFormat(2));
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 2, "Which curve?"));
  HWND save = WaitForDialogTitled(Pid(), "Save Single Curve");
  ASSERT_TRUE(save);
  ASSERT_TRUE(EnterName(save, Path("two.txt")));
  ASSERT_TRUE(
      WaitUntil([&] { return Exists(Path("two.txt")) && DialogsOf(Pid()).empty(); }, 10000));
  Sleep(200);
  EXPECT_EQ(ReadFileBytes(Path("two.txt")), "4\r\n1,201\r\n2,202\r\n3,203\r\n4,204\r\n");
}

TEST_F(ExportDialogs, ReadOnlyFileReturnsToTheSaveDialog) {
  {
    HANDLE f = CreateFileA(Path("ro.csv").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "keep", 4, &written, nullptr);
    CloseHandle(f);
  }
  SetFileAttributesA(Path("ro.csv").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(ChooseFormat(3));
  HWND save = WaitForDialogTitled(Pid(), "Save CSV File");
  ASSERT_TRUE(save);
  ASSERT_TRUE(EnterName(save, Path("ro.csv")));
  // The system's dialog may ask whether to replace the file first.
  std::string text;
  HWND box = nullptr;
  for (int step = 0; step < 2 && text.find("read-only") == std::string::npos; ++step) {
    box = WaitForDialog(Pid(), IsWindow(save) ? save : nullptr);
    ASSERT_TRUE(box);
    text = BoxText(box);
    if (text.find("read-only") == std::string::npos) {
      ASSERT_TRUE(Answer(box, IDYES)) << text;
      box = nullptr;
    }
  }
  EXPECT_EQ(text, Path("ro.csv") + " is read-only.  Select a different filename.");
  ASSERT_TRUE(Answer(box, IDOK));
  HWND again = WaitForDialogTitled(Pid(), "Save CSV File");
  ASSERT_TRUE(again);
  Press(again, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return DialogsOf(Pid()).empty(); }, 5000));
  EXPECT_EQ(ReadFileBytes(Path("ro.csv")), "keep");
}

TEST_F(ExportDialogs, CopyAsksWhichCurve) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  m_.Post(IDM_COPY_DATA);
  ASSERT_TRUE(ChooseCurveInPicker(Pid(), 1, "Copy which curve?"));
  std::string text;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (!OpenClipboard(nullptr)) return false;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
          if (const char* at = static_cast<const char*>(GlobalLock(data))) {
            text = at;
            GlobalUnlock(data);
          }
        }
        CloseClipboard();
        return !text.empty();
      },
      5000));
  EXPECT_EQ(text,
            "  1.000000    \t  101.0000    \r\n  2.000000    \t  102.0000    \r\n"
            "  3.000000    \t  103.0000    \r\n");
}

}  // namespace
}  // namespace merva::test

// Printing and picture files of merva95.exe: the picture dimensions
// dialog, Save As Windows Metafile and Enhanced Metafile, a job on the
// PDF queue (tests/wine/printing/setup-printer.sh adds it) and a job
// cancelled in the abort dialog. The tests that need a printer skip
// when none is installed.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "harness/wine_harness.h"
#include "render/picture_export.h"
#include "render/print_layout.h"

namespace merva::test {
namespace {

constexpr int IDM_PRINT = 4105;
constexpr int IDM_SAVE_AS = 4102;
constexpr int IDM_COPY_DIMENSIONS = 4117;

HWND WaitDialog(DWORD pid, const char* title, DWORD ms = 10000) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = DialogOfProcess(pid, title)) != nullptr; }, ms, 20);
  return found;
}

std::string BoxText(HWND box) {
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

void SetField(HWND dialog, int id, const char* text) {
  SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The text of a control of another process (sent, not the cached caption).
std::string FieldText(HWND dialog, int id) {
  char text[256] = {};
  SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }

// "Plot MERVA File" to the running program, answered synchronously.
bool KUPlotFile(const std::string& path) {
  HWND frame = FindWindowA("MERVA/W", nullptr);
  const UINT message = RegisterWindowMessageA("Plot MERVA File");
  const ATOM atom = GlobalAddAtomA(path.c_str());
  const LRESULT result = SendMessageA(frame, message, atom, MAKELPARAM(0, 1));
  Sleep(1500);
  return frame && result != 0;
}

bool PrinterInstalled() {
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  return device[0] != '\0';
}

// The folder cups-pdf writes the jobs of this user to.
std::string PdfFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = std::string("Z:") + (home ? home : "/root") + "/PDF";
  for (char& c : folder)
    if (c == '/') c = '\\';
  return folder;
}

// The PDF files there with their write times (cups-pdf names a file after
// the job and replaces an older one of the same name).
std::vector<std::string> PdfFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((PdfFolder() + "\\*.pdf").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const unsigned long long time =
        (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    names.push_back(PdfFolder() + "\\" + data.cFileName + "|" + std::to_string(time));
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

// Pages of a PDF: the page objects ("/Type /Page", not "/Pages").
int PdfPageCount(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type"); at != std::string::npos;
       at = pdf.find("/Type", at + 5)) {
    std::size_t p = at + 5;
    while (p < pdf.size() && (pdf[p] == ' ' || pdf[p] == '\r' || pdf[p] == '\n')) ++p;
    if (pdf.compare(p, 5, "/Page") == 0 && (p + 5 >= pdf.size() || pdf[p + 5] != 's')) ++pages;
  }
  return pages;
}

uint16_t Word(const std::string& b, std::size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t Long(const std::string& b, std::size_t at) {
  return Word(b, at) | static_cast<uint32_t>(Word(b, at + 2)) << 16;
}

class Merva : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = ProgramPath("app/merva95.exe");
    if (!FileExists(program_)) GTEST_SKIP() << "merva95.exe is not built";
    if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA((std::string(windows) + "\\mervaw.ini").c_str());
  }
  void TearDown() override {
    if (process_.pid) {
      if (frame_) PostMessageA(frame_, WM_CLOSE, 0, 0);
      // Leave no box behind that would hold the close.
      for (int i = 0; i < 20 && process_.Running(); ++i) {
        if (HWND box = DialogOfProcess(process_.pid)) Press(box, IDNO);
        Sleep(100);
      }
      process_.End();
    }
  }
  void Start(const std::string& arguments) {
    process_ = StartProgram(program_, "/-logo " + arguments);
    ASSERT_NE(process_.pid, 0u);
    ASSERT_TRUE(WaitUntil(
        [&] { return (frame_ = FindWindowOfProcess(process_.pid, "MERVA/W")) != nullptr; }, 20000));
    Sleep(800);
  }
  std::string Example() { return ProgramPath("app/EX01.GRF"); }
  void Command(int id, LPARAM parameter = 0) {
    PostMessageA(frame_, WM_COMMAND, static_cast<WPARAM>(id), parameter);
  }
  // The picture dimensions dialog with four values; the message box text
  // when it refused them ("" when accepted).
  std::string SetDimensions(const char* mw, const char* mh, const char* bw, const char* bh) {
    Command(IDM_COPY_DIMENSIONS);
    HWND dialog = WaitDialog(process_.pid, "Picture Dimensions");
    if (!dialog) return "no dialog";
    SetField(dialog, 3530, mw);
    SetField(dialog, 3531, mh);
    SetField(dialog, 3532, bw);
    SetField(dialog, 3533, bh);
    Press(dialog, IDOK);
    std::string text;
    HWND box = nullptr;
    WaitUntil(
        [&] {
          box = DialogOfProcess(process_.pid);
          return !IsWindow(dialog) || (box && box != dialog);
        },
        5000);
    if (IsWindow(dialog)) {
      box = DialogOfProcess(process_.pid);
      if (box && box != dialog) {
        text = BoxText(box);
        Press(box, IDOK);
        WaitUntil([&] { return !IsWindow(box); }, 5000);
      }
      Press(dialog, IDCANCEL);
      WaitUntil([&] { return !IsWindow(dialog); }, 5000);
      if (text.empty()) text = "dialog stayed";
    }
    return text;
  }
  // Save As with a choice of the "File Format" dialog and a file name.
  bool SaveAs(int formatButton, const char* title, const std::string& path) {
    Command(IDM_SAVE_AS);
    HWND format = WaitDialog(process_.pid, "File Format");
    if (!format) return false;
    for (int id = 160; id <= 165; ++id)
      SendMessageA(GetDlgItem(format, id), BM_SETCHECK, id == formatButton, 0);
    Press(format, IDOK);
    HWND save = WaitDialog(process_.pid, title);
    if (!save) return false;
    // The name field of the system dialog: a combo box (explorer style) or an edit.
    HWND name = GetDlgItem(save, 1148);
    if (!name) name = GetDlgItem(save, 1152);
    if (name && GetDlgItem(name, 1001)) name = GetDlgItem(name, 1001);
    if (!name) name = FindChildWindow(save, "Edit", nullptr);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(save, IDOK);
    return WaitUntil([&] { return FileExists(path) && !DialogOfProcess(process_.pid); }, 15000);
  }

  std::string program_;
  StartedProcess process_;
  HWND frame_ = nullptr;
};

TEST_F(Merva, PictureDimensionsRefuseZeroAndUnreadableValues) {
  ASSERT_NO_FATAL_FAILURE(Start(""));
  EXPECT_EQ(SetDimensions("0", "4", "640", "480"), "All dimensions must be greater than 0.");
  EXPECT_EQ(SetDimensions("6", "4", "640", "-3"), "All dimensions must be greater than 0.");
  EXPECT_EQ(SetDimensions("six", "4", "640", "480"), "Out of range");
  EXPECT_EQ(SetDimensions("6", "4", "640", "48x"), "Out of range");
  EXPECT_EQ(SetDimensions("6", "4", "640", "480"), "");
  // Shown again in inches.
  Command(IDM_COPY_DIMENSIONS);
  HWND dialog = WaitDialog(process_.pid, "Picture Dimensions");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(FieldText(dialog, 3530), "6");
  EXPECT_EQ(FieldText(dialog, 3531), "4");
  EXPECT_EQ(FieldText(dialog, 3532), "640");
  Press(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

TEST_F(Merva, WindowsMetafileHasThePlaceableHeader) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  ASSERT_EQ(SetDimensions("6", "4", "640", "480"), "");
  const std::string path = TempDirectory() + "\\six_by_four.wmf";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(SaveAs(164, "Save Metafile", path));
  Sleep(300);
  const std::string bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 22u + 18u);
  const uint8_t expected[20] = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0,    0, 0, 0, 0,
                                0x87, 0x3B, 0xAF, 0x27, 0xEC, 0x09, 0, 0, 0, 0};
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(static_cast<uint8_t>(bytes[static_cast<std::size_t>(i)]), expected[i]) << i;
  EXPECT_EQ(Word(bytes, 20), 0x5711 ^ 15239 ^ 10159 ^ 2540);
  const PictureBox box = MetafileBox(15240, 10160, false);
  const auto header = PlaceableHeader(box);
  EXPECT_EQ(bytes.substr(0, 22), std::string(header.begin(), header.end()));
  // The recorded metafile follows: a disk metafile header of 9 words,
  // whose size in words covers the rest of the file.
  EXPECT_EQ(Word(bytes, 22), 1);
  EXPECT_EQ(Word(bytes, 24), 9);
  EXPECT_EQ(static_cast<std::size_t>(Long(bytes, 28)) * 2, bytes.size() - 22);
  // The last record is the end record (3 words, function 0).
  EXPECT_EQ(Long(bytes, bytes.size() - 6), 3u);
  EXPECT_EQ(Word(bytes, bytes.size() - 2), 0);
}

TEST_F(Merva, EnhancedMetafileHasFrameAndDescription) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  ASSERT_EQ(SetDimensions("6", "4.5", "640", "480"), "");
  const std::string path = TempDirectory() + "\\picture.emf";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(SaveAs(165, "Save Enhanced Metafile", path));
  Sleep(300);
  const std::string bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 100u);
  EXPECT_EQ(Long(bytes, 0), 1u);                        // EMR_HEADER
  EXPECT_EQ(Long(bytes, 40), 0x464D4520u);              // " EMF"
  EXPECT_EQ(static_cast<int32_t>(Long(bytes, 24)), 0);  // frame in 0.01 mm
  EXPECT_EQ(static_cast<int32_t>(Long(bytes, 28)), 0);
  EXPECT_EQ(static_cast<int32_t>(Long(bytes, 32)), 15240);
  EXPECT_EQ(static_cast<int32_t>(Long(bytes, 36)), 11430);
  const uint32_t count = Long(bytes, 60), offset = Long(bytes, 64);
  ASSERT_LE(static_cast<std::size_t>(offset) + count * 2, bytes.size());
  std::string description;
  for (uint32_t i = 0; i < count; ++i)
    description += static_cast<char>(Word(bytes, offset + 2 * i));
  const std::string title = "EX01.GRF";
  EXPECT_EQ(description, std::string("MERVA95\0", 8) + title + std::string("\0\0", 2));
}

// One PDF file more in the cups-pdf folder within the time; its bytes.
std::string WaitNewPdf(const std::vector<std::string>& before, DWORD ms) {
  std::string found;
  WaitUntil(
      [&] {
        for (const std::string& name : PdfFiles()) {
          bool old = false;
          for (const std::string& b : before) old = old || b == name;
          if (!old) {
            found = name;
            return true;
          }
        }
        return false;
      },
      ms, 200);
  if (found.empty()) return {};
  found = found.substr(0, found.rfind('|'));
  // cups-pdf writes the file in one go once the job has been converted.
  std::string bytes;
  WaitUntil(
      [&] {
        bytes = ReadFileBytes(found);
        return bytes.find("%%EOF") != std::string::npos;
      },
      20000, 200);
  return bytes;
}

TEST_F(Merva, PrintWithoutDialogGivesOnePagePdf) {
  if (!PrinterInstalled())
    GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh (CUPS with cups-pdf)";
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  const std::vector<std::string> before = PdfFiles();
  // As the hand-off asks: on the default printer, no dialog, no box.
  Command(IDM_PRINT, 1);
  const std::string pdf = WaitNewPdf(before, 60000);
  ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfFolder();
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_EQ(PdfPageCount(pdf), 1);
  EXPECT_EQ(DialogOfProcess(process_.pid), nullptr) << "a box after printing without a dialog";
}

TEST_F(Merva, PrintFileHandOffGivesOnePagePdf) {
  if (!PrinterInstalled())
    GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh (CUPS with cups-pdf)";
  const std::vector<std::string> before = PdfFiles();
  // "/p=": the "Print MERVA File" request to itself, printed without a dialog.
  ASSERT_NO_FATAL_FAILURE(Start("/p=" + Example()));
  const std::string pdf = WaitNewPdf(before, 60000);
  ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfFolder();
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(Merva, CopyPicturePutsMetafileBitmapAndPalette) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  ASSERT_EQ(SetDimensions("6", "4", "320", "200"), "");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  Command(4115);
  ASSERT_TRUE(WaitUntil([] { return IsClipboardFormatAvailable(CF_PALETTE) != 0; }, 10000));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE picture = GetClipboardData(CF_METAFILEPICT);
  ASSERT_TRUE(picture);
  const auto* p = static_cast<const METAFILEPICT*>(GlobalLock(picture));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->mm, MM_ANISOTROPIC);
  EXPECT_EQ(p->xExt, 15241);
  EXPECT_EQ(p->yExt, 10161);
  EXPECT_GT(GetMetaFileBitsEx(p->hMF, 0, nullptr), 100u);
  GlobalUnlock(picture);
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_TRUE(bitmap);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 320);
  EXPECT_EQ(info.bmHeight, 200);
  EXPECT_TRUE(GetClipboardData(CF_PALETTE));
  CloseClipboard();
}

TEST_F(Merva, ThreeDocumentsInTwoColumnsOnOnePage) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  for (const char* name : {"EX02.GRF", "EX03.GRF"}) {
    const std::string file = ProgramPath(std::string("app/") + name);
    if (!FileExists(file)) GTEST_SKIP() << name << " missing";
    ASSERT_EQ(KUPlotFile(file), true);
  }
  const std::vector<std::string> before = PdfFiles();
  Command(IDM_PRINT);
  HWND print = WaitDialog(process_.pid, "Print");
  ASSERT_TRUE(print);
  ASSERT_TRUE(GetDlgItem(print, 3550)) << "no Multiple Plots button";
  Press(print, 3550);
  HWND multiple = WaitDialog(process_.pid, "Multiple Plots");
  ASSERT_TRUE(multiple);
  int shown = 0;
  for (int id = 3510; id < 3518; ++id) {
    HWND box = GetDlgItem(multiple, id);
    if (!IsWindowVisible(box)) continue;
    // The first three open documents (the start-up window may be one).
    SendMessageA(box, BM_SETCHECK, ++shown <= 3 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  EXPECT_GE(shown, 3);
  for (int id = 3520; id <= 3522; ++id)
    SendMessageA(GetDlgItem(multiple, id), BM_SETCHECK, id == 3522, 0);
  SetField(multiple, 3523, "0.5");
  Press(multiple, IDOK);
  const std::string pdf = WaitNewPdf(before, 60000);
  ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfFolder();
  EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(Merva, PageSetupMarginsAndPrint) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  const int fields[4] = {3501, 3502, 3503, 3504};
  auto setup = [&](const char* const values[4], int button) -> std::string {
    Command(4107);
    HWND dialog = WaitDialog(process_.pid, "Page Setup");
    if (!dialog) return "no dialog";
    for (int i = 0; i < 4; ++i) SetField(dialog, fields[i], values[i]);
    Press(dialog, button);
    std::string text;
    WaitUntil([&] { return !IsWindow(dialog) || DialogOfProcess(process_.pid) != dialog; }, 5000);
    if (IsWindow(dialog)) {
      if (HWND box = DialogOfProcess(process_.pid); box && box != dialog) {
        text = BoxText(box);
        Press(box, IDOK);
        WaitUntil([&] { return !IsWindow(box); }, 5000);
      }
      Press(dialog, IDCANCEL);
      WaitUntil([&] { return !IsWindow(dialog); }, 5000);
    }
    return text;
  };
  const char* const bad[4] = {"1", "one", "1", "1"};
  EXPECT_EQ(setup(bad, IDOK), "Out of range");
  const char* const negative[4] = {"1", "1", "-1", "1"};
  EXPECT_EQ(setup(negative, IDOK), "Out of range");
  const char* const inch[4] = {"1", "1", "1", "1"};
  EXPECT_EQ(setup(inch, IDOK), "");
  Command(4107);
  HWND dialog = WaitDialog(process_.pid, "Page Setup");
  ASSERT_TRUE(dialog);
  for (int id : fields) EXPECT_EQ(FieldText(dialog, id), "1");
  Press(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  const std::vector<std::string> before = PdfFiles();
  Command(IDM_PRINT, 1);
  const std::string pdf = WaitNewPdf(before, 60000);
  ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfFolder();
  EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(Merva, DefaultPrinterEntryErrors) {
  char saved[512] = {};
  GetProfileStringA("windows", "device", "", saved, sizeof saved);
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  auto printWith = [&](const char* device) -> std::string {
    WriteProfileStringA("windows", "device", device);
    Command(IDM_PRINT, 1);
    HWND box = WaitDialog(process_.pid, "MERVA95", 5000);
    if (!box) return "";
    const std::string text = BoxText(box);
    Press(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
  };
  const std::string unreadable = printWith("OnlyAName");
  const std::string none = printWith("");
  WriteProfileStringA("windows", "device", saved[0] ? saved : nullptr);
  EXPECT_EQ(unreadable, "Error reading printer configuration from WIN.INI.");
  EXPECT_EQ(none, "No printer driver has been installed. Select Printers in Control Panel.");
}

TEST_F(Merva, PrinterPageWithOneInchMargins) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  std::string entry = device;
  const std::size_t a = entry.find(','), b = entry.find(',', a + 1);
  ASSERT_NE(b, std::string::npos) << entry;
  HDC dc = CreateDCA(entry.substr(a + 1, b - a - 1).c_str(), entry.substr(0, a).c_str(), nullptr,
                     nullptr);
  ASSERT_TRUE(dc) << entry;
  PrinterMetrics m{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                   GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  DeleteDC(dc);
  const PageRect r = PrintTargetRect(m, true, PageMargins{1, 1, 1, 1});
  EXPECT_EQ(r.left, m.pixelsPerInchX);
  EXPECT_EQ(r.top, m.pixelsPerInchY);
  EXPECT_EQ(r.right, m.horizontalResolution - m.pixelsPerInchX);
  EXPECT_EQ(r.bottom, m.verticalResolution - m.pixelsPerInchY);
  // The same at 600 dpi.
  const PrinterMetrics laser{600, 600, 4800, 6600};
  EXPECT_EQ(PrintTargetRect(laser, true, PageMargins{1, 1, 1, 1}),
            (PageRect{600, 600, 4200, 6000}));
  const auto cells = MultiplePlotCells(PageRect{0, 0, 4800, 6600}, laser, 3,
                                       MultiplePlotArrangement::TwoColumns, 0.5);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[2].left, 0);
  EXPECT_EQ(cells[2].top, cells[0].bottom + 300);
}

TEST_F(Merva, CancelledJobSaysPrintJobAborted) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  std::string message;
  // The job is short: catch its abort dialog, else try again.
  for (int attempt = 0; attempt < 5 && message.empty(); ++attempt) {
    Command(IDM_PRINT);
    HWND print = WaitDialog(process_.pid, "Print");
    ASSERT_TRUE(print) << "no print dialog";
    Press(print, IDOK);
    HWND abort = nullptr;
    WaitUntil(
        [&] {
          abort = DialogOfProcess(process_.pid, "MERVA95");
          return abort && GetDlgItem(abort, 3540);
        },
        10000, 1);
    if (abort && GetDlgItem(abort, 3540)) {
      EXPECT_EQ(WindowText(GetDlgItem(abort, 3540)), "Printing...");
      Press(abort, IDCANCEL);
    }
    HWND box = nullptr;
    WaitUntil(
        [&] {
          box = DialogOfProcess(process_.pid);
          return box && GetDlgItem(box, 0xFFFF) && !GetDlgItem(box, 3540);
        },
        5000);
    if (box && GetDlgItem(box, 0xFFFF)) {
      message = BoxText(box);
      Press(box, IDOK);
      WaitUntil([&] { return !IsWindow(box); }, 5000);
    }
  }
  EXPECT_EQ(message, "Print job aborted.");
  // The program goes on: the frame is enabled again.
  EXPECT_TRUE(IsWindowEnabled(frame_));
}

}  // namespace
}  // namespace merva::test

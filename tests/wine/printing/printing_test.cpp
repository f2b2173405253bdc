// Printing and picture files of merva95.exe: the picture dimensions
// dialog, Save As Windows Metafile and Enhanced Metafile, a job on the
// PDF queue (tests/wine/printing/setup-printer.sh adds it) and a job
// cancelled in the abort dialog while a held DDE answer keeps the job
// waiting; the plot frame of physical size mode on the page and in the
// metafiles. The tests that need a printer skip when none is installed.
// Pictures and the page for the outside readers of check-pictures.sh go
// to tests/wine/printing-pictures of the build.

#include <gtest/gtest.h>

#include <windows.h>
// winspool.h needs windows.h first.
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "harness/merva_program.h"
#include "harness/pdf_jobs.h"
#include "harness/raw_dde_client.h"
#include "render/picture_export.h"
#include "render/print_layout.h"

namespace merva::test {
namespace {

constexpr int IDM_PRINT = 4105;
constexpr int IDM_SAVE_AS = 4102;
constexpr int IDM_COPY_DIMENSIONS = 4117;

HWND WaitDialog(DWORD pid, const char* title, DWORD ms = 10000) {
  return WaitForDialogTitled(pid, title, ms, 20);
}

// "Plot MERVA File" to the running program, answered synchronously.
bool KUPlotFile(const std::string& path) {
  HWND frame = FindWindowA("MERVA/W", nullptr);
  const UINT message = RegisterWindowMessageA("Plot MERVA File");
  const ATOM atom = GlobalAddAtomA(path.c_str());
  const LRESULT result = SendMessageA(frame, message, atom, MAKELPARAM(0, 1));
  Sleep(1500);
  return frame && result != 0;
}

uint16_t Word(const std::string& b, std::size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t Long(const std::string& b, std::size_t at) {
  return Word(b, at) | static_cast<uint32_t>(Word(b, at + 2)) << 16;
}

constexpr int ACK = 0x8000;

// Where the printing tests leave pictures and a page for the outside
// readers of check-pictures.sh.
std::string PictureFolder() {
  const std::string folder = ProgramPath("tests/wine/printing-pictures");
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The longest horizontal and vertical runs of dark pixels of a picture
// played onto white: the width and height of a plot frame.
struct Runs {
  int width = 0;
  int height = 0;
};

template <typename Play>
Runs DarkRuns(int w, int h, Play play) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  Runs runs;
  if (!dc || !bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return runs;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  play(dc);
  GdiFlush();
  const auto* p = static_cast<const uint8_t*>(bits);
  std::vector<int> column(static_cast<std::size_t>(w), 0);
  for (int y = 0; y < h; ++y) {
    int row = 0;
    for (int x = 0; x < w; ++x) {
      const uint8_t* px = p + (static_cast<std::size_t>(y) * w + x) * 4;
      const bool dark = 299 * px[2] + 587 * px[1] + 114 * px[0] < 128 * 1000;
      row = dark ? row + 1 : 0;
      int& down = column[static_cast<std::size_t>(x)];
      down = dark ? down + 1 : 0;
      runs.width = std::max(runs.width, row);
      runs.height = std::max(runs.height, down);
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return runs;
}

// An enhanced metafile played at `dpi` pixels per inch of its frame.
Runs EnhancedMetafileRuns(const std::string& path, int dpi) {
  HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
  if (!emf) return {};
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(emf, sizeof header, &header);
  // The frame is in hundredths of a millimetre, 2540 to the inch.
  auto pixels = [dpi](LONG v) { return static_cast<int>(std::lround(v * dpi / 2540.0)); };
  const RECT target{pixels(header.rclFrame.left), pixels(header.rclFrame.top),
                    pixels(header.rclFrame.right), pixels(header.rclFrame.bottom)};
  const Runs runs = DarkRuns(target.right + 8, target.bottom + 8,
                             [&](HDC dc) { PlayEnhMetaFile(dc, emf, &target); });
  DeleteEnhMetaFile(emf);
  return runs;
}

// A placeable metafile (2540 units to the inch) played at `dpi`.
Runs PlaceableMetafileRuns(const std::string& bytes, int dpi) {
  if (bytes.size() <= 22) return {};
  const int box = static_cast<int16_t>(Word(bytes, 10)) + 1;  // the box's right
  HMETAFILE wmf = SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - 22),
                                    reinterpret_cast<const BYTE*>(bytes.data() + 22));
  if (!wmf) return {};
  const int side = static_cast<int>(std::lround(box * dpi / 2540.0));
  const Runs runs = DarkRuns(side + 8, side + 8, [&](HDC dc) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, box, box, nullptr);
    SetViewportExtEx(dc, side, side, nullptr);
    PlayMetaFile(dc, wmf);
  });
  DeleteMetaFile(wmf);
  return runs;
}

class Merva : public MervaTest {
 protected:
  void TearDown() override {
    merva_.Close();
    MervaTest::TearDown();
  }
  void Start(const std::string& arguments) {
    ASSERT_TRUE(merva_.Start("/-logo " + arguments, ProgramFile(), false));
    Sleep(500);
  }
  std::string Example() { return ProgramPath("app/EX01.GRF"); }
  // A conversation on the service topic, once the server is up.
  void Connect(RawDdeClient& client) {
    ASSERT_TRUE(WaitUntil([&] { return client.Connect("MERVAW", "ROZava"); }, 20000));
  }
  void Command(int id, LPARAM parameter = 0) {
    PostMessageA(merva_.frame, WM_COMMAND, static_cast<WPARAM>(id), parameter);
  }
  // The picture dimensions dialog with four values; the message box text
  // when it refused them ("" when accepted).
  std::string SetDimensions(const char* mw, const char* mh, const char* bw, const char* bh) {
    Command(IDM_COPY_DIMENSIONS);
    HWND dialog = WaitDialog(merva_.process.pid, "Picture Dimensions");
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
          box = DialogOfProcess(merva_.process.pid);
          return !IsWindow(dialog) || (box && box != dialog);
        },
        5000);
    if (IsWindow(dialog)) {
      box = DialogOfProcess(merva_.process.pid);
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
    HWND format = WaitDialog(merva_.process.pid, "File Format");
    if (!format) return false;
    for (int id = 160; id <= 165; ++id)
      SendMessageA(GetDlgItem(format, id), BM_SETCHECK, id == formatButton, 0);
    Press(format, IDOK);
    HWND save = WaitDialog(merva_.process.pid, title);
    if (!save) return false;
    // The name field of the system dialog: a combo box (explorer style) or an edit.
    HWND name = GetDlgItem(save, 1148);
    if (!name) name = GetDlgItem(save, 1152);
    if (name && GetDlgItem(name, 1001)) name = GetDlgItem(name, 1001);
    if (!name) name = FindChildWindow(save, "Edit", nullptr);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(save, IDOK);
    return WaitUntil([&] { return FileExists(path) && !DialogOfProcess(merva_.process.pid); },
                     15000);
  }

  MervaProgram merva_;
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
  HWND dialog = WaitDialog(merva_.process.pid, "Picture Dimensions");
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
  EXPECT_EQ(DialogOfProcess(merva_.process.pid), nullptr)
      << "a box after printing without a dialog";
}

TEST_F(Merva, PrintFileHandOffGivesOnePagePdf) {
  if (!PrinterInstalled())
    GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh (CUPS with cups-pdf)";
  const std::vector<std::string> before = PdfFiles();
  // "/p=": the "Print MERVA File" request to itself; the print dialog runs
  // on the document read.
  ASSERT_NO_FATAL_FAILURE(Start("/p=" + Example()));
  HWND print = WaitDialog(merva_.process.pid, "Print", 20000);
  ASSERT_TRUE(print) << "no print dialog";
  Press(print, IDOK);
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
  HWND print = WaitDialog(merva_.process.pid, "Print");
  ASSERT_TRUE(print);
  ASSERT_TRUE(GetDlgItem(print, 3550)) << "no Multiple Plots button";
  Press(print, 3550);
  HWND multiple = WaitDialog(merva_.process.pid, "Multiple Plots");
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
    HWND dialog = WaitDialog(merva_.process.pid, "Page Setup");
    if (!dialog) return "no dialog";
    for (int i = 0; i < 4; ++i) SetField(dialog, fields[i], values[i]);
    Press(dialog, button);
    std::string text;
    WaitUntil([&] { return !IsWindow(dialog) || DialogOfProcess(merva_.process.pid) != dialog; },
              5000);
    if (IsWindow(dialog)) {
      if (HWND box = DialogOfProcess(merva_.process.pid); box && box != dialog) {
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
  HWND dialog = WaitDialog(merva_.process.pid, "Page Setup");
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
    HWND box = WaitDialog(merva_.process.pid, "MERVA95", 5000);
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

// A message-only window of the test thread that a DDE server answers with
// a sent WM_DDE_ACK. While the thread takes no messages, a program that
// sends it that answer stands still.
struct HeldDdeClient {
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DDE_ACK) {
      auto* self = reinterpret_cast<HeldDdeClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      if (self && !self->server) self->server = reinterpret_cast<HWND>(wParam);
      GlobalDeleteAtom(LOWORD(lParam));
      GlobalDeleteAtom(HIWORD(lParam));
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HeldDdeClient() {
    WNDCLASSA c{};
    c.lpfnWndProc = Proc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "MervaHeldDdeClient";
    RegisterClassA(&c);
    window = CreateWindowA(c.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance,
                           nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~HeldDdeClient() {
    Release();
    if (server) PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
    DestroyWindow(window);
  }
  // A message sent to this thread waits.
  static bool Held() { return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; }
  // Takes the waiting message: the sender goes on.
  static void Release() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
  HWND window = nullptr;
  HWND server = nullptr;
};

struct PostSearch {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK AddProcessWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<PostSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid) search->windows.push_back(window);
  return TRUE;
}

// WM_DDE_INITIATE for "MERVAW"/"System" posted, as a broadcast would
// send it, to every top-level window of the process.
void PostDdeInitiate(DWORD pid, HWND client) {
  PostSearch search{pid, {}};
  EnumWindows(AddProcessWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.windows) {
    const ATOM service = GlobalAddAtomA("MERVAW"), topic = GlobalAddAtomA("System");
    PostMessageA(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client),
                 MAKELPARAM(service, topic));
  }
}

TEST_F(Merva, CancelledJobSaysPrintJobAborted) {
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  {
    RawDdeClient probe;
    ASSERT_NO_FATAL_FAILURE(Connect(probe));
  }
  // The job is held while the abort dialog is up: a DDE initiate posted
  // behind the print dialog's OK is taken from the queue by the job's own
  // message loop, and the program's answer, a sent acknowledgement, waits
  // for this thread. The cancel is posted meanwhile and read when the job
  // goes on.
  HeldDdeClient client;
  ASSERT_TRUE(client.window);
  Command(IDM_PRINT);
  HWND print = WaitDialog(merva_.process.pid, "Print", 20000);
  ASSERT_TRUE(print) << "no print dialog";
  Press(print, IDOK);
  PostDdeInitiate(merva_.process.pid, client.window);
  ASSERT_TRUE(WaitUntil(HeldDdeClient::Held, 30000, 1)) << "the job did not answer the initiate";
  HWND abort = DialogOfProcess(merva_.process.pid, "MERVA95");
  ASSERT_TRUE(abort && GetDlgItem(abort, 3540)) << "no abort dialog while the job is held";
  EXPECT_EQ(WindowText(GetDlgItem(abort, 3540)), "Printing...");
  // However long this thread waits, the job waits too.
  Sleep(300);
  EXPECT_TRUE(IsWindow(abort));
  Press(abort, IDCANCEL);
  HeldDdeClient::Release();
  EXPECT_TRUE(client.server) << "no acknowledgement";
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        box = DialogOfProcess(merva_.process.pid);
        return box && GetDlgItem(box, 0xFFFF) && !GetDlgItem(box, 3540);
      },
      60000))
      << "no box after the cancel";
  EXPECT_EQ(BoxText(box), "Print job aborted.");
  Press(box, IDOK);
  WaitUntil([&] { return !IsWindow(box); }, 5000);
  // The program goes on: the frame is enabled again.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva_.frame) != 0; }, 5000));
}

// Physical size mode: a frame of 6 by 4 inches, found as the longest dark
// runs of the pictures played at 200 pixels per inch.
TEST_F(Merva, PhysicalSizeFrameInMetafiles) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  RawDdeClient client;
  ASSERT_NO_FATAL_FAILURE(Connect(client));
  const std::string emf = PictureFolder() + "\\physical.emf";
  const std::string wmf = PictureFolder() + "\\physical.wmf";
  DeleteFileA(emf.c_str());
  DeleteFileA(wmf.c_str());
  ASSERT_EQ(client.Execute("[Size(1,6,4,0)]"), ACK);
  ASSERT_EQ(client.Execute("[FileSaveAs(6,\"" + emf + "\")]", 30000), ACK);
  ASSERT_EQ(client.Execute("[FileSaveAs(5,\"" + wmf + "\")]", 30000), ACK);
  const std::string bytes = ReadFileBytes(wmf);
  ASSERT_GT(bytes.size(), 22u);
  // The whole picture is 20320 units (8 inches) square.
  EXPECT_EQ(Word(bytes, 10), 20319);
  EXPECT_EQ(Word(bytes, 12), 20319);
  EXPECT_EQ(Word(bytes, 14), 2540);
  const Runs placeable = PlaceableMetafileRuns(bytes, 200);
  EXPECT_NEAR(placeable.width, 1200, 4);
  EXPECT_NEAR(placeable.height, 800, 4);
  const Runs enhanced = EnhancedMetafileRuns(emf, 200);
  EXPECT_NEAR(enhanced.width, 1200, 4);
  EXPECT_NEAR(enhanced.height, 800, 4);
  // Outside physical size mode the frame follows the picture dimensions.
  ASSERT_EQ(client.Execute("[Size(0,6,4,0)][SetMetafileDims(6,4.5)]"), ACK);
  const std::string plain = TempDirectory() + "\\fitted.wmf";
  DeleteFileA(plain.c_str());
  ASSERT_EQ(client.Execute("[FileSaveAs(5,\"" + plain + "\")]", 30000), ACK);
  const Runs fitted = PlaceableMetafileRuns(ReadFileBytes(plain), 200);
  EXPECT_GT(fitted.width, 600);
  EXPECT_LT(fitted.width, 1200);
}

// The pictures check-pictures.sh reads: the plot at 6 by 4.5 inches.
TEST_F(Merva, PicturesForOutsideReaders) {
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  RawDdeClient client;
  ASSERT_NO_FATAL_FAILURE(Connect(client));
  ASSERT_EQ(client.Execute("[SetMetafileDims(6,4.5)]"), ACK);
  for (const char* name : {"plot.emf", "plot.wmf"}) {
    const std::string path = PictureFolder() + "\\" + name;
    DeleteFileA(path.c_str());
    const bool enhanced = std::string(name).find(".emf") != std::string::npos;
    ASSERT_EQ(
        client.Execute("[FileSaveAs(" + std::string(enhanced ? "6" : "5") + ",\"" + path + "\")]",
                       30000),
        ACK);
    EXPECT_GT(ReadFileBytes(path).size(), 1000u) << name;
  }
}

// Makes the default printer's own settings 600 dpi (a prefix made before
// setup-printer.sh asked the queue for 600 dpi keeps the old ones).
bool DefaultPrinterAt600Dpi(const std::string& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) return false;
  bool done = false;
  const LONG size =
      DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()), nullptr, nullptr, 0);
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size));
    auto* mode = reinterpret_cast<DEVMODEA*>(buffer.data());
    if (DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()), mode, nullptr,
                            DM_OUT_BUFFER) == IDOK) {
      mode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
      mode->dmPrintQuality = 600;
      mode->dmYResolution = 600;
      PRINTER_INFO_9A info{mode};
      PRINTER_INFO_8A global{mode};
      done = SetPrinterA(printer, 9, reinterpret_cast<BYTE*>(&info), 0) ||
             SetPrinterA(printer, 8, reinterpret_cast<BYTE*>(&global), 0);
    }
  }
  ClosePrinter(printer);
  return done;
}

// The page check-pictures.sh measures: a 6 by 4 inch frame printed on the
// 600 dpi queue.
TEST_F(Merva, PhysicalSizeFrameOnPrintedPage) {
  const std::string page = PictureFolder() + "\\physical_page.pdf";
  DeleteFileA(page.c_str());
  if (!PrinterInstalled()) GTEST_SKIP() << "no printer: run tests/wine/printing/setup-printer.sh";
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  const std::string entry = device;
  const std::size_t a = entry.find(','), b = entry.find(',', a + 1);
  ASSERT_NE(b, std::string::npos) << entry;
  HDC dc = CreateDCA(entry.substr(a + 1, b - a - 1).c_str(), entry.substr(0, a).c_str(), nullptr,
                     nullptr);
  ASSERT_TRUE(dc) << entry;
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  DeleteDC(dc);
  if (dpiX != 600 || dpiY != 600) {
    // The driver keeps what it read in this process; the program started
    // below reads the new setting.
    EXPECT_TRUE(DefaultPrinterAt600Dpi(entry.substr(0, a)));
    std::printf("printer settings were %d x %d dpi, now 600 dpi\n", dpiX, dpiY);
  }
  ASSERT_NO_FATAL_FAILURE(Start("\"" + Example() + "\""));
  RawDdeClient client;
  ASSERT_NO_FATAL_FAILURE(Connect(client));
  const std::vector<std::string> before = PdfFiles();
  ASSERT_EQ(client.Execute("[Size(1,6,4,0)][FilePrint()]", 60000), ACK);
  const std::string pdf = WaitNewPdf(before, 60000);
  ASSERT_FALSE(pdf.empty()) << "no new PDF in " << PdfFolder();
  EXPECT_EQ(PdfPageCount(pdf), 1);
  EXPECT_TRUE(WriteFileBytes(page, pdf));
}

}  // namespace
}  // namespace merva::test

// merva95.exe's frame window from the outside: context help (Shift+F1 and
// F1, pages opened through the shell by a stand-in browser that records
// them), menu hints in the status bar, the menus' grey items and check
// marks, dropped files, the closing sequence with other top-level windows
// open, and the removal procedure. A hook library loaded into merva95
// reads its menus and drops files on its frame: menus and drop handles do
// not leave their process under Wine.

#include <windows.h>
// objbase.h and shlobj.h need windows.h first.
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "files/win32/system_settings.h"
#include "harness/merva_program.h"
#include "harness/raw_dde_client.h"

namespace merva::test {
namespace {

constexpr DWORD START_MS = 20000;
constexpr DWORD BOX_MS = 10000;

// Presses and releases keys through the system's input, as a user would:
// the program's keyboard hook reads the real key state.
void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Keys go to the foreground window's thread.
bool Foreground(HWND window) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      BOX_MS);
}

// The hook library inside a running merva95.
class Probe {
 public:
  ~Probe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (module_) FreeLibrary(module_);
  }
  // The folder the library uses; set before merva95 starts (it inherits it).
  static std::string Folder() {
    static const std::string folder = [] {
      const std::string f = TempDirectory() + "\\probe";
      CreateDirectoryA(f.c_str(), nullptr);
      SetEnvironmentVariableA("MERVA_PROBE_DIR", f.c_str());
      return f;
    }();
    return folder;
  }
  bool Attach(HWND frame) {
    frame_ = frame;
    module_ = LoadLibraryA(ProgramPath("tests/wine/app_test_probe.dll").c_str());
    if (!module_) return false;
    auto proc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, "ProbeHook")));
    if (!proc) return false;
    hook_ =
        SetWindowsHookExA(WH_GETMESSAGE, proc, module_, GetWindowThreadProcessId(frame, nullptr));
    return hook_ != nullptr;
  }
  bool Request(WPARAM request, LPARAM parameter = 0) {
    const std::string done = Folder() + "\\done.txt";
    DeleteFileA(done.c_str());
    PostMessageA(frame_, RegisterWindowMessageA("merva95 test probe"), request, parameter);
    return WaitUntil([&] { return Exists(done); }, BOX_MS);
  }

  struct Item {
    UINT flags = 0;
    std::string text;
    bool present = false;
  };
  // Every menu item of the frame's menu bar by its identifier.
  std::map<UINT, Item> Menu() {
    std::map<UINT, Item> items;
    if (!Request(1)) return items;
    std::istringstream in(ReadFileBytes(Folder() + "\\menu.txt"));
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      UINT id = 0, flags = 0;
      fields >> id >> flags;
      std::string text;
      std::getline(fields, text);
      if (!text.empty() && text.front() == ' ') text.erase(0, 1);
      items[id] = Item{flags, text, true};
    }
    return items;
  }
  bool Drop(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += name + "\r\n";
    if (!WriteFileBytes(Folder() + "\\drop.txt", list)) return false;
    return Request(2);
  }
  bool SelectPopup(int which) { return Request(3, which); }

 private:
  HWND frame_ = nullptr;
  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
};

struct Merva : MervaProgram {
  HWND StatusBar() const { return FindChildWindow(frame, "MERVASTATUS", nullptr); }
  std::string Hint() const { return WindowText(StatusBar()); }
  bool Start(const std::string& arguments, const std::string& exe = ProgramFile()) {
    Probe::Folder();
    return MervaProgram::Start(arguments, exe);
  }
};

class Shell : public MervaTest {};

// Help pages go to the recorder instead of a browser while a test runs:
// ".html" names a file class of the test's own, removed afterwards.
class HelpPages {
 public:
  HelpPages() {
    log_ = TempDirectory() + "\\pages.txt";
    DeleteFileA(log_.c_str());
    char old[256] = {};
    LONG size = sizeof old;
    hadOld_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS;
    old_ = old;
    const std::string command =
        "\"" + ProgramPath("tests/wine/app_page_recorder.exe") + "\" \"" + log_ + "\" \"%1\"";
    ok_ = RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, CLASS, 0) == ERROR_SUCCESS &&
          RegSetValueA(HKEY_CLASSES_ROOT, (std::string(CLASS) + "\\shell\\open\\command").c_str(),
                       REG_SZ, command.c_str(), 0) == ERROR_SUCCESS;
  }
  ~HelpPages() {
    if (hadOld_)
      RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, old_.c_str(), 0);
    else
      RegDeleteKeyA(HKEY_CLASSES_ROOT, ".html");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, CLASS);
  }
  bool Ready() const { return ok_; }
  // The pages opened so far, file names only, in lower case.
  std::vector<std::string> Opened() const {
    std::vector<std::string> pages;
    std::istringstream in(ReadFileBytes(log_));
    for (std::string line; std::getline(in, line);) {
      while (!line.empty() && (line.back() == '\r' || line.back() == '"')) line.pop_back();
      const std::size_t slash = line.find_last_of("\\/");
      pages.push_back(Lower(slash == std::string::npos ? line : line.substr(slash + 1)));
    }
    return pages;
  }
  bool WaitForPages(std::size_t count) const {
    return WaitUntil([&] { return Opened().size() >= count; }, BOX_MS);
  }

 private:
  static constexpr char CLASS[] = "MervaTestPage";
  std::string log_;
  std::string old_;
  bool hadOld_ = false;
  bool ok_ = false;
};

TEST_F(Shell, HelpModeOpensTheChosenCommandsPageInsteadOfRunningIt) {
  HelpPages pages;
  ASSERT_TRUE(pages.Ready());
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  ASSERT_TRUE(Foreground(merva.frame));

  // F1 without a context: the index.
  PressKeys({VK_F1});
  ASSERT_TRUE(pages.WaitForPages(1));
  EXPECT_EQ(pages.Opened().back(), "index.html");

  // Shift+F1, then New: its page opens and no window is made.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_SHIFT, VK_F1});
  Sleep(300);
  merva.Command(4096);
  ASSERT_TRUE(pages.WaitForPages(2));
  EXPECT_EQ(pages.Opened().back(), "4096.html");
  Sleep(300);
  EXPECT_EQ(DocumentCount(merva.frame), 1);
  // Help mode ended with that choice: New runs now.
  merva.Command(4096);
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 2; }, BOX_MS));
  EXPECT_EQ(pages.Opened().size(), 2u);

  // Escape ends help mode without a page.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_SHIFT, VK_F1});
  Sleep(300);
  PressKeys({VK_ESCAPE});
  Sleep(300);
  merva.Command(4229);  // Cascade runs
  Sleep(300);
  EXPECT_EQ(pages.Opened().size(), 2u);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());

  // The tool bar's help tool, then its Open button: Open's page.
  HWND tools = FindChildWindow(merva.frame, "MERVATOOL", nullptr);
  ASSERT_NE(tools, nullptr);
  auto click = [&](int button) {
    PostMessageA(tools, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(tools, button)));
  };
  click(25);
  Sleep(300);
  click(2);
  ASSERT_TRUE(pages.WaitForPages(3));
  EXPECT_EQ(pages.Opened().back(), "4097.html");
  Sleep(300);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());  // no file-type dialog

  // The Help menu.
  merva.Command(4240);
  merva.Command(4241);
  merva.Command(4242);
  ASSERT_TRUE(pages.WaitForPages(6));
  // Each page has a browser of its own: they may note them in any order.
  std::vector<std::string> opened = pages.Opened();
  ASSERT_EQ(opened.size(), 6u);
  std::sort(opened.begin() + 3, opened.end());
  EXPECT_EQ(opened[3], "howto.html");
  EXPECT_EQ(opened[4], "index.html");
  EXPECT_EQ(opened[5], "index.html");

  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(merva.Ended());
}

TEST_F(Shell, F1InADialogOpensItsCommandsPage) {
  HelpPages pages;
  ASSERT_TRUE(pages.Ready());
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  merva.Command(4097);  // Open: the file-type dialog
  HWND types = WaitForDialog(merva.process.pid);
  ASSERT_NE(types, nullptr);
  ASSERT_TRUE(Foreground(types));
  PressKeys({VK_F1});
  ASSERT_TRUE(pages.WaitForPages(1));
  EXPECT_EQ(pages.Opened().back(), "4097.html");
  // Shift+F1 does not start help mode while a dialog is open.
  ASSERT_TRUE(Foreground(types));
  PressKeys({VK_SHIFT, VK_F1});
  Sleep(300);
  EXPECT_TRUE(IsWindow(types));
  ASSERT_TRUE(Answer(types, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));
  merva.Command(4096);
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 2; }, BOX_MS));
  // Back in the frame, F1 has no context again.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_F1});
  ASSERT_TRUE(pages.WaitForPages(2));
  EXPECT_EQ(pages.Opened().back(), "index.html");
  EXPECT_EQ(pages.Opened().size(), 2u);
}

TEST_F(Shell, MissingHelpPagesAreNamed) {
  HelpPages pages;
  ASSERT_TRUE(pages.Ready());
  const std::string folder = TempDirectory() + "\\nohelp";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), (folder + "\\merva95.exe").c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileA(ProgramPath("app/KORV32.DLL").c_str(), (folder + "\\KORV32.DLL").c_str(), FALSE));
  CreateDirectoryA((folder + "\\help").c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(folder + "\\help\\index.html", "<html></html>"));
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo", folder + "\\merva95.exe"));
  // A command without a page of its own: the index.
  merva.Command(4243);
  HWND about = WaitForDialog(merva.process.pid);
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(Foreground(about));
  PressKeys({VK_F1});
  ASSERT_TRUE(pages.WaitForPages(1));
  EXPECT_EQ(pages.Opened().back(), "index.html");
  ASSERT_TRUE(Answer(about, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));
  // A page that is not there is named, and nothing opens.
  merva.Command(4242);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), "Cannot find " + folder + "\\help\\howto.html");
  ASSERT_TRUE(Answer(box, IDOK));
  Sleep(300);
  EXPECT_EQ(pages.Opened().size(), 1u);
}

TEST_F(Shell, HelpSearchOpensThePageTitledByItsKeyword) {
  HelpPages pages;
  ASSERT_TRUE(pages.Ready());
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  RawDdeClient client;
  ASSERT_TRUE(WaitUntil([&] { return client.Connect("MERVAW", "ROZava"); }, BOX_MS));
  // The topic the DDE "Help" item names, as it names it.
  EXPECT_EQ(client.Execute("[HelpSearch(\"\"Transferring MERVA data to other applications\"\")]"),
            0x8000);
  ASSERT_TRUE(pages.WaitForPages(1));
  EXPECT_EQ(pages.Opened().back(), "dde.html");
  // A title equal to the keyword before those that begin with it.
  EXPECT_EQ(client.Execute("[HelpSearch(\"print\")]"), 0x8000);
  ASSERT_TRUE(pages.WaitForPages(2));
  EXPECT_EQ(pages.Opened().back(), "4105.html");
  EXPECT_EQ(client.Execute("[HelpSearch(\"no such subject\")]"), 0x8000);
  ASSERT_TRUE(pages.WaitForPages(3));
  EXPECT_EQ(pages.Opened().back(), "index.html");
}

TEST_F(Shell, MenuHintsInTheStatusBar) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  ASSERT_NE(merva.StatusBar(), nullptr);
  Probe probe;
  ASSERT_TRUE(probe.Attach(merva.frame));
  auto select = [&](UINT item, UINT flags) {
    SendMessageA(merva.frame, WM_MENUSELECT, MAKEWPARAM(item, flags), 1);
  };
  select(4097, MF_HILITE);
  EXPECT_EQ(merva.Hint(), "Opens a file into the empty active window or a new window");
  select(4227, MF_HILITE);
  EXPECT_EQ(merva.Hint(), "Draws the active plot again");
  select(4243, MF_HILITE);
  EXPECT_EQ(merva.Hint(), "Shows the version of MERVA95");
  select(SC_CLOSE, MF_HILITE | MF_SYSMENU);
  EXPECT_EQ(merva.Hint(), "Closes the window");
  select(SC_RESTORE, MF_HILITE | MF_SYSMENU);
  EXPECT_EQ(merva.Hint(), "Restores the window to its normal size");
  // The pop-ups, with the program's own menu handles. The maximized
  // document's system menu comes first in the menu bar.
  HWND client = FindChildWindow(merva.frame, "MDICLIENT", nullptr);
  HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
  ASSERT_TRUE(IsZoomed(active));
  ASSERT_TRUE(probe.SelectPopup(0));
  EXPECT_EQ(merva.Hint(), "Moves, sizes or closes this document window");
  ASSERT_TRUE(probe.SelectPopup(1));
  EXPECT_EQ(merva.Hint(), "Opens, saves, prints and closes plots");
  ASSERT_TRUE(probe.SelectPopup(7));
  EXPECT_EQ(merva.Hint(), "Zooming, status bar, tool bar and redrawing");
  ASSERT_TRUE(probe.SelectPopup(9));
  EXPECT_EQ(merva.Hint(), "Help and the version of MERVA95");
  // Restored, the File menu is first.
  SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active), 0);
  Sleep(200);
  ASSERT_TRUE(probe.SelectPopup(0));
  EXPECT_EQ(merva.Hint(), "Opens, saves, prints and closes plots");
  ASSERT_TRUE(probe.SelectPopup(5));
  EXPECT_EQ(merva.Hint(), "Reads values from curves");
  ASSERT_TRUE(probe.SelectPopup(-1));
  EXPECT_EQ(merva.Hint(), "Moves, sizes or closes the MERVA95 window");
  // The menu closes: no hint.
  SendMessageA(merva.frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(merva.Hint(), "");

  // A real menu opened from the keyboard.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_MENU, 'F'});
  EXPECT_TRUE(WaitUntil([&] { return !merva.Hint().empty(); }, BOX_MS));
  const std::string opened = merva.Hint();
  EXPECT_TRUE(opened == "Opens, saves, prints and closes plots" ||
              opened == "Opens a new, empty document window")
      << opened;
  PressKeys({VK_ESCAPE});
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil([&] { return merva.Hint().empty(); }, BOX_MS)) << merva.Hint();
}

bool Grey(const Probe::Item& item) { return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0; }
bool Checked(const Probe::Item& item) { return (item.flags & MF_CHECKED) != 0; }

TEST_F(Shell, MenusGreyWithoutCurvesAndCheckTheSwitches) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  Probe probe;
  ASSERT_TRUE(probe.Attach(merva.frame));
  auto menu = probe.Menu();
  ASSERT_TRUE(menu[4096].present);
  EXPECT_EQ(menu[4096].text, "&New\tCtrl+N");
  EXPECT_FALSE(Grey(menu[4096]));
  EXPECT_FALSE(Grey(menu[4097]));
  EXPECT_FALSE(Grey(menu[4114]));  // Exit
  // Without curves: nothing to save, view or fill.
  for (UINT id : {4101u, 4102u, 4201u, 4221u, 4222u, 4223u, 4145u})
    EXPECT_TRUE(Grey(menu[id])) << id << " " << menu[id].text;
  // Curve editing needs curves; Edit Data can make the first one.
  for (UINT id : {4121u, 4123u, 4127u, 4129u, 4134u, 4139u, 4141u})
    EXPECT_TRUE(Grey(menu[id])) << id << " " << menu[id].text;
  EXPECT_FALSE(Grey(menu[4122]));
  EXPECT_TRUE(Grey(menu[4116]));   // Copy data values: no curve to copy
  EXPECT_FALSE(Grey(menu[4120]));  // Insert Link
  // The settings' switches and the document's.
  EXPECT_TRUE(Checked(menu[4224]));  // status bar
  EXPECT_TRUE(Checked(menu[4166]));  // linear X - linear Y
  for (UINT id = 4167; id <= 4178; ++id) EXPECT_FALSE(Checked(menu[id])) << id;
  EXPECT_FALSE(Checked(menu[4148]));  // date
  EXPECT_FALSE(Checked(menu[4180]));  // filled bars

  // A plot: the curve commands come alive.
  const std::string file = ExampleCopy("EX01.GRF", "greying.grf");
  const auto handOver = StartProgram(ProgramFile(), "\"" + file + "\"");
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "greying"); }, BOX_MS));
  Sleep(300);
  menu = probe.Menu();
  for (UINT id : {4101u, 4102u, 4201u, 4221u, 4222u, 4145u})
    EXPECT_FALSE(Grey(menu[id])) << id << " " << menu[id].text;
  for (UINT id : {4121u, 4123u, 4127u, 4128u, 4129u, 4130u, 4131u, 4132u, 4134u, 4141u})
    EXPECT_FALSE(Grey(menu[id])) << id << " " << menu[id].text;
  EXPECT_FALSE(Grey(menu[4116]));
  EXPECT_TRUE(Grey(menu[4223]));  // Zoom Out: no view stored yet

  ASSERT_TRUE(merva.Send(4174));  // scale M, a bar chart
  ASSERT_TRUE(merva.Send(4182));  // grid lines
  ASSERT_TRUE(merva.Send(4180));  // filled bars
  ASSERT_TRUE(merva.Send(4148));  // date
  ASSERT_TRUE(merva.Send(4224));  // status bar off
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
  menu = probe.Menu();
  EXPECT_TRUE(Checked(menu[4174]));
  for (UINT id = 4166; id <= 4178; ++id) {
    if (id == 4174) continue;
    EXPECT_FALSE(Checked(menu[id])) << id;
  }
  EXPECT_TRUE(Checked(menu[4182]));
  EXPECT_FALSE(Checked(menu[4181]));
  EXPECT_FALSE(Checked(menu[4183]));
  EXPECT_TRUE(Checked(menu[4180]));
  EXPECT_TRUE(Checked(menu[4148]));
  EXPECT_FALSE(Checked(menu[4224]));
  EXPECT_FALSE(IsWindowVisible(merva.StatusBar()));

  // Back to the empty first window: the curve commands grey again, its
  // own switches show.
  HWND client = FindChildWindow(merva.frame, "MDICLIENT", nullptr);
  for (HWND window : DocumentWindows(merva.frame))
    if (Lower(WindowText(window)).find("greying") == std::string::npos)
      SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  Sleep(300);
  merva.Send(4227);  // any command refreshes the menus
  menu = probe.Menu();
  for (UINT id : {4101u, 4102u, 4221u}) EXPECT_TRUE(Grey(menu[id])) << id << " " << menu[id].text;
  EXPECT_TRUE(Checked(menu[4166]));
  EXPECT_FALSE(Checked(menu[4170]));
  EXPECT_FALSE(Checked(menu[4148]));  // the date stamp is each document's own switch
}

TEST_F(Shell, DroppedFilesOpenInOrderOnlyWhileTheFrameIsEnabled) {
  const std::string first = ExampleCopy("EX02.GRF", "dropped one.grf");
  const std::string second = ExampleCopy("EX03.GRF", "dropped two.grf");
  const std::string missing = TempDirectory() + "\\no such plot.grf";
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  Probe probe;
  ASSERT_TRUE(probe.Attach(merva.frame));
  ASSERT_TRUE(probe.Drop({first, second}));
  ASSERT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 3; }, BOX_MS));
  auto titles = [&] {
    std::string all;
    for (const std::string& title : DocumentTitles(merva.frame)) all += "[" + title + "]";
    return all;
  };
  EXPECT_TRUE(WaitUntil(
      [&] {
        return SomeDocumentTitled(merva.frame, "dropped one") &&
               SomeDocumentTitled(merva.frame, "dropped two");
      },
      BOX_MS))
      << titles();
  EXPECT_EQ(DocumentCount(merva.frame), 3);
  HWND client = FindChildWindow(merva.frame, "MDICLIENT", nullptr);
  HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
  EXPECT_NE(Lower(WindowText(active)).find("dropped two"), std::string::npos);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());

  // A file that cannot be read is reported; the next one still opens.
  ASSERT_TRUE(probe.Drop({missing, first}));
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Lower(BoxText(box)).find("no such plot"), std::string::npos) << BoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 4; }, BOX_MS));
  Sleep(300);
  EXPECT_FALSE(SomeDocumentTitled(merva.frame, "no such plot")) << titles();

  // A CSV file goes to the column reader, which asks for its columns.
  const std::string csv = TempDirectory() + "\\dropped three.csv";
  ASSERT_TRUE(WriteFileBytes(csv, "t,a,b\r\n0,1,2\r\n1,3,4\r\n2,5,6\r\n"));
  ASSERT_TRUE(probe.Drop({csv}));
  box = WaitForDialogTitled(merva.process.pid, "Specify Columns to Plot", BOX_MS);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 5; }, BOX_MS));

  // A minimized frame comes back for the dropped file.
  ShowWindow(merva.frame, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(merva.frame) != 0; }, BOX_MS));
  ASSERT_TRUE(probe.Drop({second}));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == 6; }, BOX_MS));
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(merva.frame) == 0; }, BOX_MS));

  // With a dialog open the frame is disabled: the drop is not taken.
  merva.Command(4243);
  box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  ASSERT_FALSE(IsWindowEnabled(merva.frame));
  ASSERT_TRUE(probe.Drop({second}));
  Sleep(500);
  EXPECT_EQ(DocumentCount(merva.frame), 6);
  ASSERT_TRUE(Answer(box, IDOK));
  Sleep(500);
  EXPECT_EQ(DocumentCount(merva.frame), 6);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

TEST_F(Shell, ClosingSequenceClosesTheOtherWindowsBeforeWritingTheSettings) {
  ASSERT_TRUE(WriteFileBytes(
      SettingsFile(), "[ToolBar]\r\nVisible=1\r\nStyle=2\r\nX=300\r\nY=200\r\nColumns=13\r\n"));
  const std::string closed = Probe::Folder() + "\\closed.txt";
  DeleteFileA(closed.c_str());
  const std::string file = ExampleCopy("EX05.GRF", "closing.grf");
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo \"" + file + "\""));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "closing"); }, BOX_MS));
  const std::vector<HWND> tools = TopLevelOf(merva.process.pid, "MERVATOOL");
  ASSERT_EQ(tools.size(), 1u);  // the floating tool window
  Probe probe;
  ASSERT_TRUE(probe.Attach(merva.frame));
  ASSERT_TRUE(probe.Request(4, 0));
  ASSERT_TRUE(probe.Request(4, 1));
  ASSERT_EQ(TopLevelOf(merva.process.pid, "MervaTestPopup").size(), 1u);
  HWND dialog = DialogOfProcess(merva.process.pid, "Test dialog");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(merva.Send(4180));  // the document changes

  // A refused save prompt: everything stays.
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(merva.process.pid, dialog);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxText(box).find("has changed"), std::string::npos) << BoxText(box);
  ASSERT_TRUE(Answer(box, IDCANCEL));
  Sleep(300);
  EXPECT_TRUE(merva.process.Running());
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(TopLevelOf(merva.process.pid, "MervaTestPopup").size(), 1u);
  EXPECT_TRUE(IsWindowVisible(tools[0]));
  EXPECT_FALSE(Exists(closed));

  // The tool window moves; then Exit, and the changes go.
  SetWindowPos(tools[0], nullptr, 320, 240, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(200);
  DeleteFileA(SettingsFile().c_str());
  merva.Command(4114);
  box = WaitForDialog(merva.process.pid, dialog);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Answer(box, IDNO));
  DWORD code = 99;
  ASSERT_TRUE(merva.Ended(&code));
  EXPECT_EQ(code, 0u);
  const std::vector<std::string> events = Lines(ReadFileBytes(closed));
  // Both were asked to close, as the user would, before the settings went.
  EXPECT_NE(std::find(events.begin(), events.end(), "popup-close before-settings"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "popup-destroy before-settings"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "dialog-cancel before-settings"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "dialog-destroy before-settings"),
            events.end());
  EXPECT_EQ(events.size(), 4u) << ReadFileBytes(closed);
  const std::string settings = ReadFileBytes(SettingsFile());
  EXPECT_NE(settings.find("[ToolBar]"), std::string::npos);
  EXPECT_NE(settings.find("X=0x0140"), std::string::npos);  // 320
  EXPECT_NE(settings.find("Y=0x00F0"), std::string::npos);  // 240
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(ProgramPath("app/EX05.GRF")));
}

TEST_F(Shell, SessionEndAsksTheDocumentsAndThenCloses) {
  const std::string file = ExampleCopy("EX06.GRF", "session.grf");
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo \"" + file + "\""));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "session"); }, BOX_MS));
  ASSERT_TRUE(merva.Send(4180));  // the document changes
  Probe probe;
  ASSERT_TRUE(probe.Attach(merva.frame));
  ASSERT_TRUE(probe.Request(4, 0));
  const std::string closed = Probe::Folder() + "\\closed.txt";
  DeleteFileA(closed.c_str());

  // The query shows the save prompt; Cancel keeps the session going.
  LRESULT answer = 99;
  std::thread query([&] { answer = SendMessageA(merva.frame, WM_QUERYENDSESSION, 0, 0); });
  HWND box = WaitForDialog(merva.process.pid);
  if (box) {
    EXPECT_NE(BoxText(box).find("has changed"), std::string::npos) << BoxText(box);
    Answer(box, IDCANCEL);
  }
  query.join();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(answer, FALSE);
  EXPECT_TRUE(merva.process.Running());
  EXPECT_TRUE(SomeDocumentTitled(merva.frame, "session"));

  // Asked again, No: the session may end, and the end closes everything
  // without asking again.
  answer = 99;
  std::thread again([&] { answer = SendMessageA(merva.frame, WM_QUERYENDSESSION, 0, 0); });
  box = WaitForDialog(merva.process.pid);
  if (box) Answer(box, IDNO);
  again.join();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(answer, TRUE);
  DeleteFileA(SettingsFile().c_str());
  SendMessageTimeoutA(merva.frame, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
  DWORD code = 99;
  ASSERT_TRUE(merva.Ended(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(Exists(SettingsFile()));
  const std::vector<std::string> events = Lines(ReadFileBytes(closed));
  EXPECT_NE(std::find(events.begin(), events.end(), "popup-close before-settings"), events.end())
      << ReadFileBytes(closed);
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(ProgramPath("app/EX06.GRF")));
}

TEST_F(Shell, RefusedPromptKeepsTheWindowsNotYetClosed) {
  const std::string first = ExampleCopy("EX01.GRF", "first.grf");
  const std::string second = ExampleCopy("EX02.GRF", "second.grf");
  const std::string third = ExampleCopy("EX03.GRF", "third.grf");
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo \"" + first + "\""));
  ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "first"); }, BOX_MS));
  for (const std::string& file : {second, third}) {
    auto handOver = StartProgram(ProgramFile(), "\"" + file + "\"");
    ASSERT_TRUE(handOver.WaitExit(START_MS));
  }
  ASSERT_TRUE(WaitUntil(
      [&] {
        return SomeDocumentTitled(merva.frame, "second") &&
               SomeDocumentTitled(merva.frame, "third");
      },
      BOX_MS));
  HWND client = FindChildWindow(merva.frame, "MDICLIENT", nullptr);
  for (HWND window : DocumentWindows(merva.frame))
    if (Lower(WindowText(window)).find("second") != std::string::npos)
      SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  Sleep(200);
  ASSERT_TRUE(merva.Send(4180));  // the second document changes

  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box).find("second"), 0u) << BoxText(box);
  ASSERT_TRUE(Answer(box, IDCANCEL));
  Sleep(500);
  EXPECT_TRUE(merva.process.Running());
  // The first was closed before the second refused; the third was not asked.
  EXPECT_FALSE(SomeDocumentTitled(merva.frame, "first"));
  EXPECT_TRUE(SomeDocumentTitled(merva.frame, "second"));
  EXPECT_TRUE(SomeDocumentTitled(merva.frame, "third"));
  EXPECT_EQ(DocumentCount(merva.frame), 2);
  EXPECT_TRUE(IsWindowEnabled(merva.frame));
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
}

TEST_F(Shell, CloseRequestWhileAModalBoxIsOpenIsRefused) {
  Merva merva;
  ASSERT_TRUE(merva.Start("/-logo"));
  merva.Command(4243);  // the About box
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  Sleep(800);
  EXPECT_TRUE(merva.process.Running());
  EXPECT_TRUE(IsWindow(merva.frame));
  EXPECT_TRUE(IsWindow(box) && IsWindowVisible(box));
  EXPECT_EQ(DocumentCount(merva.frame), 1);
  EXPECT_FALSE(Exists(SettingsFile()));
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(merva.Ended(&code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(Exists(SettingsFile()));
}

TEST_F(Shell, MacroShortcutKeysStartTheEditorWithTheirMacro) {
  // A copy of the program whose macro editor notes how it was started.
  const std::string folder = TempDirectory() + "\\shortcuts";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), (folder + "\\merva95.exe").c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileA(ProgramPath("app/KORV32.DLL").c_str(), (folder + "\\KORV32.DLL").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(ProgramPath("tests/wine/app_page_recorder.exe").c_str(),
                        (folder + "\\MVMAC95.EXE").c_str(), FALSE));
  const std::string log = folder + "\\started.txt";
  SetEnvironmentVariableA("MERVA_RECORDER_LOG", log.c_str());
  // Ctrl+Q is entry 12 of the shortcut list, Shift+F2 entry 30.
  ASSERT_TRUE(WriteFileBytes(SettingsFile(),
                             "[Macros]\r\nFIRST=1\r\nSECOND=1\r\n"
                             "[MacroShortcuts]\r\nFIRST=12\r\nSECOND=30\r\n"));
  Merva merva;
  const bool started = merva.Start("/-logo", folder + "\\merva95.exe");
  SetEnvironmentVariableA("MERVA_RECORDER_LOG", nullptr);
  ASSERT_TRUE(started);
  auto runs = [&] { return Lines(ReadFileBytes(log)); };

  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_CONTROL, 'Q'});
  ASSERT_TRUE(WaitUntil([&] { return runs().size() == 1; }, BOX_MS));
  EXPECT_EQ(Lower(runs()[0]),
            Lower("\"" + folder + "\\MVMAC95.EXE\" /RUN " + folder + "\\MACROS\\FIRST.MAC"));
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_SHIFT, VK_F2});
  ASSERT_TRUE(WaitUntil([&] { return runs().size() == 2; }, BOX_MS));
  EXPECT_EQ(Lower(runs()[1]),
            Lower("\"" + folder + "\\MVMAC95.EXE\" /RUN " + folder + "\\MACROS\\SECOND.MAC"));
  // Keys of no shortcut start nothing.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_CONTROL, 'B'});
  PressKeys({VK_SHIFT, VK_F3});

  // Not while a box disables the frame.
  merva.Command(4243);
  HWND box = WaitForDialog(merva.process.pid);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Foreground(box));
  PressKeys({VK_CONTROL, 'Q'});
  Sleep(800);
  EXPECT_EQ(runs().size(), 2u);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(merva.frame) != 0; }, BOX_MS));

  // Not while a menu is open.
  ASSERT_TRUE(Foreground(merva.frame));
  PressKeys({VK_MENU, 'F'});
  ASSERT_TRUE(WaitUntil([&] { return !merva.Hint().empty(); }, BOX_MS));
  PressKeys({VK_CONTROL, 'Q'});
  Sleep(800);
  PressKeys({VK_ESCAPE});
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return merva.Hint().empty(); }, BOX_MS));
  EXPECT_EQ(runs().size(), 2u);
  EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
  PostMessageA(merva.frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(merva.Ended());
}

TEST_F(Shell, PreferenceFileFromTheCommandLine) {
  const std::string folder = TempDirectory() + "\\preferences";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "\\merva95.exe";
  ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(
      CopyFileA(ProgramPath("app/KORV32.DLL").c_str(), (folder + "\\KORV32.DLL").c_str(), FALSE));
  const std::string hidden = "[Flags]\r\nStatus Bar=0\r\n";
  const std::string shown = "[Flags]\r\nStatus Bar=1\r\n";
  ASSERT_TRUE(WriteFileBytes(folder + "\\hidden.set", hidden));
  ASSERT_TRUE(WriteFileBytes(folder + "\\shown.set", shown));
  {
    // A name with a drive is taken as it is.
    Merva merva;
    ASSERT_TRUE(merva.Start("/s " + folder + "\\hidden.set"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(merva.StatusBar()); }, BOX_MS));
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
    PostMessageA(merva.frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(merva.Ended());
  }
  DeleteFileA(SettingsFile().c_str());
  {
    // A plain name lies beside the program; a second start hands its
    // file to the running copy.
    Merva merva;
    ASSERT_TRUE(merva.Start("/s   hidden.set", exe));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(merva.StatusBar()); }, BOX_MS));
    auto second = StartProgram(exe, "/s shown.set");
    ASSERT_TRUE(second.WaitExit(START_MS));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(merva.StatusBar()) != 0; }, BOX_MS));
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
    PostMessageA(merva.frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(merva.Ended());
  }
}

TEST_F(Shell, IntroductionOpensTheExamplesAndTheNamedFile) {
  {
    Merva merva;
    ASSERT_TRUE(merva.Start("/intro"));
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (int n = 1; n <= 8; ++n)
            if (!SomeDocumentTitled(merva.frame, "ex0" + std::to_string(n))) return false;
          return true;
        },
        START_MS));
    EXPECT_EQ(DocumentCount(merva.frame), 8);
    EXPECT_TRUE(IsWindowEnabled(merva.frame));
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
    for (HWND window : DocumentWindows(merva.frame)) EXPECT_FALSE(IsZoomed(window));
    PostMessageA(merva.frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(merva.Ended());
  }
  {
    // The file asked for opens too; the examples take the other windows.
    const std::string file = ExampleCopy("EX04.GRF", "asked for.grf");
    Merva merva;
    ASSERT_TRUE(merva.Start("/intro \"" + file + "\""));
    ASSERT_TRUE(WaitUntil([&] { return SomeDocumentTitled(merva.frame, "asked for"); }, START_MS))
        << DialogsOf(merva.process.pid).size();
    Sleep(500);
    EXPECT_EQ(DocumentCount(merva.frame), 8);
    EXPECT_TRUE(DialogsOf(merva.process.pid).empty());
    for (int n = 2; n <= 8; ++n)
      EXPECT_TRUE(SomeDocumentTitled(merva.frame, "ex0" + std::to_string(n))) << n;
    PostMessageA(merva.frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(merva.Ended());
  }
}

constexpr char WINDOWS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char SESSION_KEY[] = "System\\CurrentControlSet\\Control\\Session Manager";

std::string Value(HKEY root, const std::string& key, const char* name = nullptr) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return "<none>";
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  const LONG result =
      RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS ? std::string(value) : "<none>";
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void SetValue(HKEY root, const std::string& key, const char* name, const std::string& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
      ERROR_SUCCESS);
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

// The shared library's reference count, -1 when it has none.
long SharedCount(const std::string& library) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(WINDOWS_KEY) + "\\SharedDLLs").c_str(), 0,
                    KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return -1;
  DWORD count = 0, size = sizeof count;
  const LONG result = RegQueryValueExA(handle, library.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&count), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS ? static_cast<long>(count) : -1;
}

void SetSharedCount(const std::string& library, DWORD count) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(WINDOWS_KEY) + "\\SharedDLLs").c_str(),
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(handle, library.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                 sizeof count);
  RegCloseKey(handle);
}

void DeleteSharedCount(const std::string& library) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(WINDOWS_KEY) + "\\SharedDLLs").c_str(), 0,
                    KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(handle, library.c_str());
  RegCloseKey(handle);
}

// The strings of the key's PendingFileRenameOperations; false without the value.
bool ReadPendingOperations(HKEY handle, std::vector<std::string>& strings) {
  std::vector<char> data(65536);
  DWORD size = static_cast<DWORD>(data.size());
  if (RegQueryValueExA(handle, "PendingFileRenameOperations", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return false;
  for (std::size_t at = 0; at < size;) {
    const std::string item(data.data() + at);
    strings.push_back(item);
    at += item.size() + 1;
  }
  return true;
}

// The files due to go at the next restart (source names of the pending
// operations with no target).
std::vector<std::string> PendingRemovals() {
  std::vector<std::string> names;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SESSION_KEY, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return names;
  std::vector<std::string> strings;
  if (ReadPendingOperations(handle, strings)) {
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2)
      if (strings[i + 1].empty() && !strings[i].empty()) names.push_back(Lower(strings[i]));
  }
  RegCloseKey(handle);
  return names;
}

bool Pending(const std::string& path) {
  for (const std::string& name : PendingRemovals())
    if (name.size() >= path.size() &&
        name.compare(name.size() - path.size(), path.size(), Lower(path)) == 0)
      return true;
  return false;
}

// The restart would remove the test's folders: those operations go again.
void ForgetPendingRemovals(const std::string& folder) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SESSION_KEY, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &handle) !=
      ERROR_SUCCESS)
    return;
  std::vector<std::string> strings;
  if (ReadPendingOperations(handle, strings)) {
    std::string kept;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
      if (strings[i].empty() || Lower(strings[i]).find(Lower(folder)) != std::string::npos)
        continue;
      kept += strings[i] + '\0' + strings[i + 1] + '\0';
    }
    if (kept.empty()) {
      RegDeleteValueA(handle, "PendingFileRenameOperations");
    } else {
      kept += '\0';
      RegSetValueExA(handle, "PendingFileRenameOperations", 0, REG_MULTI_SZ,
                     reinterpret_cast<const BYTE*>(kept.data()), static_cast<DWORD>(kept.size()));
    }
  }
  RegCloseKey(handle);
}

std::string SpecialFolder(int which) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, which, TRUE);
  return path;
}

bool MakeShortcut(const std::string& shortcut, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  link->SetPath(target.c_str());
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
    saved = SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

// An installed copy of the program in a folder of its own, with the
// entries an installation makes.
class Installation : public Shell {
 protected:
  void SetUp() override {
    Shell::SetUp();
    if (IsSkipped()) return;
    CoInitialize(nullptr);
    static int count = 0;
    folder_ = TempDirectory() + "\\install" + std::to_string(++count);
    CreateDirectoryA(folder_.c_str(), nullptr);
    program_ = folder_ + "\\merva95.exe";
    library_ = folder_ + "\\KORV32.DLL";
    ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), program_.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath("app/KORV32.DLL").c_str(), library_.c_str(), FALSE));
    ASSERT_TRUE(WriteFileBytes(folder_ + "\\MVMAC95.EXE", "stand-in"));
    for (int n = 1; n <= 8; ++n) {
      const std::string name = "EX0" + std::to_string(n) + ".GRF";
      ASSERT_TRUE(
          CopyFileA(ProgramPath("app/" + name).c_str(), (folder_ + "\\" + name).c_str(), FALSE));
    }
    CreateDirectoryA((folder_ + "\\help").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(folder_ + "\\help\\index.html", "<html></html>"));
    ASSERT_TRUE(WriteFileBytes(folder_ + "\\help\\4096.html", "<html></html>"));
    CreateDirectoryA((folder_ + "\\MACROS").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(folder_ + "\\MACROS\\MINE.MAC", "[FileNew()]\r\n"));
    ASSERT_TRUE(WriteFileBytes(SettingsFile(), "[Macros]\r\nMINE=1\r\n"));

    SetValue(HKEY_CLASSES_ROOT, ".grf", nullptr, "MERVAW");
    SetValue(HKEY_CLASSES_ROOT, "MERVAW", nullptr, "MERVA File");
    SetValue(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\command", nullptr, program_);
    SetValue(HKEY_LOCAL_MACHINE, UninstallKey(), "DisplayName", "MERVA95");
    SetValue(HKEY_LOCAL_MACHINE, UninstallKey(), "UninstallString",
             "\"" + program_ + "\" /uninstall");
    SetValue(HKEY_LOCAL_MACHINE, AppPathKey(), nullptr, program_);

    group_ = SpecialFolder(CSIDL_PROGRAMS) + "\\MERVA95";
    CreateDirectoryA(group_.c_str(), nullptr);
    desktop_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_TRUE(MakeShortcut(group_ + "\\MERVA95.lnk", program_));
    ASSERT_TRUE(MakeShortcut(group_ + "\\Macro editor.lnk", folder_ + "\\MVMAC95.EXE"));
    ASSERT_TRUE(MakeShortcut(desktop_ + "\\MERVA95 test.lnk", program_));
    // Someone else's shortcut, also in the group.
    ASSERT_TRUE(MakeShortcut(group_ + "\\Notes.lnk", WindowsFolder() + "\\notepad.exe"));
  }
  void TearDown() override {
    if (!folder_.empty()) {
      ForgetPendingRemovals(folder_);
      DeleteSharedCount(library_);
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKey().c_str());
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, AppPathKey().c_str());
      DeleteFileA((group_ + "\\Notes.lnk").c_str());
      DeleteFileA((group_ + "\\MERVA95.lnk").c_str());
      DeleteFileA((group_ + "\\Macro editor.lnk").c_str());
      RemoveDirectoryA(group_.c_str());
      DeleteFileA((desktop_ + "\\MERVA95 test.lnk").c_str());
      // What any start of the built program writes.
      RegDeleteTreeA(HKEY_CLASSES_ROOT, "MERVAW");
      RegisterFileAssociation(ProgramFile());
      CoUninitialize();
    }
    Shell::TearDown();
  }
  static std::string UninstallKey() { return std::string(WINDOWS_KEY) + "\\Uninstall\\MERVA95"; }
  static std::string AppPathKey() { return std::string(WINDOWS_KEY) + "\\App Paths\\merva95.exe"; }

  // Runs the removal and answers its question; the report, or "" when
  // the question was declined.
  std::string Remove(int answer) {
    StartedProcess removal = StartProgram(program_, "/uninstall");
    EXPECT_NE(removal.pid, 0u);
    HWND box = WaitForDialog(removal.pid);
    EXPECT_NE(box, nullptr);
    if (!box) return "<no box>";
    EXPECT_EQ(WindowText(box), "MERVA95 Uninstall");
    EXPECT_EQ(BoxText(box), "Remove MERVA95 and all of its components from this computer?");
    EXPECT_TRUE(Answer(box, answer));
    std::string report;
    if (answer == IDYES) {
      HWND done = WaitForDialog(removal.pid, box);
      EXPECT_NE(done, nullptr);
      if (!done) return "<no report>";
      EXPECT_EQ(WindowText(done), "MERVA95 Uninstall");
      report = BoxText(done);
      EXPECT_TRUE(Answer(done, IDOK));
    }
    DWORD code = 99;
    EXPECT_TRUE(removal.WaitExit(START_MS, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindWindowA("MERVA/W", nullptr), nullptr);
    return report;
  }
  // Gone now, or due to go at the restart.
  bool Going(const std::string& path) { return !Exists(path) || Pending(path); }

  std::string folder_, program_, library_, group_, desktop_;
};

TEST_F(Installation, DeclinedRemovalLeavesEverything) {
  SetSharedCount(library_, 1);
  EXPECT_EQ(Remove(IDNO), "");
  EXPECT_TRUE(Exists(program_));
  EXPECT_TRUE(Exists(library_));
  EXPECT_TRUE(Exists(folder_ + "\\EX01.GRF"));
  EXPECT_TRUE(Exists(folder_ + "\\help\\index.html"));
  EXPECT_TRUE(Exists(SettingsFile()));
  EXPECT_TRUE(Exists(group_ + "\\MERVA95.lnk"));
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".grf"), "MERVAW");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\command"), program_);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey()));
  EXPECT_EQ(SharedCount(library_), 1);
  EXPECT_FALSE(Pending(program_));
}

TEST_F(Installation, RemovalTakesWhatTheProgramInstalledAndKeepsTheRest) {
  SetSharedCount(library_, 2);  // another program uses the library too
  const std::string report = Remove(IDYES);
  EXPECT_EQ(report.rfind("MERVA95 has been removed.", 0), 0u) << report;
  EXPECT_EQ(report.find("could not be removed"), std::string::npos) << report;

  // The files installed beside the program.
  EXPECT_FALSE(Exists(folder_ + "\\MVMAC95.EXE"));
  for (int n = 1; n <= 8; ++n) EXPECT_FALSE(Exists(folder_ + "\\EX0" + std::to_string(n) + ".GRF"));
  EXPECT_FALSE(Exists(folder_ + "\\help"));
  EXPECT_TRUE(Going(program_));
  EXPECT_TRUE(Pending(folder_));  // the folder, once it is empty
  // The user's macros stay; the library stays for the other program.
  EXPECT_TRUE(Exists(folder_ + "\\MACROS\\MINE.MAC"));
  EXPECT_TRUE(Exists(library_));
  EXPECT_FALSE(Pending(library_));
  EXPECT_EQ(SharedCount(library_), 1);
  // Settings, association and the installer's entries.
  EXPECT_FALSE(Exists(SettingsFile()));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".grf"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "MERVAW"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey()));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, AppPathKey()));
  // The shortcuts to the program; someone else's keeps the group.
  EXPECT_FALSE(Exists(group_ + "\\MERVA95.lnk"));
  EXPECT_FALSE(Exists(group_ + "\\Macro editor.lnk"));
  EXPECT_FALSE(Exists(desktop_ + "\\MERVA95 test.lnk"));
  EXPECT_TRUE(Exists(group_ + "\\Notes.lnk"));
}

TEST_F(Installation, LastReferenceTakesTheLibraryAndAnotherCopysAssociationStays) {
  SetSharedCount(library_, 1);
  const std::string other = "C:\\Other\\merva95.exe";
  SetValue(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\command", nullptr, other);
  DeleteFileA((group_ + "\\Notes.lnk").c_str());
  const std::string report = Remove(IDYES);
  EXPECT_EQ(report.rfind("MERVA95 has been removed.", 0), 0u) << report;
  EXPECT_TRUE(Going(library_));
  EXPECT_EQ(SharedCount(library_), -1);
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".grf"), "MERVAW");
  EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "MERVAW\\shell\\open\\command"), other);
  EXPECT_FALSE(Exists(group_));  // nothing else was in it
}

TEST_F(Installation, NothingIsRemovedWhileACopyRuns) {
  Merva running;
  ASSERT_TRUE(running.Start("/-logo"));
  StartedProcess removal = StartProgram(program_, "/uninstall");
  ASSERT_NE(removal.pid, 0u);
  HWND box = WaitForDialog(removal.pid);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "MERVA95 Uninstall");
  EXPECT_EQ(BoxText(box), "Close MERVA95 before removing it.");
  ASSERT_TRUE(Answer(box, IDOK));
  DWORD code = 99;
  ASSERT_TRUE(removal.WaitExit(START_MS, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(Exists(program_));
  EXPECT_TRUE(Exists(folder_ + "\\EX01.GRF"));
  EXPECT_TRUE(Exists(group_ + "\\MERVA95.lnk"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey()));
  EXPECT_TRUE(running.process.Running());
  EXPECT_TRUE(DialogsOf(running.process.pid).empty());
  PostMessageA(running.frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(running.Ended());
}

}  // namespace
}  // namespace merva::test

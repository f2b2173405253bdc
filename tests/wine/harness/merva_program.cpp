#include "harness/merva_program.h"

#include <cctype>

namespace merva::test {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, sizeof folder);
  return folder;
}

std::string SettingsFile() { return WindowsFolder() + "\\mervaw.ini"; }

std::string ProgramFile() { return ProgramPath("app/merva95.exe"); }

std::string ExampleCopy(const std::string& example, const std::string& name) {
  const std::string target = TempDirectory() + "\\" + name;
  CopyFileA(ProgramPath("app/" + example).c_str(), target.c_str(), FALSE);
  return target;
}

namespace {

struct WindowList {
  DWORD pid;
  const char* className;  // any when null
  bool visibleOnly;
  std::vector<HWND> found;
};

bool ClassIs(HWND window, const char* className) {
  if (!className) return true;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == className;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
  auto* list = reinterpret_cast<WindowList*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == list->pid && ClassIs(window, list->className) &&
      (!list->visibleOnly || IsWindowVisible(window)))
    list->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  auto* list = reinterpret_cast<WindowList*>(data);
  if (ClassIs(window, list->className)) list->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelOf(DWORD pid, const char* className, bool visibleOnly) {
  WindowList list{pid, className, visibleOnly, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&list));
  return list.found;
}

std::vector<HWND> WaitForTopLevel(DWORD pid, const char* className, DWORD timeoutMs) {
  std::vector<HWND> found;
  WaitUntil(
      [&] {
        found = TopLevelOf(pid, className);
        return !found.empty();
      },
      timeoutMs);
  return found;
}

std::vector<HWND> DialogsOf(DWORD pid) { return TopLevelOf(pid, "#32770"); }

HWND WaitForDialog(DWORD pid, HWND except, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : DialogsOf(pid))
          if (window != except) {
            box = window;
            return true;
          }
        return false;
      },
      timeoutMs);
  return box;
}

std::vector<HWND> ChildrenOf(HWND parent, const char* className) {
  WindowList list{0, className, false, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&list));
  return list.found;
}

std::string BoxText(HWND box) {
  char text[2048] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

bool Answer(HWND box, int button) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, MERVA_BOX_MS);
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }

HWND WaitForDialogTitled(DWORD pid, const char* caption, DWORD timeoutMs, DWORD pollMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = DialogOfProcess(pid, caption)) != nullptr; }, timeoutMs, pollMs);
  return found;
}

std::string TakeBox(DWORD pid, const char* caption, int field) {
  HWND box = WaitForDialogTitled(pid, caption);
  if (!box) return "(no box " + std::string(caption) + ")";
  const std::string text = field ? FieldText(box, field) : BoxText(box);
  Answer(box, IDOK);
  return text;
}

::testing::AssertionResult ChooseCurveInPicker(DWORD pid, int curve, const char* prompt) {
  constexpr int PICK_PROMPT = 6800, PICK_LIST = 6801;
  HWND picker = WaitForDialogTitled(pid, "Select Curve");
  if (!picker) return ::testing::AssertionFailure() << "no curve picker";
  const std::string asked = FieldText(picker, PICK_PROMPT);
  SendDlgItemMessageA(picker, PICK_LIST, LB_SETCURSEL, static_cast<WPARAM>(curve - 1), 0);
  if (!Answer(picker, IDOK)) return ::testing::AssertionFailure() << "the picker stayed open";
  if (prompt && asked != prompt)
    return ::testing::AssertionFailure() << "the picker asked " << asked;
  return ::testing::AssertionSuccess();
}

void SetField(HWND dialog, int id, const std::string& text) {
  SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string FieldText(HWND dialog, int id) {
  char text[256] = {};
  SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void CheckButton(HWND dialog, int id, bool on) {
  SendDlgItemMessageA(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<HWND> DocumentWindows(HWND frame) { return ChildrenOf(frame, "MERVADOC"); }

int DocumentCount(HWND frame) { return static_cast<int>(DocumentWindows(frame).size()); }

std::vector<std::string> DocumentTitles(HWND frame) {
  std::vector<std::string> titles;
  for (HWND window : DocumentWindows(frame)) titles.push_back(Lower(WindowText(window)));
  return titles;
}

bool SomeDocumentTitled(HWND frame, const std::string& part) {
  for (const std::string& title : DocumentTitles(frame))
    if (title.find(Lower(part)) != std::string::npos) return true;
  return false;
}

bool MervaProgram::Start(const std::string& arguments, const std::string& exe,
                         bool waitForDocument) {
  process = StartProgram(exe, arguments);
  if (process.pid == 0) return false;
  if (!WaitUntil(
          [&] {
            frame = FindWindowOfProcess(process.pid, "MERVA/W");
            return frame && (!waitForDocument || DocumentCount(frame) >= 1);
          },
          MERVA_START_MS))
    return false;
  Sleep(300);  // the posted start-up messages
  return true;
}

void MervaProgram::Command(int id) const { PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool MervaProgram::Send(int id, DWORD timeoutMs) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, timeoutMs,
                             &result) != 0;
}

void MervaProgram::Close() {
  if (!process.pid) return;
  if (process.Running()) {
    if (frame) PostMessageA(frame, WM_CLOSE, 0, 0);
    for (int i = 0; i < 20 && process.Running(); ++i) {
      if (HWND box = DialogOfProcess(process.pid)) Press(box, IDNO);
      Sleep(100);
    }
  }
  process.End();
}

void MervaTest::SetUp() {
  if (!Exists(ProgramFile())) GTEST_SKIP() << "merva95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window already runs";
  DeleteFileA(SettingsFile().c_str());
}

void MervaTest::TearDown() { DeleteFileA(SettingsFile().c_str()); }

}  // namespace merva::test

// A frame window around the DDE server and the hand-off messages, for the
// end-to-end tests. Its title reports what it was asked to do:
// "messages=N opened=NAME print=N/LPARAM prefs=NAME menus=N".

#include <windows.h>

#include <string>

#include "automation/command_host.h"
#include "automation/win32/dde_server.h"
#include "automation/win32/handoff_messages.h"
#include "files/settings.h"

namespace {

using namespace merva;

constexpr UINT WM_TEST_DISABLE = WM_APP + 1;  // a modal dialog opens
constexpr UINT WM_TEST_ENABLE = WM_APP + 2;

HWND frame = nullptr;
int messageCount = 0, printCount = 0, printParameter = -1, menuCount = 0;
std::string openedName, preferenceName;

void UpdateTitle() {
  const std::string title = "messages=" + std::to_string(messageCount) + " opened=" + openedName +
                            " print=" + std::to_string(printCount) + "/" +
                            std::to_string(printParameter) + " prefs=" + preferenceName +
                            " menus=" + std::to_string(menuCount);
  SetWindowTextA(frame, title.c_str());
}

class TestHost : public CommandHost {
 public:
  TestHost() : settings(DefaultProgramSettings()) {}
  int Open(int curves = 20, int points = 200000) {
    Status status;
    const int slot = documents.Open(curves, points, status);
    if (slot) documents.currentDocument = slot;
    return slot;
  }
  DocumentTable& Documents() override { return documents; }
  ProgramSettings& Settings() override { return settings; }
  bool SendMenuCommand(int, long) override {
    ++menuCount;
    UpdateTitle();
    return true;
  }
  void PostMenuCommand(int) override {}
  void ActivateDocument(int slot) override { documents.currentDocument = slot; }
  void RedrawDocument(int slot) override { win32::PostDocumentAdvise(slot); }
  void DrawLastSegment(int, int) override {}
  bool FrameEnabled() override { return IsWindowEnabled(frame) != 0; }
  void EnableFrame(bool enable) override { EnableWindow(frame, enable); }
  void RefreshMenus() override {}
  void BringFrameToTop() override {}
  void CloseFrame() override { PostMessageA(frame, WM_CLOSE, 0, 0); }
  void ShowWindowState(int, WindowState) override {}
  int NewDocumentWindow() override { return Open(); }
  int OpenFileInNewWindow(const std::string& path, int) override {
    const int slot = Open();
    if (!slot) return 0;
    PlotDocument& d = documents.Document(slot);
    d.curveCount = 1;
    d.pointCount[1] = 0;
    win32::NameDocumentTopic(slot, path.substr(path.find_last_of("\\/") + 1));
    return slot;
  }
  int FileTypeOf(const std::string&) override { return 1; }
  int CloseDocumentWindow(int slot) override {
    documents.Close(slot);
    win32::DocumentTopicClosed(slot);
    for (int s = 1; s <= MAX_DOCUMENTS; ++s)
      if (documents.IsOpen(s)) return documents.currentDocument = s;
    return 0;
  }
  void DocumentRenamed(int slot) override { win32::RefreshDocumentTopic(slot); }
  void NameUnnamedDocument(int slot) override {
    win32::NameDocumentTopic(slot, documents.Document(slot).fileTitle.Str());
  }
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {
    ++messageCount;
    UpdateTitle();
  }
  void Say(const std::string& text) override { win32::SayText(text); }

  DocumentTable documents;
  ProgramSettings settings;
};

TestHost* host = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static win32::HandoffActions actions = [] {
    win32::HandoffActions a;
    a.openFiles = [](const HandoffRequest& request, LPARAM) {
      openedName = request.firstName.substr(request.firstName.find_last_of("\\") + 1);
      for (std::size_t i = 1; i < request.names.size(); ++i)
        openedName += "+" + request.names[i].substr(request.names[i].find_last_of("\\") + 1);
      UpdateTitle();
      return openedName.find("unreadable") == std::string::npos;
    };
    a.copyPicture = [](int slot) -> HBITMAP {
      DocumentTable& d = host->documents;
      const int s = slot == 0 ? d.currentDocument : slot;
      if (!d.IsOpen(s)) return nullptr;
      return win32::DefaultBitmapPicture(d.Document(s), 64, 48);
    };
    a.applyPreferences = [](const std::string& file) {
      preferenceName = file.substr(file.find_last_of("\\") + 1);
      UpdateTitle();
    };
    return a;
  }();
  LRESULT result = 0;
  if (win32::HandleHandoffMessage(window, message, wParam, lParam, actions, result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == 4105) {
        ++printCount;
        printParameter = static_cast<int>(lParam);
        UpdateTitle();
      }
      return 0;
    case WM_TEST_DISABLE:
      EnableWindow(window, FALSE);
      return 0;
    case WM_TEST_ENABLE:
      EnableWindow(window, TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  win32::RegisterHandoffMessages();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.lpszClassName = "MERVATESTFRAME";
  RegisterClassA(&wc);
  frame = CreateWindowA("MERVATESTFRAME", "starting", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                        nullptr, instance, nullptr);
  if (!frame) return 1;
  TestHost testHost;
  host = &testHost;
  testHost.Open();
  win32::DdeServerConfig config;
  config.frame = frame;
  config.host = &testHost;
  config.openDocumentWindow = [](int curves, int points) { return host->Open(curves, points); };
  if (!win32::StartDdeServer(config)) return 2;
  UpdateTitle();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  win32::StopDdeServer();
  return 0;
}

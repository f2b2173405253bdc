#include "app/app_host.h"

#include <windows.h>

#include "app/data_links.h"
#include "app/document_window.h"
#include "app/file_commands.h"
#include "app/help.h"
#include "app/macros.h"
#include "app/menu_dispatch.h"
#include "app/menu_state.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "app/tool_bar.h"
#include "app/ui_host.h"
#include "automation/command_host.h"
#include "automation/command_line.h"
#include "automation/parameter_cells.h"
#include "automation/win32/dde_server.h"

namespace merva::app {

namespace {

int ShowCommand(WindowState state) {
  switch (state) {
    case WindowState::Hide:
      return SW_HIDE;
    case WindowState::Maximize:
      return SW_MAXIMIZE;
    case WindowState::Minimize:
      return SW_MINIMIZE;
    case WindowState::Restore:
      return SW_RESTORE;
    case WindowState::Show:
      return SW_SHOW;
  }
  return SW_SHOW;
}

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Stop:
      return MB_ICONSTOP;
  }
  return MB_ICONEXCLAMATION;
}

class AppCommandHost : public CommandHost {
 public:
  DocumentTable& Documents() override { return app::Documents(); }
  ProgramSettings& Settings() override { return app::Settings(); }

  bool SendMenuCommand(int commandId, long messageParameter) override {
    return ExecuteMenuCommand(Frame(), commandId, static_cast<LPARAM>(messageParameter)) == 1;
  }
  void PostMenuCommand(int commandId) override {
    PostMessageA(Frame(), WM_COMMAND, static_cast<WPARAM>(commandId), 0);
  }
  void ActivateDocument(int slot) override { ActivateDocumentWindow(slot); }
  void RedrawDocument(int slot) override { app::RedrawDocument(slot); }
  void DrawLastSegment(int slot, int curve) override { DrawNewSegment(slot, curve); }
  bool FrameEnabled() override { return IsWindowEnabled(Frame()) != 0; }
  void EnableFrame(bool enable) override {
    EnableWindow(Frame(), enable);
    if (HWND floating = FloatingToolBar()) EnableWindow(floating, enable);
  }
  void RefreshMenus() override { app::RefreshMenus(); }
  void BringFrameToTop() override {
    if (IsIconic(Frame())) ShowWindow(Frame(), SW_RESTORE);
    SetForegroundWindow(Frame());
  }
  // Posted: the client gets its acknowledgement before the program ends.
  void CloseFrame() override { PostMessageA(Frame(), WM_CLOSE, 0, 0); }
  void ShowWindowState(int slot, WindowState state) override {
    HWND window = slot == 0 ? Frame() : SlotWindow(slot);
    if (!window) return;
    if (slot != 0 && state == WindowState::Maximize)
      SendMessageA(TheProgram().client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
    else if (slot != 0 && state == WindowState::Restore)
      SendMessageA(TheProgram().client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
    else
      ShowWindow(window, ShowCommand(state));
  }
  int NewDocumentWindow() override {
    return static_cast<int>(SendMessageA(Frame(), WM_MERVA_FIRST_DOCUMENT, 0, 0));
  }
  int OpenFileInNewWindow(const std::string& path, int fileType) override {
    // A command reads without the readers' dialogs, into a window of its own.
    int& commandMode = TheParameterCells().macroCommandActive;
    const int saved = commandMode;
    commandMode = 1;
    const int slot = OpenFiles({path}, fileType, 0, true);
    commandMode = saved;
    return slot;
  }
  int FileTypeOf(const std::string& path) override { return FileTypeOfPath(path); }
  int CloseDocumentWindow(int slot) override {
    app::CloseDocumentWindow(slot, false);
    return ActiveSlot();
  }
  void DocumentRenamed(int slot) override {
    win32::RefreshDocumentTopic(slot);
    if (HWND window = SlotWindow(slot))
      SetWindowTextA(window, app::Documents().Document(slot).fileTitle.Str().c_str());
  }
  void NameUnnamedDocument(int slot) override {
    if (app::Documents().IsOpen(slot))
      NameDocumentWindow(slot, app::Documents().Document(slot).fileTitle.Str());
  }
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
    Ui().Show(text, caption, IconFlags(icon));
  }
  bool MessagesShown() override { return Ui().MessagesEnabled(); }
  void SetMessagesShown(bool shown) override { Ui().SetMessagesEnabled(shown); }
  void Say(const std::string& text) override { win32::SayText(text); }
  bool ClipboardHasText() override { return IsClipboardFormatAvailable(CF_TEXT) != 0; }
  int LinkCount() override { return app::LinkCount(); }
  void HelpContext(int context) override { OpenHelpContext(context); }
  void HelpKeyword(const std::string& keyword) override { OpenHelpKeyword(keyword); }
  void ReloadMacros() override { LoadMacroShortcuts(); }
  void ShowStatusBar(bool visible) override { app::ShowStatusBar(visible); }
  void ArraysResized(int) override { RefreshStatusBar(); }
  void RebuildToolBar(bool visible, bool large) override { app::RebuildToolBar(visible, large); }
  void ArrangeDocuments(bool tile) override {
    SendMessageA(TheProgram().client, tile ? WM_MDITILE : WM_MDICASCADE,
                 tile ? MDITILE_VERTICAL : 0, 0);
  }

 private:
  static HWND Frame() { return TheProgram().frame; }
};

}  // namespace

CommandHost& TheCommandHost() {
  static AppCommandHost host;
  return host;
}

}  // namespace merva::app

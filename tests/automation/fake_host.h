#pragma once

// A program around the command language that records what it was asked.

#include <set>
#include <string>
#include <vector>

#include "automation/command_host.h"
#include "automation/command_interpreter.h"
#include "automation/menu_ids.h"
#include "files/settings.h"

namespace merva::test {

struct ShownMessage {
  std::string text;
  std::string caption;
};

class FakeHost : public CommandHost {
 public:
  FakeHost() {
    settings = DefaultProgramSettings();
    OpenDocument();
  }

  int OpenDocument(int curves = 10, int points = 1000) {
    Status status;
    const int slot = documents.Open(curves, points, status);
    if (slot) documents.currentDocument = slot;
    return slot;
  }

  DocumentTable& Documents() override { return documents; }
  ProgramSettings& Settings() override { return settings; }

  bool SendMenuCommand(int commandId, long parameter) override {
    menus.push_back(commandId);
    menuParameters.push_back(parameter);
    menuMacroActive.push_back(cells ? cells->macroCommandActive : -1);
    menuFirstCurves.push_back(cells ? cells->firstCurve : -1);
    menuMessagesShown.push_back(messagesShown);
    if (unavailable.count(commandId) != 0) return false;
    // The mode switch, as far as later commands look at it.
    if (commandId == MENU_DATA_PROCESS && cells && documents.currentDocument)
      documents.Document(documents.currentDocument).processMode = cells->processState;
    return true;
  }
  void PostMenuCommand(int commandId) override { posted.push_back(commandId); }
  void ActivateDocument(int slot) override {
    documents.currentDocument = slot;
    activated.push_back(slot);
  }
  void RedrawDocument(int slot) override { redraws.push_back(slot); }
  void DrawLastSegment(int slot, int curve) override { segments.push_back(slot * 1000 + curve); }
  bool FrameEnabled() override { return frameEnabled; }
  void EnableFrame(bool enable) override {
    frameEnabled = enable;
    enableCalls.push_back(enable);
  }
  void RefreshMenus() override { ++menuRefreshes; }
  void BringFrameToTop() override { ++broughtToTop; }
  void CloseFrame() override { ++frameClosed; }
  void ShowWindowState(int slot, WindowState state) override {
    windowStates.push_back({slot, state});
  }
  int NewDocumentWindow() override {
    const int slot = OpenDocument();
    newWindows.push_back(slot);
    return slot;
  }
  int OpenFileInNewWindow(const std::string& path, int fileType) override {
    opened.push_back(path);
    openedTypes.push_back(fileType);
    openMessagesShown.push_back(messagesShown);
    if (failOpen) return 0;
    const int slot = OpenDocument();
    if (slot) documents.Document(slot).fileTitle.Set(path);
    return slot;
  }
  int FileTypeOf(const std::string&) override { return detectedType; }
  int CloseDocumentWindow(int slot) override {
    documents.Close(slot);
    closed.push_back(slot);
    for (int s = 1; s <= MAX_DOCUMENTS; ++s)
      if (documents.IsOpen(s)) return s;
    return 0;
  }
  void DocumentRenamed(int slot) override { renamed.push_back(slot); }
  void NameUnnamedDocument(int slot) override { named.push_back(slot); }
  bool MessagesShown() override { return messagesShown; }
  void SetMessagesShown(bool shown) override {
    messagesShown = shown;
    messagesShownCalls.push_back(shown);
  }
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon) override {
    messages.push_back({text, caption});
  }
  void Say(const std::string& text) override { spoken.push_back(text); }
  bool ClipboardHasText() override { return clipboardText; }
  void HelpContext(int context) override { helpContexts.push_back(context); }
  void HelpKeyword(const std::string& keyword) override { helpKeywords.push_back(keyword); }
  void ShowStatusBar(bool visible) override {
    settings.statusBar = visible;
    statusBar.push_back(visible);
  }
  void RebuildToolBar(bool visible, bool large) override { toolBars.push_back({visible, large}); }
  void ArrangeDocuments(bool tile) override { arranged.push_back(tile); }
  void RebuildPalette() override { ++paletteRebuilds; }
  void ShowNoteButton(int, bool show) override { noteButton.push_back(show); }
  void ArraysResized(int slot) override { resized.push_back(slot); }
  int LinkCount() override { return links; }
  void ReloadMacros() override { ++macroReloads; }

  PlotDocument& Doc(int slot = 1) { return documents.Document(slot); }

  DocumentTable documents;
  ProgramSettings settings;
  ParameterCells* cells = nullptr;
  std::set<int> unavailable;
  bool frameEnabled = true;
  bool failOpen = false;
  bool clipboardText = false;
  bool messagesShown = true;
  int detectedType = 1;
  int links = 0;

  std::vector<int> resized;
  std::vector<int> menus, posted, activated, redraws, segments, newWindows, closed, renamed, named;
  std::vector<long> menuParameters;
  std::vector<int> menuMacroActive, menuFirstCurves;
  std::vector<bool> enableCalls, statusBar, arranged, noteButton, messagesShownCalls,
      menuMessagesShown, openMessagesShown;
  std::vector<std::pair<bool, bool>> toolBars;
  std::vector<std::pair<int, WindowState>> windowStates;
  std::vector<std::string> opened, spoken, helpKeywords;
  std::vector<int> openedTypes, helpContexts;
  std::vector<ShownMessage> messages;
  int menuRefreshes = 0, broughtToTop = 0, frameClosed = 0, paletteRebuilds = 0, macroReloads = 0;
};

// A host, the cells and one conversation bound to slot 1.
struct Session {
  Session() {
    host.cells = &cells;
    conversation.handle = 1;
    conversation.docSlot = 1;
  }
  int Run(const std::string& text) {
    return ExecuteCommandString(host, cells, &conversation, text);
  }
  FakeHost host;
  ParameterCells cells;
  Conversation conversation;
};

}  // namespace merva::test

// Commands on windows, files and the conversation's binding.

#include <string>

#include "automation/changed_curves.h"
#include "automation/command_arguments.h"
#include "automation/command_handlers.h"
#include "files/settings.h"

namespace merva::commands {

namespace {

bool ShowFrame(CommandRun& run, WindowState state) {
  run.host.ShowWindowState(0, state);
  run.redrawPending = true;
  return true;
}

bool ShowDocument(CommandRun& run, WindowState state) {
  if (!run.Document()) return false;
  run.host.ShowWindowState(run.conversation.docSlot, state);
  run.redrawPending = true;
  return true;
}

}  // namespace

bool AppHide(CommandRun& run, std::string_view) { return ShowFrame(run, WindowState::Hide); }
bool AppMaximize(CommandRun& run, std::string_view) {
  return ShowFrame(run, WindowState::Maximize);
}
bool AppMinimize(CommandRun& run, std::string_view) {
  return ShowFrame(run, WindowState::Minimize);
}
bool AppRestore(CommandRun& run, std::string_view) { return ShowFrame(run, WindowState::Restore); }
bool AppShow(CommandRun& run, std::string_view) { return ShowFrame(run, WindowState::Show); }
bool DocHide(CommandRun& run, std::string_view) { return ShowDocument(run, WindowState::Hide); }
bool DocMaximize(CommandRun& run, std::string_view) {
  return ShowDocument(run, WindowState::Maximize);
}
bool DocMinimize(CommandRun& run, std::string_view) {
  return ShowDocument(run, WindowState::Minimize);
}
bool DocRestore(CommandRun& run, std::string_view) {
  return ShowDocument(run, WindowState::Restore);
}
bool DocShow(CommandRun& run, std::string_view) { return ShowDocument(run, WindowState::Show); }

bool Activate(CommandRun& run, std::string_view title) {
  const std::string wanted = ToLower(title);
  DocumentTable& documents = run.host.Documents();
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot) {
    if (!documents.IsOpen(slot)) continue;
    if (ToLower(documents.Document(slot).fileTitle.Trimmed()) != wanted) continue;
    run.FlushRedraw();
    run.conversation.docSlot = slot;
    run.host.ActivateDocument(slot);
    return true;
  }
  return false;
}

bool Enable(CommandRun& run, std::string_view a) {
  int on = 0;
  if (!ArgumentReader(a).I(on).Ok()) return false;
  run.conversation.enableUi = on != 0 ? 1 : 0;
  run.host.EnableFrame(on != 0);
  return true;
}

bool FileClose(CommandRun& run, std::string_view) {
  if (!run.Document()) return false;
  const int closed = run.conversation.docSlot;
  run.redrawPending = false;
  ClearChangedCurves(closed);
  const int active = run.host.CloseDocumentWindow(closed);
  run.conversation.docSlot = run.host.Documents().IsOpen(active) ? active : 0;
  run.documentGone = run.conversation.docSlot == 0;
  return true;
}

bool FileExit(CommandRun& run, std::string_view) {
  run.stopAcknowledged = true;
  run.redrawPending = false;
  run.host.CloseFrame();
  return true;
}

bool FileNew(CommandRun& run, std::string_view) {
  run.FlushRedraw();
  const int slot = run.host.NewDocumentWindow();
  if (!run.host.Documents().IsOpen(slot)) return false;
  run.conversation.docSlot = slot;
  run.conversation.selectedCurve = 1;
  return true;
}

bool FileOpen(CommandRun& run, std::string_view file) {
  if (file.size() > static_cast<std::size_t>(FILE_PATH_WIDTH)) return false;
  run.FlushRedraw();
  run.host.BringFrameToTop();
  const std::string path(file);
  int type = run.cells.currentFileType;
  if (type <= 0) type = run.host.FileTypeOf(path);
  const int slot = run.host.OpenFileInNewWindow(path, type);
  if (!run.host.Documents().IsOpen(slot)) return false;
  run.conversation.docSlot = slot;
  run.host.RedrawDocument(slot);
  return true;
}

bool HelpContext(CommandRun& run, std::string_view a) {
  int context = 0;
  if (!ArgumentReader(a).I(context).Ok()) return false;
  run.host.HelpContext(context);
  return true;
}

bool HelpSearch(CommandRun& run, std::string_view keyword) {
  run.host.HelpKeyword(std::string(keyword));
  return true;
}

bool Say(CommandRun& run, std::string_view text) {
  run.host.Say(std::string(text.substr(0, 1023)));
  return true;
}

bool UpdateMacros(CommandRun& run, std::string_view) {
  run.host.ReloadMacros();
  return true;
}

bool ViewStatusBar(CommandRun& run, std::string_view a) {
  int on = 0;
  if (!ArgumentReader(a).I(on).Ok()) return false;
  on = ClampInt(on, 0, 1);
  // The bar as it is now: menus and preference files change it too.
  run.cells.statusBarVisible = run.host.Settings().statusBar ? 1 : 0;
  if (on != run.cells.statusBarVisible) {
    run.cells.statusBarVisible = on;
    run.host.ShowStatusBar(on != 0);
  }
  return true;
}

bool ViewToolBar(CommandRun& run, std::string_view a) {
  int on = 0, large = 0;
  if (!ArgumentReader(a).I(on).I(large).Ok()) return false;
  run.cells.largeButtons = ClampInt(large, 0, 1);
  run.host.RebuildToolBar(ClampInt(on, 0, 1) != 0, run.cells.largeButtons != 0);
  return true;
}

bool WindowCascade(CommandRun& run, std::string_view) {
  run.host.ArrangeDocuments(false);
  return true;
}

bool WindowTile(CommandRun& run, std::string_view) {
  run.host.ArrangeDocuments(true);
  return true;
}

}  // namespace merva::commands

#include "app/file_commands.h"

#include <commdlg.h>

#include "app/data_export.h"
#include "app/dialogs.h"
#include "app/document_window.h"
#include "app/import_dialogs.h"
#include "app/menu_state.h"
#include "app/printing.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/tool_bar.h"
#include "app/ui_host.h"
#include "automation/parameter_cells.h"
#include "core/array_sizing.h"
#include "core/messages.h"
#include "files/ini_profile.h"
#include "files/plot_file_reader.h"
#include "files/plot_file_writer.h"
#include "files/preferences.h"
#include "processing/data_processing.h"

namespace merva::app {

namespace {

// A filter list of the common dialogs: pairs joined by NULs.
std::string Filter(const std::vector<std::string>& parts) {
  std::string filter;
  for (const std::string& part : parts) {
    filter += part;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

struct FileDialog {
  const char* title = nullptr;
  std::string filter;
  const char* defaultExtension = nullptr;
  std::string initialDirectory;
  int* fileType = nullptr;  // the open dialog with its "File &Types" button
  int filterIndex = 1;
};

// The open or save dialog; false on cancel.
bool AskFileName(const FileDialog& spec, bool save, std::string& path) {
  char name[MAX_PATH] = {};
  if (!path.empty()) lstrcpynA(name, path.c_str(), sizeof name);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = TheProgram().frame;
  dialog.lpstrFilter = spec.filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(spec.filterIndex);
  dialog.lpstrFile = name;
  dialog.nMaxFile = sizeof name;
  dialog.lpstrTitle = spec.title;
  dialog.lpstrDefExt = spec.defaultExtension;
  dialog.lpstrInitialDir = spec.initialDirectory.empty() ? nullptr : spec.initialDirectory.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (spec.fileType) {
    dialog.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    dialog.hInstance = GetModuleHandleA(nullptr);
    dialog.lpTemplateName = "MYFILEOPEN32";
    dialog.lpfnHook = OpenDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(spec.fileType);
  }
  Program& program = TheProgram();
  ++program.openDialogs;
  const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  const DWORD error = chosen ? 0 : CommDlgExtendedError();
  --program.openDialogs;
  if (!chosen) {
    ShowCommonDialogError(error);
    return false;
  }
  path = name;
  return true;
}

FileDialog OpenDialogSpec() {
  const ProgramSettings& settings = Settings();
  FileDialog spec;
  spec.filter = Filter({settings.userFilter, settings.userFilter, settings.userFilter2,
                        settings.userFilter2, "Comma-separated values (*.csv)", "*.csv",
                        "Nicolet (*.wft)", "*.wft", "All Files (*.*)", "*.*"});
  spec.defaultExtension = "GRF";
  spec.initialDirectory = settings.defaultPath;
  return spec;
}

// The file to read: the command language's cell, else the user's choice.
bool ChooseFile(const char* title, int& fileType, std::string& path) {
  ParameterCells& cells = TheParameterCells();
  if (cells.macroCommandActive) {
    path = cells.pendingFileName;
    if (cells.currentFileType > 0) fileType = cells.currentFileType;
    return !path.empty();
  }
  if (!FileTypesDialog(fileType)) return false;
  FileDialog spec = OpenDialogSpec();
  spec.title = title;
  spec.fileType = &fileType;
  spec.filterIndex = FilterIndexOfType(fileType);
  return AskFileName(spec, false, path);
}

// Reads one file into a document from `firstCurve` on.
Status ReadFile(PlotDocument& document, const std::string& path, int fileType, int firstCurve) {
  if (!FileTypeAvailable(fileType))
    return Status::Failure(path + " cannot be read: file type " + std::to_string(fileType) +
                           " is not available in this version of MERVA95.");
  SetStatusHint(MSG_STATUS_READING);
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const int32_t modeBefore = document.processMode;
  const ProcessState stateBefore = document.processState;
  Status status = ImportWithDialogs(document, path, fileType, firstCurve);
  if (firstCurve > 1) {
    // Curves added to a plot do not bring a mode with them.
    document.processMode = modeBefore;
    document.processState = stateBefore;
  } else if (status.Ok() && document.processMode != 0) {
    // A data-processing file holds the record alone.
    const Status resumed = ResumeProcessing(document);
    status.messages.insert(status.messages.end(), resumed.messages.begin(),
                           resumed.messages.end());
    status.fatal = status.fatal || resumed.fatal;
  }
  SetCursor(old);
  SetStatusHint(0);
  return status;
}

void FileRead(int slot, const std::string& path, int fileType) {
  PlotDocument& document = Documents().Document(slot);
  NameDocumentWindow(slot, document.fileTitle.Str());
  // The recent files reopen as plot files.
  if (fileType == FILE_TYPE_PLOT) {
    AddRecentFile(Settings(), path);
    UpdateRecentFilesMenu();
  }
  RedrawDocument(slot);
  RefreshMenus();
}

// The slot whose document was read from `path`, 0 when none.
int SlotShowing(const std::string& path) {
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
    if (Documents().IsOpen(slot) &&
        lstrcmpiA(Documents().Document(slot).filePath.Str().c_str(), path.c_str()) == 0)
      return slot;
  return 0;
}

}  // namespace

int OpenTargetSlot() {
  const int active = ActiveSlot();
  if (active && Documents().Document(active).curveCount == 0) {
    PlotDocument& document = Documents().Document(active);
    const ProgramSettings& settings = Settings();
    if (document.maxCurves != settings.numCurves || document.maxPoints != settings.numPoints) {
      const Status status = Allocate(document, settings.numCurves, settings.numPoints);
      Ui().ShowStatus(status);
      if (status.fatal) PostQuitMessage(0);
    }
    return active;
  }
  return NewDocumentWindow(false);
}

int OpenFiles(const std::vector<std::string>& paths, int fileType, int optionWord, bool ownWindow) {
  if (paths.empty()) return 0;
  const int before = ActiveSlot();
  const int slot = ownWindow ? NewDocumentWindow(false) : OpenTargetSlot();
  if (!slot) return 0;
  const bool newWindow = slot != before;
  TheProgram().optionWords[static_cast<std::size_t>(slot)] = optionWord;
  PlotDocument& document = Documents().Document(slot);
  bool anyRead = false;
  for (const std::string& path : paths) {
    const Status status = ReadFile(document, path, fileType, document.curveCount + 1);
    Ui().ShowStatus(status);
    if (status.fatal) PostQuitMessage(0);
    if (!status.Ok()) break;
    anyRead = true;
  }
  if (!anyRead) {
    if (document.curveCount == 0) {
      // Nothing came of it: a window made for the file goes again.
      if (newWindow) {
        CloseDocumentWindow(slot, false);
        if (before) ActivateDocumentWindow(before);
      }
      return 0;
    }
    // The curves read before the failure stay.
    NameDocumentWindow(slot, document.fileTitle.Str());
    RedrawDocument(slot);
    RefreshMenus();
    return slot;
  }
  if (paths.size() > 1 && fileType == FILE_TYPE_PLOT) {
    document.filePath.Set(paths.front());
    document.fileTitle.Set(FileTitleOf(paths.front()));
  }
  FileRead(slot, paths.front(), fileType);
  return slot;
}

bool AppendFile(int slot, const std::string& path, int fileType) {
  if (!Documents().IsOpen(slot)) return false;
  PlotDocument& document = Documents().Document(slot);
  const bool wasEmpty = document.curveCount == 0;
  const std::string keptPath = document.filePath.Str();
  const std::string keptTitle = document.fileTitle.Str();
  const Status status = ReadFile(document, path, fileType, document.curveCount + 1);
  Ui().ShowStatus(status);
  if (status.fatal) PostQuitMessage(0);
  if (!wasEmpty) {
    // The document keeps its own name; its curves changed.
    document.filePath.Set(keptPath);
    document.fileTitle.Set(keptTitle);
    document.MarkChanged();
  }
  if (wasEmpty && status.Ok()) NameDocumentWindow(slot, document.fileTitle.Str());
  RedrawDocument(slot);
  RefreshMenus();
  return status.Ok();
}

int OpenCommand() {
  int fileType = 1;
  std::string path;
  if (!ChooseFile("Open", fileType, path)) return 0;
  return OpenFile(path, fileType) ? 1 : 0;
}

int AppendCommand() {
  const int slot = ActiveSlot();
  if (!slot) return 0;
  int fileType = 1;
  std::string path;
  if (!ChooseFile("Append", fileType, path)) return 0;
  return AppendFile(slot, path, fileType) ? 1 : 0;
}

int OpenRecentCommand(int index) {
  const auto& recent = Settings().recentFiles;
  if (index < 0 || index >= static_cast<int>(recent.size())) return 0;
  const std::string path = recent[static_cast<std::size_t>(index)];
  if (const int showing = SlotShowing(path)) {
    ActivateDocumentWindow(showing);
    return 1;
  }
  return OpenFile(path, 1) ? 1 : 0;
}

int SaveDocument(int slot, bool askName) {
  if (!Documents().IsOpen(slot)) return 0;
  PlotDocument& document = Documents().Document(slot);
  const Status data = CheckDataToSave(document);
  if (!data.Ok()) {
    Ui().ShowStatus(data);
    return 0;
  }
  ParameterCells& cells = TheParameterCells();
  std::string path = document.filePath.Str();
  const bool fromCommand = cells.macroCommandActive && !cells.pendingFileName.empty() && askName;
  if (fromCommand) path = cells.pendingFileName;
  bool ask = (askName && !fromCommand) || path.empty();
  FileDialog spec;
  spec.title = "Save MERVA File";
  spec.filter = Filter({"MERVA Files (*.grf)", "*.grf", "All Files (*.*)", "*.*"});
  spec.defaultExtension = "GRF";
  spec.initialDirectory = Settings().defaultPath;
  for (;;) {
    if (ask && !AskFileName(spec, true, path)) return 0;
    const Status readOnly = CheckReadOnlyTarget(path);
    if (readOnly.Ok()) break;
    Ui().ShowStatus(readOnly);
    if (!ask && cells.macroCommandActive) return 0;
    ask = true;  // back to the dialog
  }
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const Status written = WritePlotFile(document, path);
  SetCursor(old);
  Ui().ShowStatus(written);
  if (!written.Ok()) return 0;
  NameDocumentWindow(slot, document.fileTitle.Str());
  AddRecentFile(Settings(), path);
  UpdateRecentFilesMenu();
  InvalidatePicture(slot);
  RefreshMenus();
  return 1;
}

int SaveCommand() { return SaveDocument(ActiveSlot(), false); }

int SaveAsCommand() {
  const int slot = ActiveSlot();
  if (!slot) return 0;
  ParameterCells& cells = TheParameterCells();
  int choice = 1;
  if (cells.macroCommandActive)
    choice = cells.currentFileType > 0 ? cells.currentFileType : 1;
  else if (!FileFormatDialog(choice))
    return 0;
  if (!FileFormatAvailable(choice)) return 0;
  if (choice == 5 || choice == 6) return SavePictureCommand(slot, choice == 6);
  if (choice >= 2 && choice <= 4) return SaveDataCommand(slot, choice);
  return SaveDocument(slot, true);
}

void ApplyPreferenceFile(const std::string& path) {
  const int slot = ActiveSlot();
  if (!slot) return;
  IniFileStore file(path);
  if (GetPreferences(file, Documents().Document(slot), Settings())) {
    ShowStatusBar(Settings().statusBar);
    // The file's tool bar visibility and style (docked or floating).
    RebuildToolBar(Settings().toolBarVisible, TheParameterCells().largeButtons != 0);
    RedrawDocument(slot);
  }
  RefreshMenus();
}

int GetPreferencesCommand() {
  if (!ActiveSlot()) return 0;
  FileDialog spec;
  spec.title = GET_PREFERENCES_TITLE;
  spec.filter = Filter({PREFERENCES_FILTER_NAME, PREFERENCES_FILTER_PATTERN});
  spec.defaultExtension = PREFERENCES_DEFAULT_EXTENSION;
  spec.initialDirectory = Settings().preferencesDir;
  std::string path;
  ParameterCells& cells = TheParameterCells();
  if (cells.macroCommandActive)
    path = cells.pendingFileName;
  else if (!AskFileName(spec, false, path))
    return 0;
  if (path.empty()) return 0;
  ApplyPreferenceFile(path);
  return 1;
}

int SavePreferencesCommand() {
  const int slot = ActiveSlot();
  if (!slot) return 0;
  FileDialog spec;
  spec.title = SAVE_PREFERENCES_TITLE;
  spec.filter = Filter({PREFERENCES_FILTER_NAME, PREFERENCES_FILTER_PATTERN});
  spec.defaultExtension = PREFERENCES_DEFAULT_EXTENSION;
  spec.initialDirectory = Settings().preferencesDir;
  std::string path;
  if (!AskFileName(spec, true, path)) return 0;
  IniFileStore file(path);
  const Status status = SavePreferences(file, Documents().Document(slot), Settings());
  Ui().ShowStatus(status, "Save Preferences");
  return status.Ok() ? 1 : 0;
}

bool AskSaveName(const char* title, const std::vector<std::string>& filter,
                 const char* defaultExtension, std::string& path) {
  FileDialog spec;
  spec.title = title;
  spec.filter = Filter(filter);
  spec.defaultExtension = defaultExtension;
  spec.initialDirectory = Settings().defaultPath;
  return AskFileName(spec, true, path);
}

}  // namespace merva::app

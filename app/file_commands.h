#pragma once

// The File menu's operations on documents and files.

#include <windows.h>

#include <string>
#include <vector>

namespace merva::app {

// The document a file opens into: the active one when it holds no curves
// (its arrays brought to the current settings), else a new window. 0 when
// none is free (after message 133).
int OpenTargetSlot();

// Reads files of one type into the target document in turn (the first
// into an empty target, the rest appended); names the window, remembers
// the file and redraws. `newWindow`: always a window of its own (files
// handed over by other programs or dropped). The slot, 0 when nothing was
// opened.
int OpenFiles(const std::vector<std::string>& paths, int fileType, int optionWord = 0,
              bool newWindow = false);
inline int OpenFile(const std::string& path, int fileType) { return OpenFiles({path}, fileType); }

// Reads a file and adds its curves to the slot's document.
bool AppendFile(int slot, const std::string& path, int fileType);

// Menu commands: the result is 1 when the command was carried out.
int OpenCommand();
int AppendCommand();
int OpenRecentCommand(int index);  // 0..3
int SaveCommand();
int SaveAsCommand();
int GetPreferencesCommand();
int SavePreferencesCommand();
void ApplyPreferenceFile(const std::string& path);

// The save dialog with a title, filter pairs and a default extension (or
// none); false on cancel.
bool AskSaveName(const char* title, const std::vector<std::string>& filter,
                 const char* defaultExtension, std::string& path);

// Saves the slot's document as a plot file; the save dialog when asked or
// when it has no name. 1 on success, 0 on cancel or failure.
int SaveDocument(int slot, bool askName);

}  // namespace merva::app

#pragma once

// merva95 on a plot file of the test's own: its dialogs opened by their
// menu commands, the plot read back from the file the program saves.

#include <windows.h>

#include <memory>
#include <string>

#include "core/array_sizing.h"
#include "core/plot_document.h"
#include "files/plot_file_reader.h"
#include "harness/merva_program.h"

namespace merva::test {

class Merva {
 public:
  // On a plot that `write` makes; on a copy of an example plot when null.
  bool Start(bool (*write)(const std::string& path) = nullptr) {
    static int run = 0;
    file_ = TempDirectory() + "\\plot" + std::to_string(++run) + ".grf";
    if (write ? !write(file_)
              : !CopyFileA(ProgramPath("app/EX01.GRF").c_str(), file_.c_str(), FALSE))
      return false;
    if (!merva_.Start("/-logo \"" + file_ + "\"")) return false;
    Sleep(400);
    return true;
  }

  // Posts a menu command and waits for the dialog with the caption.
  HWND Open(int command, const char* caption, DWORD timeoutMs = 8000) {
    merva_.Command(command);
    return Dialog(caption, timeoutMs);
  }
  // A dialog that follows another.
  HWND Dialog(const char* caption, DWORD timeoutMs = 8000) const {
    return WaitForDialogTitled(Pid(), caption, timeoutMs);
  }

  // Posted: for commands that answer with a message box.
  void Post(int command) { merva_.Command(command); }

  void Command(int command) { merva_.Send(command, 8000); }

  // Presses OK; true when the dialog closed.
  static bool Ok(HWND dialog) { return Answer(dialog, IDOK); }

  // The box shown after OK: its text; the box is closed.
  std::string BoxText(const char* caption) { return TakeBox(Pid(), caption); }

  // Saves the plot and reads the file back.
  std::unique_ptr<PlotDocument> Saved() {
    constexpr int IDM_SAVE = 4101;
    DeleteFileA(file_.c_str());
    Command(IDM_SAVE);
    auto d = std::make_unique<PlotDocument>();
    SetCompiledDefaults(*d);
    if (!Allocate(*d, 10, 1000).Ok()) return nullptr;
    // The file shows before it is complete: read until it reads whole.
    if (!WaitUntil([&] { return FileExists(file_) && ReadPlotFile(*d, file_, 1).Ok(); }, 8000))
      return nullptr;
    return d;
  }

  DWORD Pid() const { return merva_.process.pid; }
  HWND Document() const { return FindChildWindow(merva_.frame, "MERVADOC", nullptr); }
  void Close() { merva_.Close(); }

 private:
  std::string file_;
  MervaProgram merva_;
};

// A test with one merva95 on a plot file, closed before its settings go.
class PlotMervaTest : public MervaTest {
 protected:
  void TearDown() override {
    m_.Close();
    MervaTest::TearDown();
  }

  Merva m_;
};

}  // namespace merva::test

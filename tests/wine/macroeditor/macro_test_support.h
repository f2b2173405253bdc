#pragma once

// What the macro editor's tests share: the program, its macro folder and a
// fixture with a running merva95.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "harness/merva_program.h"

namespace merva::test {

inline constexpr char EDITOR_TITLE[] = "MERVA Macro Editor";

inline std::string EditorFile() { return ProgramPath("app/MVMAC95.exe"); }
inline std::string MacroFolder() { return ProgramPath("app/MACROS"); }

inline void WriteMacro(const std::string& name, const std::string& body) {
  CreateDirectoryA(MacroFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(MacroFolder() + "\\" + name + ".MAC", "MERVA/W Macro 1.1\r\n" + body));
}

// The macros a test wrote, and their folder.
inline void RemoveMacros() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((MacroFolder() + "\\*.MAC").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do DeleteFileA((MacroFolder() + "\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(MacroFolder().c_str());
}

// The editor's main window once it shows, or null.
inline HWND EditorWindow(const StartedProcess& editor) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowOfProcess(editor.pid, "MVMACRO")) != nullptr; },
            MERVA_START_MS);
  return window;
}

// merva95 running, with `documents` windows at the start.
class MacroEditorTest : public MervaTest {
 protected:
  void SetUp() override {
    MervaTest::SetUp();
    if (IsSkipped()) return;
    if (!Exists(EditorFile())) GTEST_SKIP() << "MVMAC95.exe is not built";
    ASSERT_TRUE(merva.Start(""));
    documents = DocumentCount(merva.frame);
  }
  void TearDown() override {
    merva.Close();
    RemoveMacros();
    MervaTest::TearDown();
  }
  MervaProgram merva;
  int documents = 0;
};

}  // namespace merva::test

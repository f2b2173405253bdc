// The macro editor mvmac95 against a running merva95: runs started with
// "/RUN", single-stepping, statement faults, calls, file loops with
// printing, saving with a shortcut key, generate through a stand-in
// spreadsheet, and a merva95 that goes away mid-run.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "harness/merva_program.h"
#include "macro_test_support.h"

namespace merva::test {
namespace {

constexpr const char* TITLE = EDITOR_TITLE;
constexpr int RUN = 256, STEP = 257, SAVE = 259;
constexpr int EDIT_ID = 104, MACRO_COMBO_ID = 101, SHORTCUT_COMBO_ID = 103;

class MacroEditor : public MacroEditorTest {
 protected:
  // Runs a macro with "/RUN"; false when it did not end in time.
  bool RunToEnd(const std::string& name, DWORD* code, DWORD ms = 30000) {
    StartedProcess editor = StartProgram(EditorFile(), "/RUN " + name);
    if (editor.pid && editor.WaitExit(ms, code)) return true;
    for (HWND box : DialogsOf(editor.pid)) ADD_FAILURE() << "box: " << BoxText(box);
    return false;
  }
  // A run that stops at a box: its text, the caret then, and the exit code.
  struct Stopped {
    std::string text;
    DWORD caret = 0;
    DWORD code = 99;
  };
  Stopped RunToBox(const std::string& name) {
    Stopped result;
    StartedProcess editor = StartProgram(EditorFile(), "/RUN " + name);
    HWND box = WaitForDialogTitled(editor.pid, TITLE, 30000);
    if (!box) return result;
    result.text = BoxText(box);
    HWND window = FindWindowOfProcess(editor.pid, "MVMACRO");
    HWND edit = window ? GetDlgItem(window, EDIT_ID) : nullptr;
    if (edit) {
      DWORD begin = 0, end = 0;
      SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&begin),
                   reinterpret_cast<LPARAM>(&end));
      result.caret = begin;
    }
    Answer(box, IDOK);
    editor.WaitExit(MERVA_START_MS, &result.code);
    return result;
  }
};

TEST_F(MacroEditor, CommentsOnlyAndWellFormedStatementsRun) {
  WriteMacro("Comments", "rem nothing\r\n' at all\r\n\r\n  \trem here\r\n");
  DWORD code = 99;
  ASSERT_TRUE(RunToEnd("Comments", &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(DocumentCount(merva.frame), documents);

  WriteMacro("Two", "FileNew()\r\n  \tFileNew()   ' and one more\r\n");
  ASSERT_TRUE(RunToEnd("Two", &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(DocumentCount(merva.frame), documents + 2);
}

TEST_F(MacroEditor, EachFaultStopsWithItsMessageAndTheCaretOnIt) {
  struct Case {
    std::string bad, message;
  };
  const Case cases[] = {
      {"FilePrint(", "Missing close parenthesis in FilePrint("},
      {"FilePrint", "Missing open parenthesis in FilePrint"},
      {"Title1(\"abc)", "Unmatched quotation marks in Title1(\"abc)"},
      {"FileOpen(a.grf)",
       "Argument must be enclosed with double quotation marks in FileOpen(a.grf)"},
      {"FileNew() FilePrint()", "Incorrect syntax in FileNew() FilePrint()"},
      {"NextFile", "NextFile without ForFilesIn"},
      {"ForFilesIn(\"nothing*.none\")", "No files found matching the pattern nothing*.none"},
      {"FileSaveAs(3,\"x\")", "Illegal file type code in FileSaveAs() command."},
      {"call Fault", "A macro CANNOT call itself."},
      {"NoSuchCommand()", "Unrecognized command or bad syntax in the command NoSuchCommand()"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bad);
    // merva95's own box for a refused command stays off.
    const std::string first = "ErrorMessages(0)\r\n";
    WriteMacro("Fault", first + c.bad + "\r\nFileNew()\r\n");
    const int before = DocumentCount(merva.frame);
    const Stopped stopped = RunToBox("Fault");
    EXPECT_EQ(stopped.text, c.message);
    EXPECT_EQ(stopped.caret, first.size());
    EXPECT_EQ(stopped.code, 1u);
    // Nothing after the fault ran.
    EXPECT_EQ(DocumentCount(merva.frame), before);
  }
}

TEST_F(MacroEditor, RunWithoutNameIsRefused) {
  StartedProcess editor = StartProgram(EditorFile(), "/RUN");
  HWND box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box),
            "An error occurred while launching this application. A macro name MUST be supplied.");
  Answer(box, IDOK);
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS));

  editor = StartProgram(EditorFile(), "/RUN Nowhere");
  box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "Cannot find the macro " + MacroFolder() + "\\Nowhere.MAC.");
  Answer(box, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS, &code));
  EXPECT_EQ(code, 1u);
}

TEST_F(MacroEditor, AMacroCallsAnother) {
  WriteMacro("Inner", "FileNew()\r\nFileNew()\r\n");
  WriteMacro("Outer", "FileNew()\r\ncall Inner\r\nFileNew()\r\n");
  DWORD code = 99;
  ASSERT_TRUE(RunToEnd("Outer", &code, 60000));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(DocumentCount(merva.frame), documents + 4);
}

TEST_F(MacroEditor, SingleStepsThreeStatements) {
  StartedProcess editor = StartProgram(EditorFile(), "");
  HWND window = EditorWindow(editor);
  ASSERT_TRUE(window);
  HWND edit = GetDlgItem(window, EDIT_ID);
  const std::string text = "' three windows\r\nFileNew()\r\nFileNew()\r\nFileNew()";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  const auto selection = [&] {
    DWORD begin = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&begin), reinterpret_cast<LPARAM>(&end));
    return std::make_pair(begin, end);
  };
  PostMessageA(window, WM_COMMAND, STEP, 0);
  // The first statement is shown and waits for the next press.
  const DWORD first = static_cast<DWORD>(text.find("FileNew()"));
  ASSERT_TRUE(WaitUntil([&] { return selection().first == first; }, MERVA_BOX_MS));
  EXPECT_EQ(selection().second, first + 9);
  Sleep(500);
  EXPECT_EQ(DocumentCount(merva.frame), documents);
  for (int step = 1; step <= 3; ++step) {
    PostMessageA(window, WM_COMMAND, STEP, 0);
    ASSERT_TRUE(
        WaitUntil([&] { return DocumentCount(merva.frame) == documents + step; }, MERVA_BOX_MS))
        << "step " << step;
  }
  // After the last statement the caret returns to the start.
  EXPECT_TRUE(
      WaitUntil([&] { return selection() == std::make_pair(DWORD(0), DWORD(0)); }, MERVA_BOX_MS));
  // Run again, then Stop before the second statement.
  PostMessageA(window, WM_COMMAND, STEP, 0);
  ASSERT_TRUE(WaitUntil([&] { return selection().first == first; }, MERVA_BOX_MS));
  PostMessageA(window, WM_COMMAND, STEP, 0);
  ASSERT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == documents + 4; }, MERVA_BOX_MS));
  PostMessageA(window, WM_COMMAND, 258, 0);
  // Stopped: the caret is free again and nothing more runs.
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) == 0; },
                        MERVA_BOX_MS));
  Sleep(500);
  EXPECT_EQ(DocumentCount(merva.frame), documents + 4);
  // As if typed: the text counts as changed.
  SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  // The text was not saved: the prompt comes.
  HWND box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "The macro has been changed. Do you want to save it?");
  Answer(box, IDNO);
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS));
}

TEST_F(MacroEditor, SavedWithAShortcutAndStartedByItFromMerva) {
  StartedProcess editor = StartProgram(EditorFile(), "");
  HWND window = EditorWindow(editor);
  ASSERT_TRUE(window);
  const std::string text = "FileNew()";
  SendMessageA(GetDlgItem(window, EDIT_ID), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SetWindowTextA(GetDlgItem(window, MACRO_COMBO_ID), "Keyed");
  // Entry 20 of the list: Ctrl+Z.
  SendMessageA(GetDlgItem(window, SHORTCUT_COMBO_ID), CB_SETCURSEL, 19, 0);
  PostMessageA(window, WM_COMMAND, SAVE, 0);
  const std::string file = MacroFolder() + "\\Keyed.MAC";
  ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(file) == "MERVA/W Macro 1.1\r\nFileNew()"; },
                        MERVA_BOX_MS));
  // The settings follow the file.
  const auto setting = [](const char* section) {
    char value[64] = {};
    GetPrivateProfileStringA(section, "Keyed", "", value, sizeof value, "mervaw.ini");
    return std::string(value);
  };
  EXPECT_TRUE(WaitUntil([&] { return setting("MacroShortcuts") == "19"; }, MERVA_BOX_MS));
  EXPECT_NE(setting("Macros"), "");

  // The same key for another macro is refused.
  SetWindowTextA(GetDlgItem(window, MACRO_COMBO_ID), "Other");
  PostMessageA(window, WM_COMMAND, SAVE, 0);
  HWND box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box),
            "The specified shortcut key is already used by the macro Keyed. The macro cannot be "
            "saved.");
  Answer(box, IDOK);
  EXPECT_FALSE(Exists(MacroFolder() + "\\Other.MAC"));
  PostMessageA(window, WM_CLOSE, 0, 0);
  box = WaitForDialogTitled(editor.pid, TITLE, 3000);
  if (box) Answer(box, IDNO);
  ASSERT_TRUE(editor.WaitExit(MERVA_BOX_MS));

  // merva95 reloaded its shortcuts on "[UpdateMacros()]": Ctrl+Z runs it.
  const int before = DocumentCount(merva.frame);
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (GetForegroundWindow() == merva.frame) return true;
        SetForegroundWindow(merva.frame);
        return false;
      },
      MERVA_BOX_MS));
  INPUT keys[4] = {};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = 'Z';
  keys[2].ki.wVk = 'Z';
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = VK_CONTROL;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof(INPUT));
  EXPECT_TRUE(WaitUntil([&] { return DocumentCount(merva.frame) == before + 1; }, MERVA_START_MS));
}

TEST_F(MacroEditor, FindAndReplaceInTheText) {
  StartedProcess editor = StartProgram(EditorFile(), "");
  HWND window = EditorWindow(editor);
  ASSERT_TRUE(window);
  HWND edit = GetDlgItem(window, EDIT_ID);
  const std::string text = "FileNew()\r\nfilenew()\r\nFileNewer()";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PostMessageA(window, WM_COMMAND, 264, 0);
  HWND find = WaitForDialogTitled(editor.pid, "Find");
  ASSERT_TRUE(find);
  SetField(find, 200, "FileNew");
  CheckButton(find, 202, true);  // whole word
  CheckButton(find, 203, true);  // case
  Press(find, IDOK);
  const auto selection = [&] {
    DWORD begin = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&begin), reinterpret_cast<LPARAM>(&end));
    return std::make_pair(begin, end);
  };
  ASSERT_TRUE(
      WaitUntil([&] { return selection() == std::make_pair(DWORD(0), DWORD(7)); }, MERVA_BOX_MS));
  // "filenew" differs in case, "FileNewer" is another word: no more.
  Press(find, IDOK);
  HWND box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "Text not found.");
  Answer(box, IDOK);
  Press(find, IDCANCEL);

  PostMessageA(window, WM_COMMAND, 772, 0);
  HWND replace = WaitForDialogTitled(editor.pid, "Replace");
  ASSERT_TRUE(replace);
  SetField(replace, 200, "filenew");
  SetField(replace, 201, "FilePrint");
  CheckButton(replace, 202, false);
  CheckButton(replace, 203, false);
  Press(replace, 207);  // Replace All
  char now[128] = {};
  EXPECT_TRUE(WaitUntil(
      [&] {
        SendMessageA(edit, WM_GETTEXT, sizeof now, reinterpret_cast<LPARAM>(now));
        return std::string(now) == "FilePrint()\r\nFilePrint()\r\nFilePrinter()";
      },
      MERVA_BOX_MS))
      << now;
  Press(replace, IDCANCEL);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if ((box = WaitForDialogTitled(editor.pid, TITLE, 3000))) Answer(box, IDNO);
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS));
}

TEST_F(MacroEditor, MervaGoingAwayMidRunStopsTheRun) {
  WriteMacro("Away", "FileNew()\r\npause\r\nFileNew()\r\n");
  StartedProcess editor = StartProgram(EditorFile(), "/RUN Away");
  HWND box = WaitForDialogTitled(editor.pid, TITLE, 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "The macro has been paused. Press OK to continue or Cancel to abort.");
  merva.process.End();
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(merva.frame); }, MERVA_BOX_MS));
  Answer(box, IDOK);
  box = WaitForDialogTitled(editor.pid, TITLE, 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box).rfind("Error code for DdeClientTransaction=0x", 0), 0u) << BoxText(box);
  Answer(box, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS, &code));
  EXPECT_EQ(code, 1u);
}

TEST(MacroEditorAlone, RefusesToStartWithoutMerva) {
  if (!Exists(EditorFile())) GTEST_SKIP() << "MVMAC95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window runs";
  StartedProcess editor = StartProgram(EditorFile(), "");
  HWND box = WaitForDialogTitled(editor.pid, TITLE);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "This application may only be launched by MERVA.");
  Answer(box, IDOK);
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS));
}

// A frame window of merva95's class that serves no DDE: the run cannot
// connect.
TEST(MacroEditorAlone, RunWithoutMervaServingDdeCannotConnect) {
  if (!Exists(EditorFile())) GTEST_SKIP() << "MVMAC95.exe is not built";
  if (FindWindowA("MERVA/W", nullptr)) GTEST_SKIP() << "a MERVA/W window runs";
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "MERVA/W";
  RegisterClassA(&cls);
  HWND frame = CreateWindowA("MERVA/W", "stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, cls.hInstance, nullptr);
  ASSERT_TRUE(frame);
  WriteMacro("Lonely", "FileNew()\r\n");
  StartedProcess editor = StartProgram(EditorFile(), "/RUN Lonely");
  HWND box = WaitForDialogTitled(editor.pid, TITLE, 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box), "Cannot connect with MERVA.");
  Answer(box, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(editor.WaitExit(MERVA_BOX_MS, &code));
  EXPECT_EQ(code, 1u);
  DestroyWindow(frame);
  RemoveMacros();
}

}  // namespace
}  // namespace merva::test

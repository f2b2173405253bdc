#include <algorithm>
#include <cctype>
#include <string>

#include "macroeditor/core/macro_file.h"
#include "macroeditor/editor.h"
#include "macroeditor/editor_parts.h"
#include "macroeditor/resource_ids.h"

namespace merva::macro {

namespace {

constexpr char NOT_FOUND[] = "Text not found.";

struct Search {
  std::string find, replace;
  bool wholeWord = false, matchCase = false, down = true;
};
Search search;

char Fold(char c, bool matchCase) {
  return matchCase ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool WordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool MatchAt(const std::string& text, std::size_t at) {
  const std::string& f = search.find;
  if (at + f.size() > text.size()) return false;
  for (std::size_t i = 0; i < f.size(); ++i)
    if (Fold(text[at + i], search.matchCase) != Fold(f[i], search.matchCase)) return false;
  if (!search.wholeWord) return true;
  const bool before = at > 0 && WordChar(text[at - 1]);
  const bool after = at + f.size() < text.size() && WordChar(text[at + f.size()]);
  return !before && !after;
}

// The next match from `from` in the search direction; npos when none.
std::size_t FindFrom(const std::string& text, std::size_t from, bool down) {
  if (search.find.empty()) return std::string::npos;
  if (down) {
    for (std::size_t at = from; at + search.find.size() <= text.size(); ++at)
      if (MatchAt(text, at)) return at;
  } else {
    for (std::size_t at = std::min(from, text.size()); at-- > 0;)
      if (MatchAt(text, at)) return at;
  }
  return std::string::npos;
}

void Selection(DWORD& begin, DWORD& end) {
  SendMessageA(TheEditor().edit, EM_GETSEL, reinterpret_cast<WPARAM>(&begin),
               reinterpret_cast<LPARAM>(&end));
}

bool FindNext(bool quiet = false) {
  const std::string text = EditText();
  DWORD begin = 0, end = 0;
  Selection(begin, end);
  const std::size_t at = FindFrom(text, search.down ? end : begin, search.down);
  if (at == std::string::npos) {
    if (!quiet) ShowMessage(NOT_FOUND, MB_ICONINFORMATION | MB_OK);
    return false;
  }
  SelectText(at, at + search.find.size());
  return true;
}

void ReplaceOne() {
  const std::string text = EditText();
  DWORD begin = 0, end = 0;
  Selection(begin, end);
  if (end - begin == search.find.size() && MatchAt(text, begin))
    SendMessageA(TheEditor().edit, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(search.replace.c_str()));
  FindNext();
}

void ReplaceAll() {
  const std::string text = EditText();
  std::string out;
  int count = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (!search.find.empty() && MatchAt(text, at)) {
      out += search.replace;
      at += search.find.size();
      ++count;
    } else {
      out += text[at++];
    }
  }
  if (count == 0) {
    ShowMessage(NOT_FOUND, MB_ICONINFORMATION | MB_OK);
    return;
  }
  if (out.size() > MACRO_TEXT_LIMIT) {
    ShowMessage("The replacements would make the macro longer than 32768 characters.");
    return;
  }
  SendMessageA(TheEditor().edit, EM_SETSEL, 0, -1);
  SendMessageA(TheEditor().edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(out.c_str()));
}

std::string Field(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void ReadDialog(HWND dialog) {
  search.find = Field(dialog, IDC_FIND_TEXT);
  if (GetDlgItem(dialog, IDC_REPLACE_TEXT)) search.replace = Field(dialog, IDC_REPLACE_TEXT);
  search.wholeWord = IsDlgButtonChecked(dialog, IDC_WHOLE_WORD) == BST_CHECKED;
  search.matchCase = IsDlgButtonChecked(dialog, IDC_MATCH_CASE) == BST_CHECKED;
  // Replace always searches down.
  search.down = !GetDlgItem(dialog, IDC_UP) || IsDlgButtonChecked(dialog, IDC_UP) != BST_CHECKED;
}

INT_PTR CALLBACK FindProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_FIND_TEXT, search.find.c_str());
      SetDlgItemTextA(dialog, IDC_REPLACE_TEXT, search.replace.c_str());
      CheckDlgButton(dialog, IDC_WHOLE_WORD, search.wholeWord ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_MATCH_CASE, search.matchCase ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, search.down ? IDC_DOWN : IDC_UP, BST_CHECKED);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ReadDialog(dialog);
          FindNext();
          return TRUE;
        case IDC_REPLACE_ONE:
          ReadDialog(dialog);
          ReplaceOne();
          return TRUE;
        case IDC_REPLACE_ALL:
          ReadDialog(dialog);
          ReplaceAll();
          return TRUE;
        case IDCANCEL:
          DestroyWindow(dialog);
          TheEditor().findDialog = nullptr;
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenFindDialog(bool replace) {
  Editor& editor = TheEditor();
  if (editor.findDialog) DestroyWindow(editor.findDialog);
  editor.findDialog = CreateDialogA(editor.instance, replace ? "MYREPLACEDLG" : "MYFINDDLG",
                                    editor.window, FindProc);
  if (editor.findDialog) ShowWindow(editor.findDialog, SW_SHOW);
}

void FindNextCommand() {
  if (search.find.empty()) {
    OpenFindDialog(false);
    return;
  }
  FindNext();
}

}  // namespace merva::macro

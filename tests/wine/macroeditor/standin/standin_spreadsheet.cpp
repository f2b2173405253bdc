// A stand-in for the spreadsheet program of the generate statement: DDE
// service "Excel", topic "System", a window of class "XLMAIN". It carries
// out the executes of the sequence (NEW, SELECT, FORMULA.FILL, DEFINE.NAME,
// COPY, CLOSE), evaluates the fill formulas and copies the selection as
// tab-separated text. Every execute is logged, one a line, to the file named
// by the first argument; the copied text goes to that name + ".clip".

#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

DWORD instance = 0;
HSZ serviceName = nullptr, topicName = nullptr;
HWND window = nullptr;
std::string logFile;

struct Sheet {
  bool open = false;
  int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
  std::map<int, std::map<int, std::string>> formulas;  // row -> column -> formula
  int xColumn = 0;                                     // the column named X
} sheet;

void Append(const std::string& file, const std::string& text) {
  FILE* out = std::fopen(file.c_str(), "ab");
  if (!out) return;
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

double CellValue(int row, int column, bool& ok);

// A formula of numbers, X, ROW(), PI(), + - * / ^, parentheses and a few
// functions, evaluated for one row.
struct Evaluator {
  const std::string& s;
  std::size_t p;
  int row;
  bool ok = true;

  void Blanks() {
    while (p < s.size() && s[p] == ' ') ++p;
  }
  double Value(int r, int column) { return CellValue(r, column, ok); }
  double Primary() {
    Blanks();
    if (p < s.size() && s[p] == '(') {
      ++p;
      const double v = Sum();
      Blanks();
      if (p < s.size() && s[p] == ')')
        ++p;
      else
        ok = false;
      return v;
    }
    if (p < s.size() && (std::isdigit(static_cast<unsigned char>(s[p])) || s[p] == '.')) {
      char* end = nullptr;
      const double v = std::strtod(s.c_str() + p, &end);
      p = static_cast<std::size_t>(end - s.c_str());
      return v;
    }
    std::string name;
    while (p < s.size() && std::isalnum(static_cast<unsigned char>(s[p]))) name += s[p++];
    name = Upper(name);
    if (name == "X") return Value(row, sheet.xColumn);
    Blanks();
    if (p >= s.size() || s[p] != '(') {
      ok = false;
      return 0;
    }
    ++p;
    Blanks();
    double arg = 0;
    if (p < s.size() && s[p] != ')') arg = Sum();
    Blanks();
    if (p < s.size() && s[p] == ')')
      ++p;
    else
      ok = false;
    if (name == "ROW") return row;
    if (name == "PI") return 3.14159265358979323846;
    if (name == "SIN") return std::sin(arg);
    if (name == "COS") return std::cos(arg);
    if (name == "EXP") return std::exp(arg);
    if (name == "SQRT") return std::sqrt(arg);
    if (name == "ABS") return std::fabs(arg);
    if (name == "LN") return std::log(arg);
    ok = false;
    return 0;
  }
  double Unary() {
    Blanks();
    if (p < s.size() && s[p] == '-') {
      ++p;
      return -Unary();
    }
    if (p < s.size() && s[p] == '+') ++p;
    return Primary();
  }
  double Power() {
    double v = Unary();
    Blanks();
    while (p < s.size() && s[p] == '^') {
      ++p;
      v = std::pow(v, Unary());
      Blanks();
    }
    return v;
  }
  double Product() {
    double v = Power();
    for (Blanks(); p < s.size() && (s[p] == '*' || s[p] == '/'); Blanks()) {
      const char op = s[p++];
      const double r = Power();
      v = op == '*' ? v * r : v / r;
    }
    return v;
  }
  double Sum() {
    double v = Product();
    for (Blanks(); p < s.size() && (s[p] == '+' || s[p] == '-'); Blanks()) {
      const char op = s[p++];
      const double r = Product();
      v = op == '+' ? v + r : v - r;
    }
    return v;
  }
};

double CellValue(int row, int column, bool& ok) {
  const std::string f = sheet.formulas[row][column];
  if (f.empty()) return 0;
  Evaluator e{f, f[0] == '=' ? 1u : 0u, row};
  const double v = e.Sum();
  ok = ok && e.ok && e.p == f.size();
  return v;
}

// "R1C1:R629C2" into the selection.
bool Select(const std::string& range) {
  int r1, c1, r2, c2;
  if (std::sscanf(Upper(range).c_str(), "R%dC%d:R%dC%d", &r1, &c1, &r2, &c2) != 4) return false;
  if (r1 < 1 || r2 < r1 || r2 > 16384 || c1 < 1 || c2 < c1 || c2 > 256) return false;
  sheet.firstRow = r1, sheet.lastRow = r2, sheet.firstColumn = c1, sheet.lastColumn = c2;
  return true;
}

bool Copy() {
  std::string text;
  for (int r = sheet.firstRow; r <= sheet.lastRow; ++r) {
    for (int c = sheet.firstColumn; c <= sheet.lastColumn; ++c) {
      bool ok = true;
      const double v = CellValue(r, c, ok);
      if (!ok) return false;
      char number[40];
      std::snprintf(number, sizeof number, "%.10G", v);
      text += number;
      text += c < sheet.lastColumn ? "\t" : "\r\n";
    }
  }
  Append(logFile + ".clip", text);
  if (!OpenClipboard(window)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block) {
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
  }
  CloseClipboard();
  return block != nullptr;
}

// The quoted arguments of one command, quotes doubled inside undone.
std::string Argument(const std::string& command, int index) {
  int found = -1;
  for (std::size_t p = 0; p < command.size(); ++p) {
    if (command[p] != '"') continue;
    std::string value;
    for (++p; p < command.size(); ++p) {
      if (command[p] == '"' && p + 1 < command.size() && command[p + 1] == '"') {
        value += '"';
        ++p;
      } else if (command[p] == '"') {
        break;
      } else {
        value += command[p];
      }
    }
    if (++found == index) return value;
  }
  return {};
}

bool Run(const std::string& command) {
  const std::string name = Upper(command.substr(0, command.find('(')));
  if (name == "NEW") {
    sheet = Sheet{};
    sheet.open = true;
    return true;
  }
  if (!sheet.open) return false;
  if (name == "SELECT") return Select(Argument(command, 0));
  if (name == "FORMULA.FILL") {
    const std::string formula = Argument(command, 0);
    for (int r = sheet.firstRow; r <= sheet.lastRow; ++r)
      for (int c = sheet.firstColumn; c <= sheet.lastColumn; ++c) sheet.formulas[r][c] = formula;
    return true;
  }
  if (name == "DEFINE.NAME") {
    int r1, c1, r2, c2;
    if (Argument(command, 0) != "X" ||
        std::sscanf(Upper(Argument(command, 1)).c_str(), "=SHEET1!R%dC%d:R%dC%d", &r1, &c1, &r2,
                    &c2) != 4)
      return false;
    sheet.xColumn = c1;
    return true;
  }
  if (name == "COPY") return Copy();
  if (name == "CLOSE") {
    sheet = Sheet{};
    return true;
  }
  return false;
}

bool Execute(const std::string& text) {
  Append(logFile, text + "\n");
  // "[A][B]": each bracketed command in turn.
  for (std::size_t p = 0; p < text.size();) {
    if (text[p] != '[') return false;
    bool quoted = false;
    std::size_t end = p + 1;
    for (; end < text.size(); ++end) {
      if (text[end] == '"') quoted = !quoted;
      if (text[end] == ']' && !quoted) break;
    }
    if (end >= text.size() || !Run(text.substr(p + 1, end - p - 1))) return false;
    p = end + 1;
  }
  return true;
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(topic, topicName) == 0);
    case XTYP_EXECUTE: {
      const DWORD size = DdeGetData(data, nullptr, 0, 0);
      std::string text(size, '\0');
      DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
      text.resize(std::strlen(text.c_str()));
      return reinterpret_cast<HDDEDATA>(Execute(text) ? DDE_FACK : DDE_FNOTPROCESSED);
    }
    default:
      return nullptr;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR arguments, int) {
  logFile = arguments;
  while (!logFile.empty() && (logFile.back() == ' ' || logFile.back() == '"')) logFile.pop_back();
  if (!logFile.empty() && logFile.front() == '"') logFile.erase(0, 1);
  // "log" "%1": only the log file counts.
  const std::size_t gap = logFile.find("\" \"");
  if (gap != std::string::npos) logFile.resize(gap);
  // The service first: a client connects as soon as it sees the window.
  if (DdeInitializeA(&instance, Callback,
                     APPCLASS_STANDARD | CBF_FAIL_POKES | CBF_FAIL_REQUESTS | CBF_FAIL_ADVISES |
                         CBF_SKIP_ALLNOTIFICATIONS,
                     0) != DMLERR_NO_ERROR)
    return 1;
  serviceName = DdeCreateStringHandleA(instance, "Excel", CP_WINANSI);
  topicName = DdeCreateStringHandleA(instance, "System", CP_WINANSI);
  DdeNameService(instance, serviceName, nullptr, DNS_REGISTER);
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = module;
  cls.lpszClassName = "XLMAIN";
  RegisterClassA(&cls);
  window = CreateWindowA("XLMAIN", "Stand-in spreadsheet", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                         nullptr, nullptr, module, nullptr);
  MSG message;
  // Ends when its window is closed (the test posts WM_CLOSE, which the
  // default procedure turns into its destruction).
  while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DdeNameService(instance, serviceName, nullptr, DNS_UNREGISTER);
  DdeUninitialize(instance);
  return 0;
}

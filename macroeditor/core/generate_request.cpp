#include "macroeditor/core/generate_request.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "macroeditor/core/statement.h"

namespace merva::macro {

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

// A number from position i up to the next "," or ")"; i moves past it.
bool ReadNumber(std::string_view text, std::size_t& i, char separator, double& value) {
  const std::size_t end = text.find(separator, i);
  if (end == std::string_view::npos) return false;
  const std::string field(text.substr(i, end - i));
  const char* start = field.c_str();
  char* stop = nullptr;
  value = std::strtod(start, &stop);
  if (stop == start || !std::isfinite(value)) return false;
  while (*stop == ' ' || *stop == '\t') ++stop;
  if (*stop != '\0') return false;
  i = end + 1;
  return true;
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  return text;
}

}  // namespace

GenerateRequest ParseGenerate(std::string_view statement) {
  GenerateRequest r;
  std::string_view text = statement;
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const auto fault = [&](const char* prefix) {
    r.message = std::string(prefix) + std::string(text);
    return r;
  };
  std::size_t i = SkipBlanks(text, 8);
  if (i >= text.size() || text[i] != '(') return fault(MISSING_OPEN);
  i = SkipBlanks(text, i + 1);
  if (i >= text.size() || text[i] != '"') return fault(NEEDS_QUOTES);
  // The formula may hold quotes of its own: it ends at the last one.
  const std::size_t close = text.rfind('"');
  if (close == i) return fault(UNMATCHED_QUOTES);
  r.formula.assign(text.substr(i + 1, close - i - 1));
  if (r.formula.empty()) return fault(INCORRECT_SYNTAX);
  i = SkipBlanks(text, close + 1);
  if (i >= text.size() || text[i] != ',') return fault(INCORRECT_SYNTAX);
  ++i;
  if (text.empty() || text.back() != ')') return fault(MISSING_CLOSE);
  if (!ReadNumber(text, i, ',', r.x0)) return fault(BAD_X0);
  if (!ReadNumber(text, i, ',', r.xmax) || r.xmax < r.x0) return fault(BAD_XMAX);
  if (!ReadNumber(text, i, ')', r.dx) || !(r.dx > 0) || i != text.size()) return fault(BAD_DX);
  // A small tolerance keeps XMAX itself when the steps add up to it.
  const double steps = std::floor((r.xmax - r.x0) / r.dx + 1e-9);
  if (steps + 1 > GENERATE_MAX_ROWS) return fault(BAD_DX);
  r.rows = static_cast<int>(steps) + 1;
  return r;
}

std::vector<std::string> GenerateExecutes(const GenerateRequest& r) {
  const std::string n = std::to_string(r.rows);
  // Quotation marks inside a formula string are doubled for the spreadsheet.
  std::string formula;
  for (char c : r.formula) formula += c == '"' ? std::string("\"\"") : std::string(1, c);
  return {
      "[NEW]",
      "[SELECT(\"R1C1:R" + n + "C1\")]",
      "[FORMULA.FILL(\"=" + Number(r.x0) + "+(Row()-1)*" + Number(r.dx) + "\")]",
      "[DEFINE.NAME(\"X\",\"=Sheet1!R1C1:R" + n + "C1\")]",
      "[SELECT(\"R1C2:R" + n + "C2\")]",
      "[FORMULA.FILL(\"=" + formula + "\")]",
      "[SELECT(\"R1C1:R" + n + "C2\")][COPY]",
  };
}

}  // namespace merva::macro

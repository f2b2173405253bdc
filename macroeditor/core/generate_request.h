#pragma once

// generate("formula", X0, XMAX, DX): a curve Y = formula(X) made by the
// spreadsheet program, X running from X0 by DX up to XMAX.

#include <string>
#include <string_view>
#include <vector>

namespace merva::macro {

constexpr char NEEDS_SPREADSHEET[] =
    "The Generate command requires the presence of Microsoft Excel version 5.0 or later on your "
    "system.";
constexpr char NO_SPREADSHEET_CONVERSATION[] = "Could not establish a DDE conversation with Excel.";
constexpr char BAD_X0[] = "Error reading X0 from the string ";
constexpr char BAD_XMAX[] = "Error reading XMAX from the string ";
constexpr char BAD_DX[] = "Error reading DX from the string ";
// The rows of an Excel 5 worksheet.
constexpr int GENERATE_MAX_ROWS = 16384;

struct GenerateRequest {
  std::string message;  // empty when sound
  std::string formula;
  double x0 = 0, xmax = 0, dx = 0;
  int rows = 0;
};

GenerateRequest ParseGenerate(std::string_view statement);
// The spreadsheet executes, in order, up to and including the copy.
std::vector<std::string> GenerateExecutes(const GenerateRequest& request);

constexpr char PASTE_COMMAND[] = "[Paste()]";
constexpr char CLOSE_WORKBOOK[] = "[CLOSE(0)]";

}  // namespace merva::macro

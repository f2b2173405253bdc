#include "core/dialog_values.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/number_text.h"

namespace merva {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool ParseDialogReal(std::string_view text, double& value) {
  const std::string field(Trim(text));
  if (field.empty()) return false;
  char* end = nullptr;
  const double number = std::strtod(field.c_str(), &end);
  if (end != field.c_str() + field.size() || !std::isfinite(number)) return false;
  value = number;
  return true;
}

bool ParseDialogInteger(std::string_view text, int& value) {
  const std::string field(Trim(text));
  if (field.empty()) return false;
  char* end = nullptr;
  const long long number = std::strtoll(field.c_str(), &end, 10);
  if (end != field.c_str() + field.size()) return false;
  if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
    return false;
  value = static_cast<int>(number);
  return true;
}

std::string RangeMessage(double low, double high) {
  return "Value must be in the range " + FormatG(low) + " to " + FormatG(high) + ".";
}

Status CheckIntegerRange(int value, int low, int high) {
  if (value >= low && value <= high) return Status::Success();
  return Status::Failure(RangeMessage(low, high));
}

Status CheckRealRange(double value, double low, double high) {
  if (value >= low && value <= high) return Status::Success();
  return Status::Failure(RangeMessage(low, high));
}

Status CheckLegendLayout(int maxRows, double lineLengthInches) {
  if (maxRows <= 0) return Status::Failure(std::string("Number of columns must be > 0."));
  if (!(lineLengthInches > 0.0))
    return Status::Failure(std::string("Line length for the legend must be > 0."));
  return Status::Success();
}

int InchesToThousandths(double inches) {
  const double t = std::round(inches * 1000.0);
  if (t > 2147483647.0) return 2147483647;
  if (t < -2147483647.0) return -2147483647;
  return static_cast<int>(t);
}

double ThousandthsToInches(int thousandths) { return thousandths / 1000.0; }

}  // namespace merva

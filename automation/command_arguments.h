#pragma once

// List-directed reading of a command's argument text.

#include <cmath>
#include <limits>
#include <string_view>

#include "core/number_text.h"

namespace merva {

// Reads values in order; once one fails, every later read fails too.
// I: 32-bit integer, R: double, F: single precision.
class ArgumentReader {
 public:
  explicit ArgumentReader(std::string_view text) : reader_(text) {}
  ArgumentReader& I(int& value) {
    ok_ = ok_ && reader_.Next(value);
    return *this;
  }
  ArgumentReader& R(double& value) {
    ok_ = ok_ && reader_.Next(value) && std::isfinite(value);
    return *this;
  }
  // A value beyond single precision is a read error, not an infinity.
  ArgumentReader& F(float& value) {
    double wide = 0;
    ok_ = ok_ && reader_.Next(wide) && std::isfinite(wide) &&
          std::fabs(wide) <= static_cast<double>(std::numeric_limits<float>::max());
    if (ok_) value = static_cast<float>(wide);
    return *this;
  }
  bool AtEnd() { return reader_.AtEnd(); }
  bool Ok() const { return ok_; }

 private:
  FreeFormReader reader_;
  bool ok_ = true;
};

// Splits at the first quotation mark: the text before it and after it.
// False when there is none.
bool SplitAtQuote(std::string_view text, std::string_view& before, std::string_view& after);

}  // namespace merva

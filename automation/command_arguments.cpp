#include "automation/command_arguments.h"

namespace merva {

bool SplitAtQuote(std::string_view text, std::string_view& before, std::string_view& after) {
  const std::size_t q = text.find('"');
  if (q == std::string_view::npos) return false;
  before = text.substr(0, q);
  after = text.substr(q + 1);
  return true;
}

}  // namespace merva

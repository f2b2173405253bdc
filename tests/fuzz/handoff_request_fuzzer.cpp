// Any bytes as the text of a "Plot MERVA File" or "Print MERVA File"
// request, and as a DDE request item name.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "automation/handoff_request.h"
#include "automation/request_replies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace merva;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const HandoffRequest request = ParseHandoffText(text);
  // Nothing longer than the request buffer comes out of it.
  if (request.firstName.size() > static_cast<std::size_t>(HANDOFF_TEXT_LENGTH)) __builtin_trap();
  if (!request.names.empty() && request.names.front() != request.firstName) __builtin_trap();
  DirectoryPart(text);
  int curve = 0;
  if (FindItem(text, curve) == ITEM_CURVE && (curve < 1 || curve > MAX_CURVE_ITEMS))
    __builtin_trap();
  return 0;
}

#include "core/messages.h"

#include <algorithm>
#include <iterator>

namespace merva {

namespace {

struct Entry {
  int number;
  const char* text;
};

constexpr Entry kEntries[] = {
#define MERVA_MESSAGE(number, name, text) {number, text},
#include "core/message_table.inc"
#undef MERVA_MESSAGE
};

}  // namespace

std::string MessageText(int number) {
  const auto it = std::find_if(std::begin(kEntries), std::end(kEntries),
                               [number](const Entry& e) { return e.number == number; });
  return it == std::end(kEntries) ? std::string() : std::string(it->text);
}

}  // namespace merva

#include "korvlib/options_list.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace korv {

namespace {

struct OptionKind {
  DWORD bit;
  const char* iconName;
  const char* label;
  bool takesNoun;
};

constexpr OptionKind kOptionKinds[] = {
    {KU_OPTION_NEW, "NEW", "&Create a new ", true},
    {KU_OPTION_OPEN, "OPEN", "&Open an existing ", true},
    {KU_OPTION_VIEW, "VIEW", "&View existing output", false},
    {KU_OPTION_SAVE, "SAVE", "&Save ", true},
    {KU_OPTION_RUN, "RUN", "&Run with an existing ", true},
};

}  // namespace

bool CopyOptionsRequest(const KUOPTIONSREQUEST* request, KUOPTIONSREQUEST& copy) {
  if (!request) return false;
  std::memcpy(&copy, request, sizeof copy);
  copy.noun[KU_NOUN_LENGTH - 1] = '\0';
  return true;
}

int DefaultOptionIndex(DWORD flags, int count) {
  int index = 0;
  switch (flags & KU_DEFAULT_MASK) {
    case KU_DEFAULT_2ND:
      index = 1;
      break;
    case KU_DEFAULT_3RD:
      index = 2;
      break;
    case KU_DEFAULT_4TH:
      index = 3;
      break;
    case KU_DEFAULT_5TH:
      index = 4;
      break;
    case KU_DEFAULT_6TH:
      index = 5;
      break;
    default:
      index = 0;
      break;
  }
  return index < count ? index : 0;
}

OptionList ListOptions(DWORD flags, const char* noun) {
  OptionList list;
  for (const OptionKind& kind : kOptionKinds) {
    if (!(flags & kind.bit)) continue;
    ListedOption& option = list.options[list.count++];
    option.value = static_cast<int>(kind.bit);
    option.iconName = kind.iconName;
    std::string label = kind.label;
    if (kind.takesNoun && noun) label += noun;
    label.resize(std::min<std::size_t>(label.size(), MAX_LABEL_LENGTH));
    std::memcpy(option.label, label.c_str(), label.size() + 1);
  }
  list.selected = DefaultOptionIndex(flags, list.count);
  return list;
}

}  // namespace korv

#include "io/link_table.h"

#include <algorithm>

namespace merva {

bool LinkTable::Add(const LinkEntry& entry) {
  if (Full() || entry.conversation == 0 || Find(entry.conversation)) return false;
  entries_.push_back(entry);
  return true;
}

const LinkEntry* LinkTable::Find(uintptr_t conversation) const {
  for (const LinkEntry& entry : entries_)
    if (entry.conversation == conversation) return &entry;
  return nullptr;
}

bool LinkTable::Remove(uintptr_t conversation) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const LinkEntry& e) { return e.conversation == conversation; });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

std::vector<uintptr_t> LinkTable::RemoveSlot(int docSlot) {
  std::vector<uintptr_t> removed;
  for (const LinkEntry& entry : entries_)
    if (entry.docSlot == docSlot) removed.push_back(entry.conversation);
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const LinkEntry& e) { return e.docSlot == docSlot; }),
                 entries_.end());
  return removed;
}

bool LinkTable::HasSlot(int docSlot) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const LinkEntry& e) { return e.docSlot == docSlot; });
}

std::string LinkCaption(std::string_view topic, bool hotLink) {
  std::string_view name = topic;
  // A spreadsheet topic "C:\data\[Book1.xls]Sheet1": the path ends before "[".
  const std::size_t bracket = name.find('[');
  const std::string_view path = name.substr(0, bracket);
  const std::size_t cut = path.find_last_of("\\/:");
  if (cut != std::string_view::npos) name.remove_prefix(cut + 1);
  std::string caption(name.empty() ? topic : name);
  if (hotLink) caption += LINK_CAPTION_SUFFIX;
  return caption;
}

}  // namespace merva

namespace merva {

std::string ServerProgramFromCommand(std::string_view command) {
  std::string lower;
  for (char c : command) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  std::size_t start = lower.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  if (lower[start] == '"') ++start;
  const std::size_t exe = lower.find(".exe", start);
  if (exe == std::string::npos) return std::string();
  return lower.substr(start, exe + 4 - start);
}

}  // namespace merva

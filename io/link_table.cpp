#include "io/link_table.h"

#include <algorithm>

namespace merva {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

bool LinkTable::Add(const LinkEntry& entry) {
  if (Full() || entry.conversation == 0) return false;
  entries_.push_back(entry);
  return true;
}

bool LinkTable::Has(uintptr_t conversation) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const LinkEntry& e) { return e.conversation == conversation; });
}

std::vector<LinkEntry> LinkTable::ForItem(uintptr_t conversation, std::string_view item) const {
  std::vector<LinkEntry> found;
  for (const LinkEntry& entry : entries_)
    if (entry.conversation == conversation && SameName(entry.item, item)) found.push_back(entry);
  return found;
}

std::vector<LinkEntry> LinkTable::TakeUpdate(uintptr_t conversation, std::string_view item,
                                             const std::string& text) {
  std::vector<LinkEntry> found;
  for (LinkEntry& entry : entries_) {
    if (entry.conversation != conversation || !SameName(entry.item, item)) continue;
    if (entry.lastText == text) continue;
    entry.lastText = text;
    found.push_back(entry);
  }
  return found;
}

void LinkTable::SetCurves(uintptr_t conversation, int docSlot, int firstCurve, int curves) {
  for (LinkEntry& entry : entries_)
    if (entry.conversation == conversation && entry.docSlot == docSlot &&
        entry.firstCurve == firstCurve)
      entry.curves = curves;
}

uintptr_t LinkTable::ConversationWith(std::string_view application, std::string_view topic) const {
  for (const LinkEntry& entry : entries_)
    if (SameName(entry.application, application) && SameName(entry.topic, topic))
      return entry.conversation;
  return 0;
}

bool LinkTable::Remove(uintptr_t conversation) {
  const auto end = std::remove_if(entries_.begin(), entries_.end(), [&](const LinkEntry& e) {
    return e.conversation == conversation;
  });
  const bool removed = end != entries_.end();
  entries_.erase(end, entries_.end());
  return removed;
}

std::vector<uintptr_t> LinkTable::RemoveSlot(int docSlot) {
  std::vector<uintptr_t> candidates;
  for (const LinkEntry& entry : entries_)
    if (entry.docSlot == docSlot) candidates.push_back(entry.conversation);
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const LinkEntry& e) { return e.docSlot == docSlot; }),
                 entries_.end());
  std::vector<uintptr_t> unused;
  for (uintptr_t conversation : candidates)
    if (!Has(conversation) && std::find(unused.begin(), unused.end(), conversation) == unused.end())
      unused.push_back(conversation);
  return unused;
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

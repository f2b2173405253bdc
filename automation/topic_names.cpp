#include "automation/topic_names.h"

#include "core/number_text.h"

namespace merva {

const char* const SERVICE_NAME = "MERVAW";

TopicTable::TopicTable() {
  names_[TOPIC_SYSTEM - 1] = "System";
  names_[TOPIC_ROZAVA - 1] = "ROZava";
}

void TopicTable::SetSlotName(int slot, std::string name) {
  if (slot < 1 || slot > MAX_DOCUMENTS) return;
  names_[static_cast<std::size_t>(slot + 1)] = std::move(name);
}

int TopicTable::Find(std::string_view name) const {
  if (name.empty()) return 0;
  for (int topic = 1; topic <= TOPIC_COUNT; ++topic)
    if (EqualsIgnoreCase(Name(topic), name)) return topic;
  return 0;
}

namespace {

bool IsTemporaryName(std::string_view name) {
  return !name.empty() && name.front() == '~' && name.size() >= 3 &&
         name.substr(name.size() - 3) == "TMP";
}

}  // namespace

std::string NameDocument(DocumentTable& documents, TopicTable& topics, int slot,
                         std::string_view proposed) {
  if (!documents.IsOpen(slot)) return std::string();
  PlotDocument& document = documents.Document(slot);
  const std::string plotName = "Plot" + std::to_string(slot);
  std::string name;
  bool hasTopic = true;
  proposed = TrimRight(proposed);
  if (document.curveCount == 0) {
    name = plotName;
    hasTopic = false;
  } else if (proposed.size() < 2 || IsTemporaryName(proposed)) {
    name = plotName;
  } else {
    name = std::string(proposed.substr(0, FILE_TITLE_WIDTH - 1));
    auto taken = [&](const std::string& candidate) {
      int same = 0;
      for (int other = 1; other <= MAX_DOCUMENTS; ++other)
        if (other != slot && documents.IsOpen(other) &&
            EqualsIgnoreCase(documents.Document(other).fileTitle.Trimmed(), candidate))
          ++same;
      return same;
    };
    // Topic names ignore case, so the same name in another case would be
    // the same topic; a suffix already taken moves on to the next.
    int same = taken(name);
    if (same > 0) {
      std::string candidate;
      do {
        candidate = name + static_cast<char>('0' + same);
        ++same;
      } while (taken(candidate) > 0 && same < 75);
      name = candidate;
    }
  }
  document.fileTitle.Set(name);
  topics.SetSlotName(slot, hasTopic ? name : std::string());
  return name;
}

std::string NameFromWindowTitle(std::string_view title) {
  const std::size_t dash = title.find(" - ");
  if (dash != std::string_view::npos) title = title.substr(0, dash);
  return std::string(TrimRight(TrimLeft(title)));
}

}  // namespace merva

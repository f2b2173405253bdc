#pragma once

// The DDE topic names: "System", "ROZava" and one per named document, and
// the rule that names a document.

#include <array>
#include <string>
#include <string_view>

#include "core/document_table.h"

namespace merva {

constexpr int TOPIC_COUNT = 10;
constexpr int TOPIC_SYSTEM = 1;
constexpr int TOPIC_ROZAVA = 2;
constexpr int FIRST_DOCUMENT_TOPIC = 3;  // slot 1; slot s is topic s + 2

extern const char* const SERVICE_NAME;  // "MERVAW"

class TopicTable {
 public:
  TopicTable();
  // Entry 1..10; empty when the slot has no topic.
  const std::string& Name(int topic) const { return names_[static_cast<std::size_t>(topic - 1)]; }
  const std::string& SlotName(int slot) const { return Name(slot + 2); }
  void SetSlotName(int slot, std::string name);
  void ClearSlot(int slot) { SetSlotName(slot, std::string()); }
  // The topic whose name equals `name` without regard to case; 0 when none.
  int Find(std::string_view name) const;
  // The slot of a document topic, 0 for the others.
  static int SlotOfTopic(int topic) {
    return topic >= FIRST_DOCUMENT_TOPIC && topic <= TOPIC_COUNT ? topic - 2 : 0;
  }

 private:
  std::array<std::string, TOPIC_COUNT> names_;
};

// Names the document of `slot` after `proposed`: "Plot" and the slot number
// for a document without curves (no topic), for a name shorter than two
// characters and for a temporary file ("~...TMP"); a name other open
// documents already carry gets one character appended, "0" plus their
// number. Sets fileTitle and the topic; returns the name.
std::string NameDocument(DocumentTable& documents, TopicTable& topics, int slot,
                         std::string_view proposed);

// The part of a window title that names a poked document: the text before
// the first " - ", without surrounding blanks.
std::string NameFromWindowTitle(std::string_view title);

}  // namespace merva

#pragma once

// The server side of one DDE conversation: the document it drives and the
// switches its command strings set.

#include <array>
#include <cstdint>

namespace merva {

constexpr int MAX_CONVERSATIONS = 100;

struct Conversation {
  uintptr_t handle = 0;   // 0 = free record
  int docSlot = 0;        // 1..8, 0 = none
  int selectedCurve = 0;  // negative = every curve; 0 acts as curve 1
  int reserved = 0;
  int postponeRedraw = 0;
  int fileType = 1;
  int errorMessages = 1;
  int enableUi = 1;

  // The switches a conversation starts with; the handle and slot stay.
  void ResetSwitches();
};

class ConversationTable {
 public:
  // Records a confirmed conversation in the first free record; null when
  // all records are in use (the conversation then goes unrecorded).
  Conversation* Add(uintptr_t handle, int docSlot);
  Conversation* Find(uintptr_t handle);
  // Clears the record; false when the handle was not recorded.
  bool Remove(uintptr_t handle);
  int InUse() const;
  // A document slot closed: conversations bound to it lose their document.
  void ForgetSlot(int slot);
  Conversation& Record(int index) { return records_[static_cast<std::size_t>(index)]; }

 private:
  std::array<Conversation, MAX_CONVERSATIONS> records_{};
};

}  // namespace merva

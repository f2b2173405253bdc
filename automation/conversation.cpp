#include "automation/conversation.h"

namespace merva {

void Conversation::ResetSwitches() {
  selectedCurve = 0;
  reserved = 0;
  postponeRedraw = 0;
  fileType = 1;
  errorMessages = 1;
  enableUi = 1;
}

Conversation* ConversationTable::Add(uintptr_t handle, int docSlot) {
  if (handle == 0) return nullptr;
  for (Conversation& c : records_) {
    if (c.handle != 0) continue;
    c = Conversation{};
    c.handle = handle;
    c.docSlot = docSlot;
    return &c;
  }
  return nullptr;
}

Conversation* ConversationTable::Find(uintptr_t handle) {
  if (handle == 0) return nullptr;
  for (Conversation& c : records_)
    if (c.handle == handle) return &c;
  return nullptr;
}

bool ConversationTable::Remove(uintptr_t handle) {
  Conversation* c = Find(handle);
  if (!c) return false;
  *c = Conversation{};
  return true;
}

int ConversationTable::InUse() const {
  int n = 0;
  for (const Conversation& c : records_) n += c.handle != 0 ? 1 : 0;
  return n;
}

void ConversationTable::ForgetSlot(int slot) {
  for (Conversation& c : records_)
    if (c.handle != 0 && c.docSlot == slot) c.docSlot = 0;
}

}  // namespace merva

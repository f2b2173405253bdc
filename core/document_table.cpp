#include "core/document_table.h"

#include <cassert>

#include "core/array_sizing.h"
#include "core/messages.h"

namespace merva {

int ClampCurveCapacity(int numcurves) {
  return (numcurves < 1 || numcurves > MAX_CURVE_SLOTS) ? DEFAULT_CURVE_CAPACITY : numcurves;
}

int ClampPointCapacity(int numpoints) {
  return numpoints < MINIMUM_POINT_CAPACITY ? DEFAULT_POINT_CAPACITY : numpoints;
}

int DocumentTable::Open(int curves, int points, Status& status, Initialiser initialise,
                        void* context) {
  status = Status::Success();
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot) {
    Slot& s = slots_[static_cast<std::size_t>(slot - 1)];
    if (s.document) continue;
    auto document = std::make_unique<PlotDocument>();
    SetCompiledDefaults(*document);
    if (initialise) initialise(*document, context);
    status = Allocate(*document, ClampCurveCapacity(curves), ClampPointCapacity(points));
    if (!status.Ok()) return 0;
    s.document = std::move(document);
    s.window = nullptr;
    return slot;
  }
  status = Status::Failure(MSG_TOO_MANY_WINDOWS);
  return 0;
}

void DocumentTable::Close(int slot) {
  if (slot < 1 || slot > MAX_DOCUMENTS) return;
  Slot& s = slots_[static_cast<std::size_t>(slot - 1)];
  s.document.reset();
  s.window = nullptr;
  if (currentDocument == slot) currentDocument = 0;
}

bool DocumentTable::IsOpen(int slot) const {
  return slot >= 1 && slot <= MAX_DOCUMENTS &&
         slots_[static_cast<std::size_t>(slot - 1)].document != nullptr;
}

int DocumentTable::OpenCount() const {
  int n = 0;
  for (const Slot& s : slots_) n += s.document ? 1 : 0;
  return n;
}

PlotDocument& DocumentTable::Document(int slot) {
  assert(IsOpen(slot));
  return *slots_[static_cast<std::size_t>(slot - 1)].document;
}

const PlotDocument& DocumentTable::Document(int slot) const {
  assert(IsOpen(slot));
  return *slots_[static_cast<std::size_t>(slot - 1)].document;
}

WindowHandle DocumentTable::Window(int slot) const {
  return IsOpen(slot) ? slots_[static_cast<std::size_t>(slot - 1)].window : nullptr;
}

void DocumentTable::SetWindow(int slot, WindowHandle window) {
  if (IsOpen(slot)) slots_[static_cast<std::size_t>(slot - 1)].window = window;
}

int DocumentTable::SlotOfWindow(WindowHandle window) const {
  if (!window) return 0;
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
    if (slots_[static_cast<std::size_t>(slot - 1)].window == window) return slot;
  return 0;
}

}  // namespace merva

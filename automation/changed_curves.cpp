#include "automation/changed_curves.h"

#include <array>
#include <bitset>

namespace merva {

namespace {

std::array<std::bitset<MAX_CURVE_SLOTS>, MAX_DOCUMENTS>& Masks() {
  static std::array<std::bitset<MAX_CURVE_SLOTS>, MAX_DOCUMENTS> masks;
  return masks;
}

bool ValidSlot(int slot) { return slot >= 1 && slot <= MAX_DOCUMENTS; }

}  // namespace

void MarkCurveChanged(int slot, int curve) { MarkCurvesChanged(slot, curve, curve); }

void MarkCurvesChanged(int slot, int first, int last) {
  if (!ValidSlot(slot)) return;
  if (first < 1) first = 1;
  if (last > MAX_CURVE_SLOTS) last = MAX_CURVE_SLOTS;
  for (int c = first; c <= last; ++c)
    Masks()[static_cast<std::size_t>(slot - 1)].set(static_cast<std::size_t>(c - 1));
}

bool TakeCurveChanged(int slot, int curve) {
  if (!ValidSlot(slot) || curve < 1 || curve > MAX_CURVE_SLOTS) return false;
  auto& mask = Masks()[static_cast<std::size_t>(slot - 1)];
  const bool set = mask.test(static_cast<std::size_t>(curve - 1));
  mask.reset(static_cast<std::size_t>(curve - 1));
  return set;
}

void ClearChangedCurves(int slot) {
  if (ValidSlot(slot)) Masks()[static_cast<std::size_t>(slot - 1)].reset();
}

}  // namespace merva

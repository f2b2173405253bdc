#pragma once

#include <array>
#include <memory>

#include "core/constants.h"
#include "core/plot_document.h"
#include "core/status.h"

namespace merva {

// Opaque window handle of a slot, as the window layer stores it.
using WindowHandle = void*;

// The program-wide table of the eight document slots.
class DocumentTable {
 public:
  // Opens a document in the first empty slot: compiled-in defaults, then
  // `initialise` (the settings) and matrices of the given capacity.
  // Returns the slot number, 0 when all slots are taken (message 133 in
  // `status`) or when the matrices could not be allocated.
  using Initialiser = void (*)(PlotDocument&, void* context);
  int Open(int curves, int points, Status& status, Initialiser initialise = nullptr,
           void* context = nullptr);
  void Close(int slot);

  bool IsOpen(int slot) const;
  int OpenCount() const;
  PlotDocument& Document(int slot);
  const PlotDocument& Document(int slot) const;

  WindowHandle Window(int slot) const;
  void SetWindow(int slot, WindowHandle window);
  // The slot whose window is `window`, 0 when none.
  int SlotOfWindow(WindowHandle window) const;

  int currentDocument = 0;
  PlotDocument& Current() { return Document(currentDocument); }

 private:
  struct Slot {
    std::unique_ptr<PlotDocument> document;
    WindowHandle window = nullptr;
  };
  std::array<Slot, MAX_DOCUMENTS> slots_{};
};

// The capacities of new documents after the clamps of the settings.
int ClampCurveCapacity(int numcurves);
int ClampPointCapacity(int numpoints);

}  // namespace merva

#include "app/program.h"

namespace merva::app {

Program& TheProgram() {
  static Program program;
  return program;
}

int ActiveSlot() {
  DocumentTable& documents = Documents();
  return documents.IsOpen(documents.currentDocument) ? documents.currentDocument : 0;
}

PlotDocument* ActiveDocument() {
  const int slot = ActiveSlot();
  return slot ? &Documents().Document(slot) : nullptr;
}

HWND SlotWindow(int slot) { return static_cast<HWND>(Documents().Window(slot)); }

int WindowSlot(HWND window) {
  if (!window) return 0;
  const int slot = static_cast<int>(GetWindowLongPtrA(window, DOCUMENT_SLOT_OFFSET));
  return Documents().IsOpen(slot) && SlotWindow(slot) == window ? slot : 0;
}

std::string ProgramFile(const std::string& name) { return TheProgram().programFolder + name; }

}  // namespace merva::app

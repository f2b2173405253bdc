// Any bytes as a DDE execute string, against a host that only records what
// the program would do; the document table must stay addressable.

#include <cstddef>
#include <cstdint>

#include "../automation/fake_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace merva;
  test::Session s;
  // Two strings on one conversation: the second meets what the first left.
  const char* text = reinterpret_cast<const char*>(data);
  const std::size_t half = size / 2;
  ExecuteCommandString(s.host, s.cells, &s.conversation, text, half);
  ExecuteCommandString(s.host, s.cells, &s.conversation, text + half, size - half);
  DocumentTable& documents = s.host.documents;
  for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot) {
    if (!documents.IsOpen(slot)) continue;
    const PlotDocument& d = documents.Document(slot);
    if (d.curveCount < 0 || d.curveCount > d.maxCurves) __builtin_trap();
    for (int c = 1; c <= d.curveCount; ++c) {
      if (d.pointCount[c] < 0 || d.pointCount[c] > d.maxPoints) __builtin_trap();
      if (d.pointCount[c] > 0) {
        volatile float last = d.Y(c, d.pointCount[c]);
        (void)last;
      }
    }
  }
  return 0;
}

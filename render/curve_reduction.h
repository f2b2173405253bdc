#pragma once

// Fewer segments for long curves, the same pixels: a solid line one device
// unit wide covers, in a device column, every pixel between the lowest and
// the highest point of the run of points that falls into it. So per run of
// points in one column (or one row, for steep data) the first, the last,
// the lowest and the highest point, in the order the line visits them,
// draw the same picture as the whole run.

#include <cstdint>
#include <vector>

#include "render/line_writer.h"

namespace merva {

struct DeviceVertex {
  double x = 0, y = 0;
};

class PolylineReducer {
 public:
  // With `clip` (the program clips itself), runs that leave the box are
  // kept whole, so that the clipped pieces stay as they were.
  explicit PolylineReducer(const ClipBox* clip = nullptr) : clip_(clip) {}

  // The next point of the line, device coordinates before rounding.
  void Add(double x, double y);
  // The line ends: the last run keeps what decides its final pixel.
  void Finish();
  // Points ready to be drawn, in order; the caller empties it.
  std::vector<DeviceVertex>& Ready() { return ready_; }

 private:
  enum Mode { UNDECIDED, COLUMN, ROW };
  void EmitRun(bool final);
  void EmitReduced(bool final);

  const ClipBox* clip_;
  std::vector<DeviceVertex> run_;
  int32_t runX_ = 0, runY_ = 0;  // pixel of the run's first point
  Mode mode_ = UNDECIDED;
  bool runInside_ = true;
  std::vector<DeviceVertex> ready_;
};

// Device positions already used for a symbol, so each is drawn once.
class PositionSet {
 public:
  PositionSet(int left, int top, int right, int bottom);
  // False when the position was there already (positions outside the
  // rectangle are always new).
  bool Insert(int x, int y);

 private:
  int left_, top_, width_, height_;
  std::vector<uint64_t> bits_;
};

// Rounding as the line writer does it.
int32_t RoundDevice(double v);

}  // namespace merva

#pragma once

// Lines as the plot draws them: a 32-bit on/off mask along the line (one
// bit per dash unit, bit 0 first), optionally clipped by the program
// itself against a rectangle, written to a surface as polylines.

#include <cstdint>
#include <vector>

#include "render/drawing_surface.h"

namespace merva {

struct ClipBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(double x, double y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// Cuts the segment to the box; false when nothing of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const ClipBox& box);

// Clips a closed polygon to the box (empty when nothing is inside).
std::vector<DevicePoint> ClipPolygon(const std::vector<DevicePoint>& polygon, const ClipBox& box);

class LineWriter {
 public:
  // `clip` null: the surface clips.
  LineWriter(DrawingSurface& surface, uint32_t mask, double unit, const ClipBox* clip);
  ~LineWriter() { Flush(); }

  // Starts a new line; the pattern restarts.
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void Flush();

 private:
  void AddOn(double x, double y);
  void EndRun();
  void EmitRun();
  void Put(double x, double y, bool start);

  DrawingSurface& surface_;
  uint32_t mask_;
  double unit_;
  const ClipBox* clip_;
  bool solid_;
  bool havePoint_ = false;
  double lastX_ = 0, lastY_ = 0;
  double phase_ = 0;              // position along the pattern in dash units
  std::vector<DevicePoint> run_;  // the "on" piece in progress, before clipping
  std::vector<double> runX_, runY_;
  std::vector<DevicePoint> out_;
};

}  // namespace merva

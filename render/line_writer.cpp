#include "render/line_writer.h"

#include <algorithm>
#include <cmath>

namespace merva {

namespace {

constexpr int PATTERN_BITS = 32;
constexpr std::size_t MAX_RUN = 4096;

int32_t Round16(double v) {
  return static_cast<int32_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

}  // namespace

bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const ClipBox& box) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - box.left, box.right - x0, y0 - box.top, box.bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      if (r > t1) return false;
      if (r > t0) t0 = r;
    } else {
      if (r < t0) return false;
      if (r < t1) t1 = r;
    }
  }
  const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
  const double nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
  x0 = nx0;
  y0 = ny0;
  x1 = nx1;
  y1 = ny1;
  return true;
}

std::vector<DevicePoint> ClipPolygon(const std::vector<DevicePoint>& polygon, const ClipBox& box) {
  struct P {
    double x, y;
  };
  std::vector<P> current;
  current.reserve(polygon.size());
  for (const DevicePoint& p : polygon) current.push_back({double(p.x), double(p.y)});
  for (int edge = 0; edge < 4 && !current.empty(); ++edge) {
    auto inside = [&](const P& p) {
      switch (edge) {
        case 0:
          return p.x >= box.left;
        case 1:
          return p.x <= box.right;
        case 2:
          return p.y >= box.top;
        default:
          return p.y <= box.bottom;
      }
    };
    auto cut = [&](const P& a, const P& b) {
      double t = 0.0;
      switch (edge) {
        case 0:
          t = (box.left - a.x) / (b.x - a.x);
          break;
        case 1:
          t = (box.right - a.x) / (b.x - a.x);
          break;
        case 2:
          t = (box.top - a.y) / (b.y - a.y);
          break;
        default:
          t = (box.bottom - a.y) / (b.y - a.y);
          break;
      }
      return P{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    };
    std::vector<P> next;
    for (std::size_t i = 0; i < current.size(); ++i) {
      const P& a = current[i];
      const P& b = current[(i + 1) % current.size()];
      const bool ina = inside(a), inb = inside(b);
      if (ina) next.push_back(a);
      if (ina != inb) next.push_back(cut(a, b));
    }
    current.swap(next);
  }
  std::vector<DevicePoint> out;
  for (const P& p : current) out.push_back({Round16(p.x), Round16(p.y)});
  return out;
}

LineWriter::LineWriter(DrawingSurface& surface, uint32_t mask, double unit, const ClipBox* clip)
    : surface_(surface),
      mask_(mask),
      unit_(unit > 0.0 ? unit : 1.0),
      clip_(clip),
      solid_(mask == 0xFFFFFFFFu) {}

void LineWriter::MoveTo(double x, double y) {
  EndRun();
  phase_ = 0.0;
  lastX_ = x;
  lastY_ = y;
  havePoint_ = true;
  if (solid_) AddOn(x, y);
}

void LineWriter::AddOn(double x, double y) {
  runX_.push_back(x);
  runY_.push_back(y);
  if (runX_.size() >= MAX_RUN) {
    // Long runs go out in pieces that share their end points.
    EmitRun();
    runX_.assign(1, x);
    runY_.assign(1, y);
  }
}

void LineWriter::LineTo(double x, double y) {
  if (!havePoint_) {
    MoveTo(x, y);
    return;
  }
  if (mask_ == 0) {
    lastX_ = x;
    lastY_ = y;
    return;
  }
  if (solid_) {
    AddOn(x, y);
    lastX_ = x;
    lastY_ = y;
    return;
  }
  const double dx = x - lastX_, dy = y - lastY_;
  const double length = std::sqrt(dx * dx + dy * dy);
  double done = 0.0;  // along this segment, device units
  while (done < length) {
    const double whole = std::floor(phase_);
    const int bit = static_cast<int>(whole) % PATTERN_BITS;
    const bool on = (mask_ >> bit) & 1u;
    const double toBoundary = (whole + 1.0 - phase_) * unit_;
    const double step = std::min(toBoundary, length - done);
    const double ax = lastX_ + dx * (done / length), ay = lastY_ + dy * (done / length);
    done += step;
    const double bx = lastX_ + dx * (done / length), by = lastY_ + dy * (done / length);
    if (on) {
      if (runX_.empty()) AddOn(ax, ay);
      AddOn(bx, by);
    } else {
      EndRun();
    }
    phase_ += step / unit_;
    if (phase_ >= PATTERN_BITS) phase_ -= PATTERN_BITS;
  }
  lastX_ = x;
  lastY_ = y;
}

void LineWriter::EndRun() {
  EmitRun();
  runX_.clear();
  runY_.clear();
}

void LineWriter::Put(double x, double y, bool start) {
  const DevicePoint p{Round16(x), Round16(y)};
  if (start && out_.size() >= 2) surface_.Polyline(out_.data(), static_cast<int>(out_.size()));
  if (start) out_.clear();
  if (out_.empty() || out_.back().x != p.x || out_.back().y != p.y || start) out_.push_back(p);
}

void LineWriter::EmitRun() {
  const std::size_t n = runX_.size();
  if (n < 2) return;
  out_.clear();
  if (!clip_) {
    for (std::size_t i = 0; i < n; ++i) Put(runX_[i], runY_[i], i == 0);
  } else {
    bool open = false;
    for (std::size_t i = 1; i < n; ++i) {
      double x0 = runX_[i - 1], y0 = runY_[i - 1], x1 = runX_[i], y1 = runY_[i];
      const bool startInside = clip_->Contains(x0, y0);
      if (!ClipSegment(x0, y0, x1, y1, *clip_)) {
        open = false;
        continue;
      }
      if (!open || !startInside) Put(x0, y0, true);
      Put(x1, y1, false);
      open = clip_->Contains(runX_[i], runY_[i]);
    }
  }
  if (out_.size() == 1) out_.push_back(out_[0]);
  if (out_.size() >= 2) surface_.Polyline(out_.data(), static_cast<int>(out_.size()));
  out_.clear();
}

void LineWriter::Flush() {
  EndRun();
  if (solid_ && havePoint_) AddOn(lastX_, lastY_);
}

}  // namespace merva

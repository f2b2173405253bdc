#pragma once

// A document with curves given as lists of points, for the processing tests.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/document_table.h"

namespace merva {

using Points = std::vector<std::pair<float, float>>;

class CurveFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Status status;
    slot_ = table_.Open(curves_, points_, status);
    ASSERT_TRUE(status.Ok());
  }
  PlotDocument& Doc() { return table_.Document(slot_); }

  // Appends a curve; its legend is "c<number>".
  int Add(const Points& points) {
    PlotDocument& d = Doc();
    if (static_cast<int>(points.size()) > d.maxPoints || d.curveCount >= d.maxCurves) {
      ADD_FAILURE() << "the fixture's document is too small";
      return 0;
    }
    const int c = ++d.curveCount;
    d.pointCount[c] = static_cast<int>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      d.X(c, static_cast<int>(i) + 1) = points[i].first;
      d.Y(c, static_cast<int>(i) + 1) = points[i].second;
    }
    d.legendText[c].Set("c" + std::to_string(c));
    d.InvalidateCurveStates(c);
    return c;
  }
  Points Of(int c) {
    Points points;
    for (int i = 1; i <= Doc().pointCount[c]; ++i)
      points.emplace_back(Doc().X(c, i), Doc().Y(c, i));
    return points;
  }

  int curves_ = 10;
  int points_ = 100;
  DocumentTable table_;
  int slot_ = 0;
};

}  // namespace merva

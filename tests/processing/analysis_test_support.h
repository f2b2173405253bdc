#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "core/document_table.h"

namespace merva {

// A document in a table slot with curves given as X and Y lists.
class AnalysisDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    Status status;
    slot_ = table_.Open(4, 64, status);
    ASSERT_TRUE(status.Ok());
  }
  PlotDocument& Doc() { return table_.Document(slot_); }
  int Add(std::initializer_list<float> x, std::initializer_list<float> y) {
    return Add(std::vector<float>(x), std::vector<float>(y));
  }
  int Add(const std::vector<float>& x, const std::vector<float>& y) {
    const int c = ++Doc().curveCount;
    Doc().pointCount[c] = static_cast<int>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
      Doc().X(c, static_cast<int>(i + 1)) = x[i];
      Doc().Y(c, static_cast<int>(i + 1)) = y[i];
    }
    Doc().InvalidateCurveStates(c);
    return c;
  }
  std::vector<float> Ys(int c) {
    std::vector<float> v;
    for (int i = 1; i <= Doc().pointCount[c]; ++i) v.push_back(Doc().Y(c, i));
    return v;
  }
  std::vector<float> Xs(int c) {
    std::vector<float> v;
    for (int i = 1; i <= Doc().pointCount[c]; ++i) v.push_back(Doc().X(c, i));
    return v;
  }
  DocumentTable table_;
  int slot_ = 0;
};

}  // namespace merva

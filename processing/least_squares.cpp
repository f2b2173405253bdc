#include "processing/least_squares.h"

#include <cmath>
#include <utility>

namespace merva {

NormalEquations::NormalEquations(int order)
    : order_(order),
      powerSums_(static_cast<std::size_t>(2 * order + 1), 0.0),
      rhs_(static_cast<std::size_t>(order + 1), 0.0) {}

std::vector<double> NormalEquations::Matrix() const {
  const std::size_t n = static_cast<std::size_t>(order_) + 1;
  std::vector<double> m(n * n);
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t k = 0; k < n; ++k) m[j * n + k] = powerSums_[j + k];
  return m;
}

bool SolveGaussJordan(std::vector<double>& a, int n, std::vector<double>& b) {
  const std::size_t size = static_cast<std::size_t>(n);
  for (double v : a)
    if (!std::isfinite(v)) return false;
  for (double v : b)
    if (!std::isfinite(v)) return false;
  std::vector<int> used(size, 0), pivotRow(size), pivotColumn(size);
  auto at = [&](std::size_t r, std::size_t c) -> double& { return a[r * size + c]; };
  for (std::size_t step = 0; step < size; ++step) {
    double largest = 0.0;
    std::size_t row = 0, column = 0;
    bool found = false;
    for (std::size_t j = 0; j < size; ++j) {
      if (used[j] == 1) continue;
      for (std::size_t k = 0; k < size; ++k) {
        if (used[k] == 0 && std::fabs(at(j, k)) >= largest) {
          largest = std::fabs(at(j, k));
          row = j;
          column = k;
          found = true;
        } else if (used[k] > 1) {
          return false;
        }
      }
    }
    if (!found || ++used[column] > 1) return false;
    if (row != column) {
      for (std::size_t l = 0; l < size; ++l) std::swap(at(row, l), at(column, l));
      std::swap(b[row], b[column]);
    }
    pivotRow[step] = static_cast<int>(row);
    pivotColumn[step] = static_cast<int>(column);
    const double pivot = at(column, column);
    if (pivot == 0.0 || !std::isfinite(pivot)) return false;
    const double inverse = 1.0 / pivot;
    at(column, column) = 1.0;
    for (std::size_t l = 0; l < size; ++l) at(column, l) *= inverse;
    b[column] *= inverse;
    for (std::size_t r = 0; r < size; ++r) {
      if (r == column) continue;
      const double factor = at(r, column);
      if (factor == 0.0) continue;
      at(r, column) = 0.0;
      for (std::size_t l = 0; l < size; ++l) at(r, l) -= at(column, l) * factor;
      b[r] -= b[column] * factor;
    }
  }
  // The column interchanges, undone in reverse order (they only permute the
  // inverse, which is not kept; the solution is already in place).
  for (std::size_t step = size; step-- > 0;) {
    if (pivotRow[step] != pivotColumn[step]) {
      for (std::size_t r = 0; r < size; ++r)
        std::swap(at(r, static_cast<std::size_t>(pivotRow[step])),
                  at(r, static_cast<std::size_t>(pivotColumn[step])));
    }
  }
  for (double v : b)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace merva

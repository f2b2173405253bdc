#pragma once

// Polynomial least squares by the normal equations, accumulated point by
// point so that the N x (m+1) design matrix is never held, and solved by
// Gauss-Jordan elimination with full pivoting.

#include <cstddef>
#include <vector>

namespace merva {

// Sums of the normal equations of a polynomial of order m: the power sums
// S(p) = sum u^p (p = 0..2m), which fill the normal matrix M(j,k) = S(j+k),
// and the right-hand side r(j) = sum v u^j.
class NormalEquations {
 public:
  // Throws std::bad_alloc when the sums cannot be held (callers catch it).
  explicit NormalEquations(int order);
  int Order() const { return order_; }
  void Add(double u, double v) {
    double power = 1.0;
    const int m = order_;
    for (int p = 0; p <= m; ++p) {
      powerSums_[static_cast<std::size_t>(p)] += power;
      rhs_[static_cast<std::size_t>(p)] += power * v;
      power *= u;
    }
    for (int p = m + 1; p <= 2 * m; ++p) {
      powerSums_[static_cast<std::size_t>(p)] += power;
      power *= u;
    }
  }
  // The symmetric (m+1) x (m+1) normal matrix, row by row.
  std::vector<double> Matrix() const;
  const std::vector<double>& RightHandSide() const { return rhs_; }

 private:
  int order_;
  std::vector<double> powerSums_;
  std::vector<double> rhs_;
};

// Solves matrix * x = rhs in place (rhs becomes x) for an n x n matrix held
// row by row. False when the matrix is singular: a zero pivot, a column
// chosen twice, or sums that are not finite numbers.
bool SolveGaussJordan(std::vector<double>& matrix, int n, std::vector<double>& rhs);

}  // namespace merva

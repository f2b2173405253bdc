// Runs one curve-analysis operation on curves read from a text file and
// writes what it produced, for the comparison with numpy
// (check_analysis.py).
//
//   analysis_driver OP INPUT OUTPUT [ARGUMENTS...]
//
// INPUT: "scale N", then per curve a line "curve" followed by "x y" lines.
// OUTPUT: the result curve as "x y" lines (average, funcy, poly,
// histogram) or one value per line ("nan" outside) for each X and curve
// (interp). A refused operation writes "refused" and its messages.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/document_table.h"
#include "processing/average_curves.h"
#include "processing/curve_functions.h"
#include "processing/histogram.h"
#include "processing/interpolation.h"
#include "processing/polynomial.h"

namespace {

using namespace merva;

struct InputCurve {
  std::vector<float> x, y;
};

bool ReadInput(const char* path, int& scale, std::vector<InputCurve>& curves) {
  std::ifstream in(path);
  std::string word;
  if (!(in >> word >> scale) || word != "scale") return false;
  while (in >> word) {
    if (word == "curve") {
      curves.emplace_back();
      continue;
    }
    if (curves.empty()) return false;
    curves.back().x.push_back(std::strtof(word.c_str(), nullptr));
    if (!(in >> word)) return false;
    curves.back().y.push_back(std::strtof(word.c_str(), nullptr));
  }
  return true;
}

void Load(PlotDocument& d, int scale, const std::vector<InputCurve>& curves) {
  d.scaleType = static_cast<uint8_t>(scale);
  d.curveCount = static_cast<int>(curves.size());
  for (int c = 1; c <= d.curveCount; ++c) {
    const InputCurve& curve = curves[static_cast<std::size_t>(c - 1)];
    d.pointCount[c] = static_cast<int>(curve.x.size());
    for (int i = 1; i <= d.pointCount[c]; ++i) {
      d.X(c, i) = curve.x[static_cast<std::size_t>(i - 1)];
      d.Y(c, i) = curve.y[static_cast<std::size_t>(i - 1)];
    }
  }
}

void WriteCurve(std::ostream& out, const PlotDocument& d, int c) {
  char line[80];
  for (int i = 1; i <= d.pointCount[c]; ++i) {
    std::snprintf(line, sizeof line, "%.9g %.9g\n", d.X(c, i), d.Y(c, i));
    out << line;
  }
}

int Refused(std::ostream& out, const Status& status) {
  out << "refused\n" << status.Text() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: analysis_driver OP INPUT OUTPUT [ARGUMENTS...]\n";
    return 2;
  }
  const std::string op = argv[1];
  std::vector<double> args;
  for (int i = 4; i < argc; ++i) args.push_back(std::strtod(argv[i], nullptr));
  int scale = 1;
  std::vector<InputCurve> curves;
  if (!ReadInput(argv[2], scale, curves) || curves.size() > MAX_CURVE_SLOTS) {
    std::cerr << "unreadable input " << argv[2] << "\n";
    return 2;
  }
  std::size_t longest = 2;
  for (const InputCurve& c : curves) longest = std::max(longest, c.x.size());
  DocumentTable table;
  Status status;
  const int curveCapacity = std::max<int>(1, static_cast<int>(curves.size()));
  const int slot = table.Open(curveCapacity, static_cast<int>(longest), status);
  if (slot == 0) return 2;
  PlotDocument& d = table.Document(slot);
  Load(d, scale, curves);
  std::ofstream out(argv[3]);
  if (op == "interp") {
    char line[40];
    for (double x : args) {
      for (int c = 1; c <= d.curveCount; ++c) {
        MonotonicState(d, c);
        int k = 1;
        double value = 0.0;
        const bool found = InterpolateCurve(d, c, x, k, value) == INTERPOLATION_FOUND;
        std::snprintf(line, sizeof line, found ? "%.17g " : "nan ", value);
        out << line;
      }
      out << "\n";
    }
    return 0;
  }
  if (op == "average") {
    status = AverageAllCurves(d);
  } else if (op == "funcy" && args.size() == 3) {
    status = CombineCurves(d, static_cast<int>(args[0]), static_cast<int>(args[1]),
                           static_cast<int>(args[2]));
  } else if (op == "poly" && args.size() == 10) {
    PolynomialCoefficients c{};
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = args[k + 1];
    status = PolynomialTransform(d, static_cast<int>(args[0]), c);
  } else if (op == "histogram" && args.size() == 2) {
    PlotDocument& h = table.Document(table.Open(1, 2, status));
    status = BuildHistogram(d, static_cast<int>(args[0]), args[1], h);
    if (!status.Ok()) return Refused(out, status);
    WriteCurve(out, h, 1);
    out << "title2 " << h.title2.Str() << "\n";
    return 0;
  } else {
    std::cerr << "unknown operation " << op << "\n";
    return 2;
  }
  if (!status.Ok()) return Refused(out, status);
  WriteCurve(out, d, d.curveCount);
  return 0;
}

#include "io/point_lists.h"

#include <cmath>

#include "io/import_common.h"
#include "io/line_reader.h"
#include "io/number_fields.h"

namespace merva {

namespace {

// Numbers across the lines of a file.
class NumberStream {
 public:
  explicit NumberStream(LineReader& reader) : reader_(reader) {}
  bool Next(double& value) {
    std::string_view field;
    while (!NextField(rest_, field)) {
      bool tooLong = false;
      if (!reader_.Next(rest_, tooLong) || tooLong) return false;
    }
    return ReadNumberField(field, value);
  }

 private:
  LineReader& reader_;
  std::string_view rest_;
};

}  // namespace

Status ImportPointList(PlotDocument& d, const std::string& path, int firstCurve,
                       bool evenlySpaced) {
  LineReader reader;
  if (!reader.Open(path)) return OpenFailure(path);
  NumberStream numbers(reader);
  double count = 0, dx = 0;
  if (!numbers.Next(count) || !(count >= 1) || count != std::floor(count) ||
      (evenlySpaced && !numbers.Next(dx)))
    return DataValueFailure(path);
  // Every value takes a character and a separator: a count beyond that is
  // a false claim, and no memory is taken for it.
  const double values = evenlySpaced ? count : 2 * count;
  if (values > static_cast<double>(FileSize(path)) / 2 + 1) return DataValueFailure(path);
  const long long n = static_cast<long long>(count);
  Status room = MakeRoom(d, firstCurve, firstCurve, n);
  if (!room.Ok()) return room;
  float* x = d.xValues.Column(firstCurve);
  float* y = d.yValues.Column(firstCurve);
  for (long long i = 0; i < n; ++i) {
    double a = 0, b = 0;
    if (evenlySpaced) {
      if (!numbers.Next(b)) return DataValueFailure(path);
      a = static_cast<double>(i) * dx;
    } else if (!numbers.Next(a) || !numbers.Next(b)) {
      return DataValueFailure(path);
    }
    x[i] = static_cast<float>(a);
    y[i] = static_cast<float>(b);
  }
  FinishCurve(d, firstCurve, static_cast<int>(n));
  CountCurvesUpTo(d, firstCurve);
  return Status::Success();
}

}  // namespace merva

#pragma once

// Program-wide cells a command-language command fills before it sends a
// menu command; the menu handler reads them instead of showing its dialog
// while `macroCommandActive` is 1.

#include <array>
#include <string>

namespace merva {

// Codes of Y3 = f(Y1, Y2).
enum CurveOperation : int {
  CURVE_OP_ADD = 1,
  CURVE_OP_SUBTRACT = 2,
  CURVE_OP_MULTIPLY = 3,
  CURVE_OP_DIVIDE = 4
};

// Filter types.
enum FilterType : int {
  FILTER_USER = 0,
  FILTER_LOWPASS = 1,
  FILTER_BANDPASS = 3,
  FILTER_OPTION1 = 4,
  FILTER_OPTION2 = 5,
  FILTER_OPTION3 = 6,
  FILTER_OPTION4 = 7,
};

constexpr int PENDING_FILE_NAME_WIDTH = 256;
constexpr int LINK_NAME_WIDTH = 255;

struct ParameterCells {
  int macroCommandActive = 0;
  int firstCurve = 1;
  int lastCurve = 1;

  int curveOp = 0;
  int curveOpY1 = 0;
  int curveOpY2 = 0;
  double constantValue = 0.0;
  int intParameter = 0;
  int replaceCurve = 0;

  int filterType = FILTER_USER;
  int filterTwoPass = 0;
  std::array<double, 5> filterCoefficients{};  // C0, C1, C2, D1, D2
  std::array<double, 2> filterCutoffs{};
  int filterTimeScale = 0;

  std::string pendingFileName;  // at most PENDING_FILE_NAME_WIDTH characters
  int currentFileType = 1;      // the file type of the next open or save

  int bitmapWidth = 640;
  int bitmapHeight = 480;
  int metafileWidth = 15240;  // 1/2540 inch
  int metafileHeight = 11430;

  int statusBarVisible = 1;
  int largeButtons = 0;

  // Ranges and parameters of single operations.
  double rangeLow = 0.0;  // truncate X: xmin, xmax
  double rangeHigh = 0.0;
  std::array<double, 3> decimation{};  // decimation parameters p1..p3
  int decimationReplace = 0;
  double processStart = 0.0;  // data-processing start and stop times
  double processStop = 0.0;
  // Baseline shift: time of the shifted value, the value, start and stop.
  double shiftTime = 0.0;
  double shiftValue = 0.0;
  double shiftStart = 0.0;
  double shiftStop = 0.0;
  int constantShift = 0;
  // Data processing: the mode asked for (0 off, 1 on), record type (0..6)
  // and option (the format, 0..2).
  int processState = 0;
  int processRecordType = 0;
  int processOption = 1;
  int processReset = 0;  // 1 when the state is reset before the command
  // Insert Link: application, topic, item.
  std::string linkServer;
  std::string linkTopic;
  std::string linkItem;
  // Erase: the one curve to erase.
  int eraseCurve = 1;
};

ParameterCells& TheParameterCells();

}  // namespace merva

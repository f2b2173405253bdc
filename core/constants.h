#pragma once

namespace merva {

constexpr int MAX_DOCUMENTS = 8;
constexpr int MAX_CURVE_SLOTS = 100;
constexpr int DEFAULT_CURVE_CAPACITY = 100;
constexpr int DEFAULT_POINT_CAPACITY = 1000;
constexpr int MINIMUM_POINT_CAPACITY = 2;

constexpr int MAX_Y_AXES = 4;
constexpr int TEXT_ELEMENT_COUNT =
    7;  // fonts: numbers, title 1, title 2, X axis, Y axis, legend, note
constexpr int MAX_POINT_LABELS = 20;
constexpr int MAX_BASELINE_SHIFTS = 4;
constexpr int ZOOM_STACK_DEPTH = 4;
constexpr int MAX_NOTE_LENGTH = 512;

// Fixed text widths of the document record.
constexpr int FILE_PATH_WIDTH = 256;
constexpr int FILE_TITLE_WIDTH = 128;
constexpr int TITLE_WIDTH = 80;
constexpr int X_LABEL_WIDTH = 160;
constexpr int Y_LABEL_WIDTH = 80;
constexpr int LEGEND_WIDTH = 40;
constexpr int CURVE_TAG_WIDTH = 5;
constexpr int UNIT_LABEL_WIDTH = 16;
constexpr int DATE_FORMAT_WIDTH = 32;
constexpr int NOTE_BUTTON_WIDTH = 32;
constexpr int FACE_NAME_WIDTH = 32;
constexpr int POINT_LABEL_TEXT_WIDTH = 32;

constexpr int USER_UNITS = 127;  // unitSystem value selecting user-defined units

// Scale type codes (menu identifier minus 4165).
enum ScaleType : int {
  SCALE_LINEAR_LINEAR = 1,
  SCALE_LINEAR_LOG = 2,
  SCALE_LOG_LINEAR = 3,
  SCALE_LOG_LOG = 4,
  SCALE_TRIPARTITE = 5,
  SCALE_LINEAR_PROBABILITY = 6,
  SCALE_GRAIN_SIZE = 7,
  SCALE_POLAR = 8,
  SCALE_BAR_CHART = 9,
  SCALE_LOG_PROBABILITY = 10,
  SCALE_PROBABILITY_LINEAR = 11,
  SCALE_PROBABILITY_LOG = 12,
  SCALE_PROBABILITY_PROBABILITY = 13,
};

// Scale types whose X axis is logarithmic.
constexpr bool HasLogX(int scaleType) {
  return scaleType == 3 || scaleType == 4 || scaleType == 5 || scaleType == 7 || scaleType == 10;
}
constexpr bool HasLogY(int scaleType) {
  return scaleType == 2 || scaleType == 4 || scaleType == 5 || scaleType == 12;
}
constexpr bool HasProbabilityX(int scaleType) { return scaleType >= 11 && scaleType <= 13; }
constexpr bool HasProbabilityY(int scaleType) {
  return scaleType == 6 || scaleType == 10 || scaleType == 13;
}

}  // namespace merva

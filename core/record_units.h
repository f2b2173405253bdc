#pragma once

// What a data-processing record is: its data types, how many running
// integrals each keeps, and the axis titles and curve names of the record
// and its integrals.

#include <string>

namespace merva {

// Data types of the data-processing block.
enum RecordDataType : int {
  DATA_UNKNOWN = 0,
  DATA_PRESSURE = 1,
  DATA_STRESS = 2,
  DATA_ACCELERATION = 3,
  DATA_DEFLECTION = 4,
  DATA_STRAIN = 5,
  DATA_TEMPERATURE = 6,
};
constexpr int LAST_DATA_TYPE = DATA_TEMPERATURE;

// Formats of the mode's plot.
enum RecordFormat : int { RECORD_SQUARE = 0, RECORD_WIDE = 1, RECORD_DEFAULT_SIZE = 2 };

// Views of an acceleration record: the record, or its two integrals.
enum RecordView : int { VIEW_RECORD = 0, VIEW_INTEGRALS = 1 };

constexpr char TIME_AXIS_TITLE[] = "Time, msec";

// K: 1 for pressure and stress, 2 for acceleration, else 0.
int IntegrationCount(int dataType);

// Curves the document must hold for the mode: K + 1, at least 2.
int ProcessingCurveCapacity(int dataType);

// The Y-axis title of the record (integral 0) or of its k-th integral;
// empty where there is none.
std::string RecordUnitLabel(int dataType, int integral);

// The name of the record or of its k-th integral ("Pressure", "Impulse").
std::string RecordCurveName(int dataType, int integral);

}  // namespace merva

#include "core/record_units.h"

namespace merva {

namespace {

bool Known(int dataType, int integral) {
  return dataType >= DATA_UNKNOWN && dataType <= LAST_DATA_TYPE && integral >= 0 &&
         integral <= IntegrationCount(dataType);
}

}  // namespace

int IntegrationCount(int dataType) {
  switch (dataType) {
    case DATA_PRESSURE:
    case DATA_STRESS:
      return 1;
    case DATA_ACCELERATION:
      return 2;
    default:
      return 0;
  }
}

int ProcessingCurveCapacity(int dataType) {
  const int k = IntegrationCount(dataType);
  return k + 1 < 2 ? 2 : k + 1;
}

std::string RecordUnitLabel(int dataType, int integral) {
  static const char* const kLabels[][3] = {
      {"", "", ""},
      {"Pressure, psi", "Impulse, psi-sec", ""},
      {"Stress, psi", "Impulse, psi-sec", ""},
      {"Acceleration, g's", "Velocity, feet/sec", "Displacement, inches"},
      {"Deflection, inches", "", ""},
      {"Strain", "", ""},
      {"Temperature, deg. F", "", ""}};
  return Known(dataType, integral) ? kLabels[dataType][integral] : "";
}

std::string RecordCurveName(int dataType, int integral) {
  static const char* const kNames[][3] = {{"", "", ""},
                                          {"Pressure", "Impulse", ""},
                                          {"Stress", "Impulse", ""},
                                          {"Acceleration", "Velocity", "Displacement"},
                                          {"Deflection", "", ""},
                                          {"Strain", "", ""},
                                          {"Temperature", "", ""}};
  return Known(dataType, integral) ? kNames[dataType][integral] : "";
}

}  // namespace merva

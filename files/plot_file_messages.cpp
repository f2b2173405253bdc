#include "files/plot_file_messages.h"

#include "core/number_text.h"

namespace merva {

namespace {

std::string Joined(std::string_view a, std::string_view b) {
  std::string text(a);
  text += b;
  return text;
}

std::string StatusHex(int32_t ios) { return FormatZ(static_cast<uint32_t>(ios), 8); }

}  // namespace

std::string ReadOnlyText(std::string_view name) { return Joined(name, READ_ONLY_SUFFIX); }

std::string DeleteErrorText(std::string_view name, uint32_t code) {
  return Joined(ERROR_DELETING_PREFIX, name) + std::string(ERROR_DELETING_CODE) + FormatZ(code, 1);
}

std::string NotMervaFileText(std::string_view name) { return Joined(name, NOT_MERVA_FILE_SUFFIX); }

std::string UnsupportedFeaturesText(std::string_view name) {
  return Joined(name, UNSUPPORTED_FEATURES_SUFFIX);
}

std::string TooManyCurvesText(long long total) {
  return std::string(TOO_MANY_CURVES_PREFIX) + std::to_string(total) +
         std::string(TOO_MANY_CURVES_SUFFIX);
}

std::string CurveMessage(std::string_view prefix, int curve) {
  return std::string(prefix) + FormatI(curve, 3);
}

std::string DataPointErrorText(int curve, std::string_view line) {
  std::string text = CurveMessage(ERROR_READING_DATA_POINT, curve);
  text += '.';
  text += MESSAGE_LINE_BREAK;
  text += DATA_POINT_LINE_PREFIX;
  text += line.substr(0, MAX_QUOTED_LINE);
  return text;
}

std::string At9900Text(int32_t ios) { return std::string(AT_9900_PREFIX) + StatusHex(ios); }

std::string ReadErrorText(std::string_view name, int32_t ios) {
  return Joined(ERROR_READING_FILE_PREFIX, name) + std::string(FILE_ERROR_STATUS) + StatusHex(ios);
}

std::string WriteErrorText(std::string_view name, int32_t ios) {
  return Joined(ERROR_WRITING_FILE_PREFIX, name) + std::string(FILE_ERROR_STATUS) + StatusHex(ios);
}

}  // namespace merva

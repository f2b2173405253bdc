#pragma once

// The built (unnumbered) message texts of plot-file reading and writing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace merva {

constexpr std::string_view NO_DATA_TO_SAVE_TEXT = "There is no data to save!";
constexpr std::string_view READ_ONLY_SUFFIX = " is read-only.  Select a different filename.";
constexpr std::string_view ERROR_DELETING_PREFIX = "Error deleting ";
constexpr std::string_view ERROR_DELETING_CODE = ".  OFSTRUCT.nErrCode=0x";
constexpr std::string_view NOT_MERVA_FILE_SUFFIX = " is not a MERVA file.";
constexpr std::string_view UNSUPPORTED_FEATURES_SUFFIX =
    " contains features not supported by MERVA95.  Newer versions of MERVA are available from "
    "your MERVA distributor.";
constexpr std::string_view TOO_MANY_CURVES_PREFIX = "Too many curves (";
constexpr std::string_view TOO_MANY_CURVES_SUFFIX = ") ... Maximum is 100.";
constexpr std::string_view ERROR_READING_CURVE_COUNT = "Error reading number of curves";
constexpr std::string_view ERROR_READING_POINT_COUNT =
    "Error reading number of points for curve no.";
constexpr std::string_view ERROR_READING_DATA_POINT = "Error reading data point for curve no.";
constexpr std::string_view DATA_POINT_LINE_PREFIX = "Line = ";
constexpr std::string_view ERROR_READING_STYLES = "Error reading line, marker styles for curve no.";
constexpr std::string_view AT_9900_PREFIX = "At 9900, ios=0x";
constexpr std::string_view TOO_MANY_COEFFICIENTS =
    "Equation has too many coefficients\nin subroutine D_GEN";
constexpr std::string_view ERROR_READING_FILE_PREFIX = "Error reading ";
constexpr std::string_view ERROR_WRITING_FILE_PREFIX = "Error writing ";
constexpr std::string_view FILE_ERROR_STATUS = ".  ios=0x";
constexpr std::string_view INSUFFICIENT_MEMORY_FOR_FILE = "Insufficient memory for reading ";

// The line break inside a message.
constexpr char MESSAGE_LINE_BREAK = '\n';

// I/O status codes of the reports, as the Fortran run time numbers them.
constexpr int32_t IOS_END_OF_FILE = -1;
constexpr int32_t IOS_CONVERSION_ERROR = 64;
constexpr int32_t IOS_OPEN_FAILED = 29;  // file not found
constexpr int32_t IOS_WRITE_FAILED = 39;

// An offending line is quoted up to this many characters: a line of
// 100,000 characters must not fill a message box.
constexpr std::size_t MAX_QUOTED_LINE = 256;

std::string ReadOnlyText(std::string_view name);
std::string DeleteErrorText(std::string_view name, uint32_t code);
std::string NotMervaFileText(std::string_view name);
std::string UnsupportedFeaturesText(std::string_view name);
std::string TooManyCurvesText(long long total);
// prefix + the curve number right-justified in 3 columns.
std::string CurveMessage(std::string_view prefix, int curve);
std::string DataPointErrorText(int curve, std::string_view line);
std::string At9900Text(int32_t ios);
// The standard file-error reports: file name and I/O status.
std::string ReadErrorText(std::string_view name, int32_t ios);
std::string WriteErrorText(std::string_view name, int32_t ios);

}  // namespace merva

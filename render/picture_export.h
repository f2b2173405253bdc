#pragma once

// Picture dimensions and the placeable header of metafile files.

#include <array>
#include <cstdint>
#include <string>

#include "core/status.h"

namespace merva {

constexpr int PICTURE_UNITS_PER_INCH = 2540;  // hundredths of a millimetre
constexpr int PHYSICAL_SIZE_PICTURE_EXTENT = 20319;
constexpr uint32_t PLACEABLE_METAFILE_KEY = 0x9AC6CDD7u;
constexpr std::size_t PLACEABLE_HEADER_SIZE = 22;
constexpr std::size_t METAFILE_COPY_CHUNK = 16384;

// Inches as stored picture units: value x 2540, to the nearest integer.
int InchesToPictureUnits(double inches);
double PictureUnitsToInches(int units);

// The picture dimensions dialog's check of the four values (metafile
// width and height in inches, bitmap width and height in pixels).
Status CheckPictureDimensions(double metafileWidthInches, double metafileHeightInches,
                              int bitmapWidth, int bitmapHeight);

// The bounding box of a metafile file: stored dimensions minus 1, or the
// fixed extent in physical size mode.
struct PictureBox {
  int16_t left = 0, top = 0, right = 0, bottom = 0;
};
PictureBox MetafileBox(int metafileWidth, int metafileHeight, bool physicalSizeMode);

uint16_t PlaceableHeaderChecksum(const PictureBox& box);
// The 22 header bytes, little-endian.
std::array<uint8_t, PLACEABLE_HEADER_SIZE> PlaceableHeader(const PictureBox& box);

// The enhanced metafile description: "MERVA95", NUL, the title, NUL, NUL.
std::string EnhancedMetafileDescription(const std::string& fileTitle);

}  // namespace merva

#include "render/picture_export.h"

#include <cmath>
#include <limits>

namespace merva {

int InchesToPictureUnits(double inches) {
  const double units = std::floor(inches * PICTURE_UNITS_PER_INCH + 0.5);
  if (!(units < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (!(units > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(units);
}

double PictureUnitsToInches(int units) {
  return static_cast<double>(units) / PICTURE_UNITS_PER_INCH;
}

Status CheckPictureDimensions(double metafileWidthInches, double metafileHeightInches,
                              int bitmapWidth, int bitmapHeight) {
  // A box beyond 16 bits cannot be written into the header.
  const double maxInches = 32767.0 / PICTURE_UNITS_PER_INCH;
  if (!std::isfinite(metafileWidthInches) || !std::isfinite(metafileHeightInches) ||
      metafileWidthInches > maxInches || metafileHeightInches > maxInches)
    return Status::Failure("Out of range");
  if (InchesToPictureUnits(metafileWidthInches) <= 0 ||
      InchesToPictureUnits(metafileHeightInches) <= 0 || bitmapWidth <= 0 || bitmapHeight <= 0)
    return Status::Failure("All dimensions must be greater than 0.");
  return Status::Success();
}

PictureBox MetafileBox(int metafileWidth, int metafileHeight, bool physicalSizeMode) {
  PictureBox box;
  if (physicalSizeMode) {
    box.right = PHYSICAL_SIZE_PICTURE_EXTENT;
    box.bottom = PHYSICAL_SIZE_PICTURE_EXTENT;
  } else {
    box.right = static_cast<int16_t>(metafileWidth - 1);
    box.bottom = static_cast<int16_t>(metafileHeight - 1);
  }
  return box;
}

namespace {

void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v & 0xFF);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
  Put16(p, static_cast<uint16_t>(v & 0xFFFF));
  Put16(p + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::array<uint8_t, PLACEABLE_HEADER_SIZE> PlaceableHeader(const PictureBox& box) {
  std::array<uint8_t, PLACEABLE_HEADER_SIZE> h{};
  Put32(&h[0], PLACEABLE_METAFILE_KEY);
  Put16(&h[4], 0);
  Put16(&h[6], static_cast<uint16_t>(box.left));
  Put16(&h[8], static_cast<uint16_t>(box.top));
  Put16(&h[10], static_cast<uint16_t>(box.right));
  Put16(&h[12], static_cast<uint16_t>(box.bottom));
  Put16(&h[14], PICTURE_UNITS_PER_INCH);
  Put32(&h[16], 0);
  uint16_t checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) checksum ^= static_cast<uint16_t>(h[i] | (h[i + 1] << 8));
  Put16(&h[20], checksum);
  return h;
}

uint16_t PlaceableHeaderChecksum(const PictureBox& box) {
  const auto h = PlaceableHeader(box);
  return static_cast<uint16_t>(h[20] | (h[21] << 8));
}

std::string EnhancedMetafileDescription(const std::string& fileTitle) {
  std::string description = "MERVA95";
  description += '\0';
  description += fileTitle;
  description += '\0';
  description += '\0';
  return description;
}

}  // namespace merva

#include <gtest/gtest.h>

#include "render/picture_export.h"
#include "render/print_layout.h"

namespace merva {
namespace {

const PrinterMetrics kLaser600{600, 600, 4800, 6600};

TEST(PrintLayout, OneInchMarginsAt600Dpi) {
  PageMargins margins{1.0, 1.0, 1.0, 1.0};
  EXPECT_EQ(PrintTargetRect(kLaser600, true, margins), (PageRect{600, 600, 4200, 6000}));
  EXPECT_EQ(PrintTargetRect(kLaser600, false, margins), (PageRect{0, 0, 4800, 6600}));
  PageMargins fractional{0.25, 0.5, 0.001, 0.3333};
  EXPECT_EQ(PrintTargetRect(kLaser600, true, fractional), (PageRect{0, 150, 4600, 6300}));
}

TEST(PrintLayout, ThreeDocumentsInTwoColumns) {
  const PageRect page{0, 0, 4800, 6600};
  auto cells = MultiplePlotCells(page, kLaser600, 3, MultiplePlotArrangement::TwoColumns, 0.5);
  ASSERT_EQ(cells.size(), 3u);
  // Two rows of (6600 - 300) / 2, two columns of (4800 - 300) / 2.
  EXPECT_EQ(cells[0], (PageRect{0, 0, 2250, 3150}));
  EXPECT_EQ(cells[1], (PageRect{2550, 0, 4800, 3150}));
  EXPECT_EQ(cells[2], (PageRect{0, 3450, 2250, 6600}));
}

TEST(PrintLayout, VerticalAndHorizontal) {
  const PageRect page{100, 100, 1100, 1000};
  auto rows = MultiplePlotCells(page, kLaser600, 2, MultiplePlotArrangement::Vertical, 0.1);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (PageRect{100, 100, 1100, 520}));
  EXPECT_EQ(rows[1], (PageRect{100, 580, 1100, 1000}));
  auto columns = MultiplePlotCells(page, kLaser600, 4, MultiplePlotArrangement::Horizontal, 0.0);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[3], (PageRect{850, 100, 1100, 1000}));
  EXPECT_TRUE(MultiplePlotCells(page, kLaser600, 0, MultiplePlotArrangement::Vertical, 0).empty());
}

TEST(PictureExport, SixByFourInchMetafile) {
  EXPECT_EQ(InchesToPictureUnits(6.0), 15240);
  EXPECT_EQ(InchesToPictureUnits(4.0), 10160);
  EXPECT_EQ(InchesToPictureUnits(4.5), 11430);
  const PictureBox box = MetafileBox(15240, 10160, false);
  EXPECT_EQ(box.right, 15239);
  EXPECT_EQ(box.bottom, 10159);
  EXPECT_EQ(PlaceableHeaderChecksum(box), 0x5711 ^ 15239 ^ 10159 ^ 2540);
  const auto h = PlaceableHeader(box);
  const uint8_t expected[22] = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0, 0, 0, 0, 0x87,
                                0x3B, 0xAF, 0x27, 0xEC, 0x09, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 20; ++i) EXPECT_EQ(h[static_cast<std::size_t>(i)], expected[i]) << i;
  const uint16_t checksum = 0x5711 ^ 15239 ^ 10159 ^ 2540;
  EXPECT_EQ(h[20], checksum & 0xFF);
  EXPECT_EQ(h[21], checksum >> 8);
  const PictureBox physical = MetafileBox(15240, 10160, true);
  EXPECT_EQ(physical.right, 20319);
  EXPECT_EQ(physical.bottom, 20319);
}

TEST(PictureExport, DimensionChecks) {
  EXPECT_TRUE(CheckPictureDimensions(6.0, 4.5, 640, 480).Ok());
  EXPECT_EQ(CheckPictureDimensions(0.0, 4.5, 640, 480).Text(),
            "All dimensions must be greater than 0.");
  EXPECT_EQ(CheckPictureDimensions(6.0, 4.5, 640, -1).Text(),
            "All dimensions must be greater than 0.");
  EXPECT_EQ(CheckPictureDimensions(1e9, 4.5, 640, 480).Text(), "Out of range");
  EXPECT_EQ(EnhancedMetafileDescription("A.GRF"), std::string("MERVA95\0A.GRF\0\0", 15));
}

}  // namespace
}  // namespace merva

#include <gtest/gtest.h>

#include <cstring>

#include "automation/binary_plot.h"
#include "automation/handoff_request.h"
#include "automation/request_replies.h"
#include "io/number_fields.h"
#include "automation/topic_names.h"
#include "core/document_table.h"

namespace merva::test {
namespace {

struct Documents {
  Documents() {}
  int Open(int curves = 10, int points = 100) {
    Status status;
    return table.Open(curves, points, status);
  }
  DocumentTable table;
  TopicTable topics;
};

void AddPoints(PlotDocument& d, int curve, int n) {
  if (d.curveCount < curve) d.curveCount = curve;
  d.pointCount[curve] = n;
  for (int p = 1; p <= n; ++p) {
    d.X(curve, p) = static_cast<float>(p);
    d.Y(curve, p) = static_cast<float>(p * 10);
  }
}

TEST(TopicNames, NamingRule) {
  Documents docs;
  const int a = docs.Open(), b = docs.Open(), c = docs.Open();
  EXPECT_EQ(NameDocument(docs.table, docs.topics, a, "data.grf"), "Plot1");  // no curves
  EXPECT_EQ(docs.topics.SlotName(a), "");
  AddPoints(docs.table.Document(a), 1, 3);
  AddPoints(docs.table.Document(b), 1, 3);
  AddPoints(docs.table.Document(c), 1, 3);
  EXPECT_EQ(NameDocument(docs.table, docs.topics, a, "data.grf"), "data.grf");
  EXPECT_EQ(NameDocument(docs.table, docs.topics, b, "DATA.GRF"), "DATA.GRF1");
  EXPECT_EQ(NameDocument(docs.table, docs.topics, c, "data.grf"), "data.grf2");
  EXPECT_EQ(docs.table.Document(c).fileTitle.Str(), "data.grf2");
  EXPECT_EQ(NameDocument(docs.table, docs.topics, c, "x"), "Plot3");
  EXPECT_EQ(NameDocument(docs.table, docs.topics, c, "~GRF1234.TMP"), "Plot3");
  EXPECT_EQ(NameDocument(docs.table, docs.topics, c, "~notes.tmp"), "~notes.tmp");
  EXPECT_EQ(docs.topics.Find("~NOTES.TMP"), 5);
  EXPECT_EQ(docs.topics.Find("system"), TOPIC_SYSTEM);
  EXPECT_EQ(docs.topics.Find("rozava"), TOPIC_ROZAVA);
  EXPECT_EQ(docs.topics.Find("nothing"), 0);
  EXPECT_EQ(NameFromWindowTitle("  Book1 - Microsoft Excel"), "Book1");
  EXPECT_EQ(NameFromWindowTitle("Sheet"), "Sheet");
}

TEST(RequestReplies, SystemTopic) {
  Documents docs;
  std::string reply;
  for (int i = 0; i < 3; ++i) {
    const int slot = docs.Open();
    AddPoints(docs.table.Document(slot), 1, 2);
    NameDocument(docs.table, docs.topics, slot, "doc" + std::to_string(slot) + ".grf");
  }
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_TOPICS, 0, true, reply));
  EXPECT_EQ(reply, "ROZava\tSystem\tdoc1.grf\tdoc2.grf\tdoc3.grf");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_SYSITEMS, 0, true, reply));
  EXPECT_EQ(reply, "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_TOPIC_ITEM_LIST, 0, true,
                               reply));
  EXPECT_EQ(reply, "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_FORMATS, 0, true, reply));
  EXPECT_EQ(reply, "TEXT");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_STATUS, 0, true, reply));
  EXPECT_EQ(reply, "Ready");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_STATUS, 0, false, reply));
  EXPECT_EQ(reply, "Busy");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_HELP, 0, true, reply));
  EXPECT_EQ(reply, "See MERVA Help... \"Transferring MERVA data to other applications\"");
  EXPECT_FALSE(RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_NUMBER_OF_CURVES, 0,
                                true, reply));
  EXPECT_FALSE(
      RequestReplyText(docs.table, docs.topics, TOPIC_SYSTEM, ITEM_PICTURE, 0, true, reply));
}

TEST(RequestReplies, RozavaTopic) {
  Documents docs;
  std::string reply;
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_ROZAVA, ITEM_TOPIC_ITEM_LIST, 0, true,
                               reply));
  EXPECT_EQ(reply, "Formats\tHelp\tTopicItemList");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, TOPIC_ROZAVA, ITEM_FORMATS, 0, true, reply));
  EXPECT_EQ(reply, "TEXT");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, TOPIC_ROZAVA, ITEM_HELP, 0, true, reply));
  EXPECT_FALSE(
      RequestReplyText(docs.table, docs.topics, TOPIC_ROZAVA, ITEM_TOPICS, 0, true, reply));
  EXPECT_FALSE(
      RequestReplyText(docs.table, docs.topics, TOPIC_ROZAVA, ITEM_STATUS, 0, true, reply));
}

TEST(RequestReplies, DocumentTopic) {
  Documents docs;
  const int slot = docs.Open();
  PlotDocument& d = docs.table.Document(slot);
  std::string reply;
  const int topic = slot + 2;
  // No topic before the document is named with curves.
  EXPECT_FALSE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_NUMBER_OF_POINTS, 0, true, reply));
  d.curveCount = 0;
  docs.topics.SetSlotName(slot, "empty");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_NUMBER_OF_POINTS, 0, true, reply));
  EXPECT_EQ(reply, "0");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_NUMBER_OF_CURVES, 0, true, reply));
  EXPECT_EQ(reply, "0");
  AddPoints(d, 1, 10);
  AddPoints(d, 2, 20);
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_NUMBER_OF_POINTS, 0, true, reply));
  EXPECT_EQ(reply, "10\t20");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_NUMBER_OF_CURVES, 0, true, reply));
  EXPECT_EQ(reply, "2");
  ASSERT_TRUE(
      RequestReplyText(docs.table, docs.topics, topic, ITEM_TOPIC_ITEM_LIST, 0, true, reply));
  EXPECT_EQ(reply, "Formats\tNumberOfCurves\tNumberOfPoints\tTopicItemList\tCurve1\tCurve2");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, topic, ITEM_FORMATS, 0, true, reply));
  EXPECT_EQ(reply, "TEXT");
  ASSERT_TRUE(RequestReplyText(docs.table, docs.topics, topic, ITEM_CURVE, 2, true, reply));
  EXPECT_EQ(reply.size(), 20u * 31u);
  EXPECT_EQ(reply.substr(0, 31), "  1.000000    \t  10.00000    \r\n");
  EXPECT_FALSE(RequestReplyText(docs.table, docs.topics, topic, ITEM_CURVE, 3, true, reply));
  EXPECT_FALSE(RequestReplyText(docs.table, docs.topics, topic, ITEM_TOPICS, 0, true, reply));
  EXPECT_FALSE(RequestReplyText(docs.table, docs.topics, 11, ITEM_FORMATS, 0, true, reply));
  EXPECT_FALSE(RequestReplyText(docs.table, docs.topics, 0, ITEM_FORMATS, 0, true, reply));
}

TEST(RequestReplies, CurveTextOfSmallAndLargeValues) {
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open());
  d.curveCount = 1;
  d.pointCount[1] = 2;
  d.X(1, 1) = 0.0f;
  d.Y(1, 1) = -1.5e-7f;
  d.X(1, 2) = 123456789.0f;
  d.Y(1, 2) = -3.0e38f;
  const std::string text = CurveText(d, 1);
  EXPECT_EQ(text.size(), 62u);
  for (std::size_t line = 0; line < 2; ++line) {
    EXPECT_EQ(text[line * 31 + 14], '\t');
    EXPECT_EQ(text.substr(line * 31 + 29, 2), "\r\n");
  }
}

TEST(RequestReplies, ItemNames) {
  int curve = 0;
  EXPECT_EQ(FindItem("Topics", curve), ITEM_TOPICS);
  EXPECT_EQ(FindItem("numberofpoints", curve), ITEM_NUMBER_OF_POINTS);
  EXPECT_EQ(FindItem("Curve7", curve), ITEM_CURVE);
  EXPECT_EQ(curve, 7);
  EXPECT_EQ(FindItem("CURVE100", curve), ITEM_CURVE);
  EXPECT_EQ(FindItem("Curve101", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve0", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve07", curve), ITEM_CURVE);
  EXPECT_EQ(curve, 7);
  EXPECT_EQ(FindItem("Curve00", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve0100", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve1x", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("Curve99999999999", curve), ITEM_NONE);
  EXPECT_EQ(FindItem("", curve), ITEM_NONE);
  EXPECT_EQ(CurveItemName(12), "Curve12");
}

BinaryPlotHeader Header(int format, int curves, int points) {
  BinaryPlotHeader h;
  h.version = 2;
  h.dataFormat = static_cast<int16_t>(format);
  h.curveCapacity = 20;
  h.pointCapacity = 100;
  h.curveCount = curves;
  h.scaleWord = 4 + 256 * 3;
  h.legendX = 0.25f;
  for (int c = 0; c < curves; ++c) {
    h.pointCounts[static_cast<std::size_t>(c)] = points + (format == 0 ? c : 0);
    h.lineTypes[static_cast<std::size_t>(c)] = c + 1;
    h.symbolTypes[static_cast<std::size_t>(c)] = c + 2;
    h.legendTexts[static_cast<std::size_t>(c)] = "Curve " + std::to_string(c + 1);
  }
  h.curveTags[0] = "ABCDE";
  h.titles[0] = "Poked";
  h.xAxisLabel = "Time";
  return h;
}

TEST(BinaryPlot, HeaderRoundTripAndFormat0) {
  // Curve 1: 3 points, curve 2: 4 points; X values then Y values.
  BinaryPlotHeader h = Header(0, 2, 3);
  const float values[] = {1, 2, 3, 10, 20, 30, 40, -1, -2, -3, -10, -20, -30, -40};
  const std::string bytes = WriteBinaryPlot(h, values, 14);
  ASSERT_EQ(bytes.size(), 1620u + 56u);
  BinaryPlotHeader read;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  ASSERT_EQ(ReadBinaryPlotHeader(data, bytes.size(), read), BinaryPlotCheck::Ok);
  EXPECT_EQ(read.curveCount, 2);
  EXPECT_EQ(read.pointCounts[1], 4);
  EXPECT_EQ(read.curveTags[0], "ABCDE");
  EXPECT_EQ(read.legendTexts[1], "Curve 2");
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open(20, 100));
  d.title2.Set("kept");
  ASSERT_TRUE(BinaryPlotFits(read, d));
  ApplyBinaryPlot(read, data, bytes.size(), d);
  EXPECT_EQ(d.curveCount, 2);
  EXPECT_EQ(d.pointCount[1], 3);
  EXPECT_EQ(d.pointCount[2], 4);
  EXPECT_EQ(d.X(2, 4), 40.0f);
  EXPECT_EQ(d.Y(1, 3), -3.0f);
  EXPECT_EQ(d.Y(2, 1), -10.0f);
  EXPECT_EQ(d.scaleType, 4);
  EXPECT_EQ(d.unitSystem, 3);
  EXPECT_EQ(d.legendX, 0.25);
  EXPECT_EQ(d.lineType[2], 2);
  EXPECT_EQ(d.symbolType[1], 2);
  EXPECT_EQ(d.title1.Str(), "Poked");
  EXPECT_EQ(d.title2.Str(), "kept");  // empty field leaves the text
  EXPECT_EQ(d.xAxisLabel.Str(), "Time");
  EXPECT_EQ(d.curveTag[1].Str(), "ABCDE");
  EXPECT_EQ(d.spacingState[1], STATE_UNKNOWN);
}

TEST(BinaryPlot, Format1EvenSpacing) {
  BinaryPlotHeader h = Header(1, 2, 3);
  const float values[] = {0.5f, 10.0f, 1, 2, 3, 4, 5, 6};
  const std::string bytes = WriteBinaryPlot(h, values, 8);
  BinaryPlotHeader read;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  ASSERT_EQ(ReadBinaryPlotHeader(data, bytes.size(), read), BinaryPlotCheck::Ok);
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open(20, 100));
  ApplyBinaryPlot(read, data, bytes.size(), d);
  EXPECT_EQ(d.pointCount[2], 3);
  EXPECT_EQ(d.X(2, 3), 11.0f);
  EXPECT_EQ(d.Y(2, 1), 4.0f);
  EXPECT_EQ(d.spacingState[1], STATE_YES);
  EXPECT_EQ(d.monotonicState[2], STATE_YES);
  h.dataFormat = 1;
  const float negative[] = {-0.5f, 10.0f, 1, 2, 3, 4, 5, 6};
  const std::string down = WriteBinaryPlot(h, negative, 8);
  ASSERT_EQ(ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(down.data()), down.size(), read),
            BinaryPlotCheck::Ok);
  ApplyBinaryPlot(read, reinterpret_cast<const uint8_t*>(down.data()), down.size(), d);
  EXPECT_EQ(d.spacingState[1], STATE_UNKNOWN);
}

TEST(BinaryPlot, Format2SharedX) {
  BinaryPlotHeader h = Header(2, 3, 2);
  const float values[] = {7, 8, 1, 2, 3, 4, 5, 6};
  const std::string bytes = WriteBinaryPlot(h, values, 8);
  BinaryPlotHeader read;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  ASSERT_EQ(ReadBinaryPlotHeader(data, bytes.size(), read), BinaryPlotCheck::Ok);
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open(20, 100));
  ApplyBinaryPlot(read, data, bytes.size(), d);
  EXPECT_EQ(d.X(3, 2), 8.0f);
  EXPECT_EQ(d.Y(3, 2), 6.0f);
  EXPECT_EQ(d.pointCount[3], 2);
}

TEST(BinaryPlot, BadInputIsRefusedWithoutReadingPastTheData) {
  BinaryPlotHeader read;
  BinaryPlotHeader h = Header(0, 2, 3);
  const float values[14] = {};
  std::string bytes = WriteBinaryPlot(h, values, 14);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(ReadBinaryPlotHeader(data, 1619, read), BinaryPlotCheck::TooShort);
  EXPECT_EQ(ReadBinaryPlotHeader(nullptr, 0, read), BinaryPlotCheck::TooShort);
  EXPECT_EQ(ReadBinaryPlotHeader(data, bytes.size() - 1, read), BinaryPlotCheck::ValuesMissing);
  EXPECT_EQ(ReadBinaryPlotHeader(data, 1620, read), BinaryPlotCheck::ValuesMissing);

  h.version = 1;
  bytes = WriteBinaryPlot(h, values, 14);
  EXPECT_EQ(
      ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
      BinaryPlotCheck::BadVersion);
  h = Header(3, 2, 3);
  bytes = WriteBinaryPlot(h, values, 14);
  EXPECT_EQ(
      ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
      BinaryPlotCheck::BadFormat);
  for (int curves : {0, 21, -5}) {
    h = Header(0, 2, 3);
    h.curveCount = curves;
    bytes = WriteBinaryPlot(h, values, 14);
    EXPECT_EQ(
        ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
        BinaryPlotCheck::BadCounts);
  }
  h = Header(0, 2, 3);
  h.pointCounts[1] = 0;
  bytes = WriteBinaryPlot(h, values, 14);
  EXPECT_EQ(
      ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
      BinaryPlotCheck::BadCounts);
  // Counts whose sum overflows 32 bits still need more values than sent.
  h = Header(0, 20, 3);
  for (auto& n : h.pointCounts) n = 0x7FFFFFFF;
  bytes = WriteBinaryPlot(h, values, 14);
  EXPECT_EQ(
      ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
      BinaryPlotCheck::ValuesMissing);
}

TEST(BinaryPlot, BillionPointsAreRefusedBeforeAnyAllocation) {
  BinaryPlotHeader h = Header(1, 1, 1000000000);
  h.pointCapacity = 1000000000;
  const float values[4] = {1, 0, 1, 2};
  const std::string bytes = WriteBinaryPlot(h, values, 4);
  BinaryPlotHeader read;
  EXPECT_EQ(
      ReadBinaryPlotHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), read),
      BinaryPlotCheck::ValuesMissing);
}

TEST(BinaryPlot, CapacityFromTheHeaderUnlessAbsurd) {
  BinaryPlotHeader h = Header(0, 2, 3);
  int curves = 0, points = 0;
  BinaryPlotCapacity(h, curves, points);
  EXPECT_EQ(curves, 20);
  EXPECT_EQ(points, 100);
  h.pointCapacity = 1000000000;
  BinaryPlotCapacity(h, curves, points);
  EXPECT_EQ(points, 4);
  h.curveCapacity = 0;
  h.pointCapacity = 1;
  BinaryPlotCapacity(h, curves, points);
  EXPECT_EQ(curves, 100);
  EXPECT_EQ(points, 1000);
  // A capacity below the counts is kept and the counts are refused.
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open(1, 100));
  EXPECT_FALSE(BinaryPlotFits(h, d));
}

TEST(TextColumns, SingleColumnGivesLineNumbers) {
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open());
  int added = 0;
  Status s = ParseNumberText(d, "5\r\n6\r\n7\r\n", 1, added);
  ASSERT_TRUE(s.Ok()) << s.Text();
  EXPECT_EQ(added, 1);
  EXPECT_EQ(d.curveCount, 1);
  EXPECT_EQ(d.pointCount[1], 3);
  EXPECT_EQ(d.X(1, 3), 3.0f);
  EXPECT_EQ(d.Y(1, 3), 7.0f);
}

TEST(TextColumns, ThreeColumnsAppendTwoCurvesSharingX) {
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open());
  AddPoints(d, 1, 2);
  int added = 0;
  ASSERT_TRUE(ParseNumberText(d, "1\t10,100\r\n2 20 200\r\n", 2, added).Ok());
  EXPECT_EQ(added, 2);
  EXPECT_EQ(d.curveCount, 3);
  EXPECT_EQ(d.X(3, 2), 2.0f);
  EXPECT_EQ(d.Y(3, 2), 200.0f);
  EXPECT_EQ(d.Y(2, 1), 10.0f);
}

TEST(TextColumns, RaggedOrBadTextChangesNothing) {
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open());
  int added = 0;
  EXPECT_FALSE(ParseNumberText(d, "1 2\r\n3\r\n4 5\r\n", 1, added).Ok());
  EXPECT_FALSE(ParseNumberText(d, "1 2\r\n3 4 5\r\n", 1, added).Ok());
  EXPECT_FALSE(ParseNumberText(d, "1 2\r\nabc 4\r\n", 1, added).Ok());
  EXPECT_FALSE(ParseNumberText(d, "", 1, added).Ok());
  EXPECT_FALSE(ParseNumberText(d, "\r\n\r\n", 1, added).Ok());
  EXPECT_EQ(d.curveCount, 0);
  EXPECT_EQ(added, 0);
  const std::string wide = "1" + std::string(" 2", 0) + [] {
    std::string s;
    for (int i = 0; i < 101; ++i) s += " 1";
    return s;
  }();
  const Status tooMany = ParseNumberText(d, wide, 1, added);
  EXPECT_FALSE(tooMany.Ok());
  EXPECT_EQ(tooMany.Text(), "Too many curves (101) ... Maximum is 100.");
}

TEST(TextColumns, RowsBeyondCapacityGrowTheArrays) {
  Documents docs;
  PlotDocument& d = docs.table.Document(docs.Open(2, 3));
  int added = 0;
  ASSERT_TRUE(ParseNumberText(d, "1 1\r2 2\r3 3\r4 4\r5 5\r", 1, added).Ok());
  EXPECT_GE(d.maxPoints, 5);
  EXPECT_EQ(d.pointCount[1], 5);
  EXPECT_EQ(d.Y(1, 5), 5.0f);
  // A NUL ends the text.
  const char text[] = "1 1\r\n2 2\0garbage";
  PlotDocument& e = docs.table.Document(docs.Open(2, 10));
  ASSERT_TRUE(ParseNumberText(e, std::string_view(text, sizeof text - 1), 1, added).Ok());
  EXPECT_EQ(e.pointCount[1], 2);
}

TEST(Handoff, RequestTextRules) {
  HandoffRequest r = ParseHandoffText("c:\\data\\a.grf  ");
  EXPECT_EQ(r.firstName, "c:\\data\\a.grf");
  EXPECT_EQ(r.names.size(), 1u);
  EXPECT_EQ(r.secondPath, "");

  r = ParseHandoffText("c:\\data\\a.grf+b.grf+d:\\x\\c.grf");
  EXPECT_EQ(r.firstName, "c:\\data\\a.grf");
  ASSERT_EQ(r.names.size(), 3u);
  EXPECT_EQ(r.names[1], "c:\\data\\b.grf");
  EXPECT_EQ(r.names[2], "d:\\x\\c.grf");

  r = ParseHandoffText("+a.grf");  // "+" at the first position is part of the name
  EXPECT_EQ(r.firstName, "+a.grf");

  r = ParseHandoffText("c:\\data\\run.dat@run.fmt");
  EXPECT_EQ(r.firstName, "c:\\data\\run.dat");
  EXPECT_EQ(r.secondPath, "c:\\data\\run.fmt");
  r = ParseHandoffText("c:\\data\\run.dat@e:\\formats\\run.fmt");
  EXPECT_EQ(r.secondPath, "e:\\formats\\run.fmt");
  r = ParseHandoffText("run.dat@run.fmt");
  EXPECT_EQ(r.secondPath, "run.fmt");

  const std::string longDirectory = "c:\\" + std::string(100, 'd') + "\\a.dat@b.fmt";
  r = ParseHandoffText(longDirectory);
  EXPECT_EQ(r.secondPath.size(), 64u + 5u);

  std::string withNul("a.grf\0b.grf", 11);
  EXPECT_EQ(ParseHandoffText(withNul).firstName, "a.grf");
  EXPECT_EQ(ParseHandoffText(std::string(300, 'x')).firstName.size(), 256u);
  EXPECT_EQ(ParseHandoffText("").firstName, "");
}

TEST(Handoff, ResultCodesAndParameters) {
  EXPECT_EQ(HandoffResultCode(false, true, true), HANDOFF_UNREADABLE);
  EXPECT_EQ(HandoffResultCode(true, false, true), HANDOFF_BUSY);
  EXPECT_EQ(HandoffResultCode(true, true, false), HANDOFF_MISSING);
  EXPECT_EQ(HandoffResultCode(true, true, true), HANDOFF_ACCEPTED);
  EXPECT_EQ(HandoffParameter(1, 0), 0x10000L);
  EXPECT_EQ(HandoffFileType(static_cast<unsigned long>(HandoffParameter(99, 7))), 99);
}

}  // namespace
}  // namespace merva::test

#pragma once

// The state of one plot-file read, shared by the fixed block, the keyword
// records and the extended reader (not part of the interface).

#include <string>
#include <string_view>

#include "core/number_text.h"
#include "core/plot_document.h"
#include "core/status.h"
#include "files/plot_file_format.h"
#include "files/text_lines.h"

namespace merva {

class PlotFileReader {
 public:
  PlotFileReader(PlotDocument& document, std::string_view text, std::string_view name,
                 int firstCurveSlot);
  Status Read();

 private:
  // --- plot_file_reader.cpp: fixed block ---
  bool ReadDataForm();
  bool ReadCurveCount(long long& count);
  bool ReadPointCount(int curve, long long& count);
  bool ReserveCurves(long long total);
  bool ReservePoints(long long points);
  long long LongestDataCurveAhead(long long count, long long curvesLeft) const;
  void StartCurve(int curve);
  bool ReadDataCurve(int curve, long long curvesLeft);
  bool ReadStylesLegendTag(int curve);
  void CompleteCurve(int curve);
  bool ReadTrailer();
  bool Fail(std::string text);
  bool Fail9900(int32_t ios);
  bool FailStatus(const Status& status);
  bool TextLine9900(std::string_view& line);

  // --- plot_file_keywords.cpp: keyword section ---
  bool ReadKeywords();
  bool ReadKeyword(PlotKeyword keyword);
  bool ReadRecordLine(std::string_view& line);
  bool FailRecord(int32_t ios);
  bool RecordReals(int count, double* values);
  bool RecordInt(int& value);
  template <std::size_t N>
  bool RecordText(FixedText<N>& field);
  bool ReadCurveList(PerCurve<int32_t>& values, int width);
  bool ReadNoteText(std::string& text);
  bool ReadDataProcess();
  bool ReadFillRegion();
  bool ReadFontFace();
  bool ReadManualScale();
  bool ReadManualTicks();
  bool ReadMultipleAxes();
  bool ReadNoteV2();
  bool ReadOldNote();
  bool ReadPointSizes();
  bool ReadPtLabel();
  bool ReadOldPointLabel();
  bool ReadShift();
  bool ReadUnits();
  void AddPointLabel(const PointLabel& label);
  void FinishKeywords();

  // --- plot_file_extended_reader.cpp ---
  bool ReadExtended();
  bool ReadDxBlock();
  bool ReadDxCurve(int curve);
  bool ReadEquationCurve(CurveKind kind, unsigned modifiers);
  bool EquationReals(int count, double* values);

  PlotDocument& d_;
  const std::string_view text_;
  const std::string name_;
  int first_;
  LineCursor lines_;
  int version_ = 0;
  bool headerSeen_ = false;
  int fileCurves_ = 0;  // curves of this file stored so far
  int pointGrowths_ = 0;
  Status status_;

  // Keyword-section state.
  int manualScaleRecords_ = 0;
  int shiftRecords_ = 0;
  bool sawManualTicks_ = false;
  bool sawWysiwyg_ = false;
  int lastOldLabel_ = -1;

  bool OldSymbolCodes() const { return version_ <= 1; }
  int NextSlot() const { return first_ + fileCurves_; }
};

}  // namespace merva

#include "files/plot_file_format.h"

#include "core/number_text.h"

namespace merva {

namespace {

struct KeywordEntry {
  std::string_view name;  // lower case
  PlotKeyword keyword;
};

constexpr KeywordEntry READER_KEYWORDS[] = {
    {"cal", PlotKeyword::Cal},
    {"date", PlotKeyword::Date},
    {"date format", PlotKeyword::DateFormat},
    {"densegrid", PlotKeyword::DenseGrid},
    {"draw", PlotKeyword::Draw},
    {"dataprocess", PlotKeyword::DataProcess},
    {"filledbars", PlotKeyword::FilledBars},
    {"fillregion", PlotKeyword::FillRegion},
    {"fontface", PlotKeyword::FontFace},
    {"grid type", PlotKeyword::GridType},
    {"legendlinelength", PlotKeyword::LegendLineLength},
    {"linewidths", PlotKeyword::LineWidths},
    {"lname", PlotKeyword::Lname},
    {"manual scale", PlotKeyword::ManualScale},
    {"manual ticks", PlotKeyword::ManualTicks},
    {"margins", PlotKeyword::Margins},
    {"maxlegendrows", PlotKeyword::MaxLegendRows},
    {"more", PlotKeyword::More},
    {"multiple axes", PlotKeyword::MultipleAxes},
    {"nolegendframe", PlotKeyword::NoLegendFrame},
    {"note", PlotKeyword::Note},
    {"notev2", PlotKeyword::NoteV2},
    {"notebutton", PlotKeyword::NoteButton},
    {"numberformats", PlotKeyword::NumberFormats},
    {"point label", PlotKeyword::PointLabel},
    {"pointsizes", PlotKeyword::PointSizes},
    {"point string", PlotKeyword::PointString},
    {"ptlabel", PlotKeyword::PtLabel},
    {"shift", PlotKeyword::Shift},
    {"squarelogs", PlotKeyword::SquareLogs},
    {"symbolsizes", PlotKeyword::SymbolSizes},
    {"title3", PlotKeyword::Title3},
    {"transparentlegend", PlotKeyword::TransparentLegend},
    {"units", PlotKeyword::Units},
    {"wysiwyg", PlotKeyword::Wysiwyg},
    {"y2axis", PlotKeyword::Y2Axis},
    {"stop", PlotKeyword::Stop},
};
static_assert(sizeof READER_KEYWORDS / sizeof READER_KEYWORDS[0] == READER_KEYWORD_COUNT);

struct KindEntry {
  std::string_view name;  // five characters
  CurveKind kind;
  unsigned modifier;
};

constexpr KindEntry CURVE_KINDS[] = {
    {"dx   ", CurveKind::Dx, 0},
    {"poly ", CurveKind::Poly, 0},
    {"poli ", CurveKind::Poli, 0},
    {"expo ", CurveKind::Expo, 0},
    {"exp2 ", CurveKind::Exp2, 0},
    {"pl10 ", CurveKind::Pl10, 0},
    {"plog ", CurveKind::Plog, 0},
    {"slog ", CurveKind::Slog, 0},
    {"invr ", CurveKind::None, MODIFIER_INVR},
    {"mult ", CurveKind::None, MODIFIER_MULT},
    {"plus ", CurveKind::None, MODIFIER_PLUS},
    {"log  ", CurveKind::None, MODIFIER_LOG},
    {"logn ", CurveKind::None, MODIFIER_LOGN},
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

}  // namespace

PlotKeyword MatchPlotKeyword(std::string_view line) {
  // Trailing blanks only: a keyword line with leading blanks is no keyword.
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  if (line.empty() || line.size() > 17) return PlotKeyword::None;
  for (const KeywordEntry& entry : READER_KEYWORDS)
    if (EqualsIgnoreCase(line, entry.name)) return entry.keyword;
  return PlotKeyword::None;
}

CurveKind MatchCurveKind(std::string_view line, unsigned& modifier) {
  modifier = 0;
  std::string first = ToLower(line.substr(0, 5));
  first.resize(5, ' ');
  for (const KindEntry& entry : CURVE_KINDS) {
    if (first == entry.name) {
      modifier = entry.modifier;
      return entry.kind;
    }
  }
  return CurveKind::None;
}

int HeaderVersion(std::string_view line) {
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  const std::string lower = ToLower(line.substr(0, 64));
  if (line.size() == HEADER_VERSION_1.size() && lower == HEADER_VERSION_1) return 1;
  if (line.size() == HEADER_VERSION_2.size() && lower == HEADER_VERSION_2) return 2;
  if (StartsWith(lower, HEADER_PREFIX_VERSION_3)) return 3;
  return 0;
}

}  // namespace merva

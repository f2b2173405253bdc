// Commands that set fields of the document or of the conversation.

#include <climits>
#include <cmath>
#include <string>

#include "automation/command_arguments.h"
#include "automation/command_handlers.h"
#include "files/settings.h"

namespace merva::commands {

namespace {

uint32_t Rgb(int red, int green, int blue) {
  return static_cast<uint32_t>(ClampInt(red, 0, 255)) +
         256u * static_cast<uint32_t>(ClampInt(green, 0, 255)) +
         65536u * static_cast<uint32_t>(ClampInt(blue, 0, 255));
}

template <std::size_t N>
bool SetText(CommandRun& run, FixedText<N> PlotDocument::*field, std::string_view text,
             std::size_t limit = N) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  (d->*field).Set(text.substr(0, limit));
  run.redrawPending = true;
  return true;
}

bool SetCurveStyle(CommandRun& run, std::string_view a, PerCurve<int32_t> PlotDocument::*table) {
  PlotDocument* d = run.Document();
  int curve = 0, value = 0;
  if (!d || !ArgumentReader(a).I(curve).I(value).Ok()) return false;
  if (curve < 1 || curve > d->maxCurves || curve > MAX_CURVE_SLOTS) return false;
  (d->*table)[curve] = value;
  run.redrawPending = true;
  return true;
}

constexpr int NOTE_PRESENT = 1;
constexpr int NOTE_FRAME = 2;
constexpr int NOTE_OPAQUE = 4;
constexpr int NOTE_BUTTON = 8;

bool IsBlank(const std::string& text) {
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  return true;
}

// After the note changed: the present bit and the button window follow it.
void UpdateNote(CommandRun& run, PlotDocument& d) {
  if (!IsBlank(d.note.text)) d.note.attribute1 |= NOTE_PRESENT;
  const bool button = (d.note.attribute1 & NOTE_BUTTON) && (d.note.attribute1 & NOTE_PRESENT);
  run.host.ShowNoteButton(run.conversation.docSlot, button);
  run.redrawPending = true;
}

}  // namespace

bool Caption(CommandRun& run, std::string_view text) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  d->fileTitle.Set(text);
  if (d->curveCount == 0) {
    d->curveCount = 1;
    d->pointCount[1] = 0;
  }
  run.host.DocumentRenamed(run.conversation.docSlot);
  run.redrawPending = true;
  return true;
}

bool ClearEditFlag(CommandRun& run, std::string_view) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  d->changed = 0;
  return true;
}

bool Color(CommandRun& run, std::string_view a) {
  int index = 0, red = 0, green = 0, blue = 0;
  if (!ArgumentReader(a).I(index).I(red).I(green).I(blue).Ok()) return false;
  if (index != -1 && (index < 1 || index > COLOR_TABLE_SIZE)) return false;
  ColorTable& table = run.host.Settings().screenColors;
  const uint32_t color = Rgb(red, green, blue);
  if (index == -1)
    table.fill(color);
  else
    table[static_cast<std::size_t>(index - 1)] = color;
  run.host.RebuildPalette();
  run.redrawPending = true;
  return true;
}

bool ErrorMessages(CommandRun& run, std::string_view a) {
  int on = 0;
  if (!ArgumentReader(a).I(on).Ok()) return false;
  run.conversation.errorMessages = on != 0 ? 1 : 0;
  run.host.SetMessagesShown(run.messagesAllowed && on != 0);
  return true;
}

static bool SetFftBit(CommandRun& run, std::string_view a, int bit) {
  int on = 0;
  if (!ArgumentReader(a).I(on).Ok()) return false;
  int& flags = run.host.Settings().fftOption;
  flags = ClampInt(on, 0, 1) ? (flags | bit) : (flags & ~bit);
  return true;
}

bool FftMethod(CommandRun& run, std::string_view a) { return SetFftBit(run, a, 2); }
bool FftPhase(CommandRun& run, std::string_view a) { return SetFftBit(run, a, 4); }

bool FilePageSetup(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  double top = 0, bottom = 0, left = 0, right = 0;
  if (!d || !ArgumentReader(a).R(top).R(bottom).R(left).R(right).Ok()) return false;
  // A negative margin would put the plot off the page; the dialog refuses it too.
  for (double margin : {top, bottom, left, right})
    if (!(margin >= 0.0) || !std::isfinite(margin)) return false;
  d->margins = {top, bottom, left, right};
  d->marginsSet = 1;
  return true;
}

bool FileType(CommandRun& run, std::string_view a) {
  int type = 0;
  if (!ArgumentReader(a).I(type).Ok()) return false;
  run.conversation.fileType = type;
  run.cells.currentFileType = type;
  return true;
}

bool FillBetween(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int first = 0, second = 0, red = 0, green = 0, blue = 0, pattern = 0;
  if (!d || !ArgumentReader(a).I(first).I(second).I(red).I(green).I(blue).I(pattern).Ok())
    return false;
  if (d->fillRegions.size() >= 20) return false;
  FillRegion fill;
  fill.first = first;
  fill.second = second;
  fill.color = static_cast<int32_t>(Rgb(red, green, blue));
  constexpr int16_t SOLID_BRUSH = 0, HATCHED_BRUSH = 2;
  fill.kind = pattern < 0 ? SOLID_BRUSH : HATCHED_BRUSH;
  fill.style = static_cast<int16_t>(pattern < 0 ? 0 : ClampInt(pattern, 0, SHRT_MAX));
  d->fillRegions.push_back(fill);
  run.redrawPending = true;
  return true;
}

bool FontPoints(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int element = 0, size = 0;
  if (!d || !ArgumentReader(a).I(element).I(size).Ok()) return false;
  if (element < 1 || element > TEXT_ELEMENT_COUNT) return false;
  d->Font(element).height = size;
  run.redrawPending = true;
  return true;
}

// [Legend(n,"text")]
bool Legend(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  std::string_view number, text;
  int curve = 0;
  if (!d || !SplitAtQuote(a, number, text) || !ArgumentReader(number).I(curve).Ok()) return false;
  if (curve < 0 || curve > d->maxCurves || curve > MAX_CURVE_SLOTS) return false;
  if (curve == 0)
    d->legendTitle.Set(text);
  else
    d->legendText[curve].Set(text);
  run.redrawPending = true;
  return true;
}

bool LegendParams(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  double length = 0, x = 0, y = 0;
  int rows = 0, frame = 0, opaque = 0;
  if (!d || !ArgumentReader(a).R(length).I(rows).I(frame).I(opaque).R(x).R(y).Ok()) return false;
  d->legendLineLength = length;
  d->maxLegendRows = rows;
  d->legendFrame = frame;
  d->legendOpaque = opaque;
  d->legendX = x;
  d->legendY = y;
  run.redrawPending = true;
  return true;
}

bool LineType(CommandRun& run, std::string_view a) {
  return SetCurveStyle(run, a, &PlotDocument::lineType);
}
bool LineWidth(CommandRun& run, std::string_view a) {
  return SetCurveStyle(run, a, &PlotDocument::lineWidth);
}
bool SymbolSize(CommandRun& run, std::string_view a) {
  return SetCurveStyle(run, a, &PlotDocument::symbolSize);
}
bool SymbolType(CommandRun& run, std::string_view a) {
  return SetCurveStyle(run, a, &PlotDocument::symbolType);
}

bool MultipleYAxes(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int mode = 0;
  float first = 0, second = 0;
  if (!d || !ArgumentReader(a).I(mode).F(first).F(second).Ok()) return false;
  if (mode == 0) {
    d->yAxisMode = 0;
  } else if (mode == 1) {
    d->yAxisMode = 1;
    d->y2Offset = first;
    d->y2Factor = second;
  } else if (mode == 2) {
    const int curve = run.conversation.selectedCurve;
    if (curve <= 1 || curve > MAX_CURVE_SLOTS) return false;
    const double axis = std::nearbyint(static_cast<double>(first));
    // Only the four axes exist to draw against.
    if (!(axis >= 1 && axis <= MAX_Y_AXES)) return false;
    d->yAxisMode = 2;
    d->curveAxis[curve] = static_cast<int32_t>(axis);
  } else {
    return false;
  }
  run.redrawPending = true;
  return true;
}

bool NoteOptions(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int flags = 0;
  if (!d || !ArgumentReader(a).I(flags).Ok()) return false;
  d->note.attribute1 = flags;
  UpdateNote(run, *d);
  return true;
}

bool NotePosition(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  double x = 0, y = 0;
  if (!d || !ArgumentReader(a).R(x).R(y).Ok()) return false;
  d->note.x = x;
  d->note.y = y;
  run.redrawPending = true;
  return true;
}

bool NoteTabStops(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int characters = 0;
  if (!d || !ArgumentReader(a).I(characters).Ok()) return false;
  d->note.attribute2 = characters;
  run.redrawPending = true;
  return true;
}

bool NoteText(CommandRun& run, std::string_view text) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  if (text.empty()) {
    d->note.text.clear();
    d->note.attribute1 &= ~NOTE_PRESENT;
  } else {
    d->note.text = std::string(text.substr(0, MAX_NOTE_LENGTH));
  }
  UpdateNote(run, *d);
  return true;
}

bool NumberFormat(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int axis = 0, format = 0;
  if (!d || !ArgumentReader(a).I(axis).I(format).Ok()) return false;
  if ((axis != 0 && axis != 1) || format < 0 || format > 7) return false;
  (axis == 0 ? d->xNumberFormat : d->yNumberFormat) = format;
  run.redrawPending = true;
  return true;
}

bool PostponeRedraw(CommandRun& run, std::string_view) {
  run.conversation.postponeRedraw = 1;
  return true;
}

bool ViewRedraw(CommandRun& run, std::string_view) {
  run.conversation.postponeRedraw = 0;
  run.redrawPending = true;
  return true;
}

bool SetBitmapDims(CommandRun& run, std::string_view a) {
  int width = 0, height = 0;
  if (!ArgumentReader(a).I(width).I(height).Ok() || width < 1 || height < 1) return false;
  run.cells.bitmapWidth = width;
  run.cells.bitmapHeight = height;
  return true;
}

bool SetMetafileDims(CommandRun& run, std::string_view a) {
  float width = 0, height = 0;
  if (!ArgumentReader(a).F(width).F(height).Ok()) return false;
  const double w = static_cast<double>(width) * 2540.0;
  const double h = static_cast<double>(height) * 2540.0;
  // The dimensions are whole units of 1/2540 inch.
  if (!(w >= 0.5 && h >= 0.5 && w <= INT_MAX && h <= INT_MAX)) return false;
  // To the nearest unit: 1.3 inches is 3302, not 3301.
  run.cells.metafileWidth = static_cast<int>(std::lround(w));
  run.cells.metafileHeight = static_cast<int>(std::lround(h));
  return true;
}

bool ShowDate(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int on = 0;
  if (!d || !ArgumentReader(a).I(on).Ok()) return false;
  on = ClampInt(on, 0, 1);
  if ((d->dateStamp != 0 ? 1 : 0) != on) {
    d->dateStamp = on;
    run.redrawPending = true;
  }
  return true;
}

bool Size(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int fixed = 0, wysiwyg = 0;
  float width = 0, height = 0;
  if (!d || !ArgumentReader(a).I(fixed).F(width).F(height).I(wysiwyg).Ok()) return false;
  // A fixed size must be a size the layout can divide by.
  if (fixed != 0 && !(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height)))
    return false;
  d->manualTicks = fixed != 0 ? 1 : 0;
  if (fixed != 0) {
    d->plotWidth = width;
    d->plotHeight = height;
    d->wysiwyg = wysiwyg != 0 ? 1 : 0;
  }
  run.host.RefreshMenus();
  run.redrawPending = true;
  return true;
}

bool StartStop(CommandRun& run, std::string_view a) {
  double start = 0, stop = 0;
  if (!ArgumentReader(a).R(start).R(stop).Ok()) return false;
  run.cells.processStart = start;
  run.cells.processStop = stop;
  return true;
}

// [TextFont(element,size,weight,italic,red,green,blue,"face")]
bool TextFont(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  std::string_view numbers, face;
  int element = 0, size = 0, weight = 0, italic = 0, red = 0, green = 0, blue = 0;
  if (!d || !SplitAtQuote(a, numbers, face)) return false;
  if (!ArgumentReader(numbers).I(element).I(size).I(weight).I(italic).I(red).I(green).I(blue).Ok())
    return false;
  if (element < 1 || element > TEXT_ELEMENT_COUNT) return false;
  FontDescription& font = d->Font(element);
  font.height = size == INT_MIN ? INT_MAX : std::abs(size);
  font.weight = weight < 0 ? 0 : weight;
  font.italic = static_cast<uint8_t>(ClampInt(italic, 0, 1));
  font.SetFaceName(std::string(face.substr(0, FACE_NAME_WIDTH)));
  d->fontColors[static_cast<std::size_t>(element - 1)] = Rgb(red, green, blue);
  run.redrawPending = true;
  return true;
}

// [TextNote("text",x,y,frame,opaque,button,tabs)]: the text up to its
// quotation mark, the numbers up to the "]".
bool TextNote(CommandRun& run, std::string_view rest) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  const std::size_t quote = rest.find('"');
  if (quote == std::string_view::npos) return false;
  const std::size_t bracket = rest.find(']', quote + 1);
  if (bracket == std::string_view::npos) return false;
  std::string_view numbers = rest.substr(quote + 1, bracket - quote - 1);
  if (numbers.empty() || numbers.back() != ')') return false;
  numbers.remove_suffix(1);
  double x = 0, y = 0;
  int frame = 0, opaque = 0, button = 0, tabs = 0;
  if (!ArgumentReader(numbers).R(x).R(y).I(frame).I(opaque).I(button).I(tabs).Ok()) return false;
  std::string text;
  const std::string_view raw = rest.substr(0, quote);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
      text += "\r\n";
      ++i;
    } else {
      text += raw[i];
    }
  }
  if (text.size() > static_cast<std::size_t>(MAX_NOTE_LENGTH)) text.resize(MAX_NOTE_LENGTH);
  d->note.text = text;
  d->note.x = x;
  d->note.y = y;
  d->note.attribute1 =
      (frame ? NOTE_FRAME : 0) | (opaque ? NOTE_OPAQUE : 0) | (button ? NOTE_BUTTON : 0);
  d->note.attribute2 = tabs;
  UpdateNote(run, *d);
  run.advance = bracket + 1;
  return true;
}

// [TextPointLabel(p,x,y,s1,s2,"text")]
bool TextPointLabel(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  std::string_view numbers, text;
  int point = 0, s1 = 0, s2 = 0;
  double x = 0, y = 0;
  if (!d || !SplitAtQuote(a, numbers, text)) return false;
  if (!ArgumentReader(numbers).I(point).R(x).R(y).I(s1).I(s2).Ok()) return false;
  if (d->pointLabels.size() >= static_cast<std::size_t>(MAX_POINT_LABELS)) return false;
  PointLabel label;
  label.point = point;
  label.x = x;
  label.y = y;
  label.attributes = 4 * (s1 != 0 ? 1 : 0) + (s2 != 0 ? 1 : 0);
  label.curve = run.conversation.selectedCurve > 0 ? run.conversation.selectedCurve : 1;
  label.text.Set(text);
  d->pointLabels.push_back(label);
  run.redrawPending = true;
  return true;
}

bool Title1(CommandRun& run, std::string_view t) { return SetText(run, &PlotDocument::title1, t); }
bool Title2(CommandRun& run, std::string_view t) { return SetText(run, &PlotDocument::title2, t); }
bool Title3(CommandRun& run, std::string_view t) { return SetText(run, &PlotDocument::title3, t); }
bool XAxisLabel(CommandRun& run, std::string_view t) {
  return SetText(run, &PlotDocument::xAxisLabel, t, 80);
}
bool YAxisLabel(CommandRun& run, std::string_view t) {
  return SetText(run, &PlotDocument::yAxisLabel, t);
}
bool Y2AxisLabel(CommandRun& run, std::string_view t) {
  return SetText(run, &PlotDocument::y2AxisLabel, t);
}

}  // namespace merva::commands

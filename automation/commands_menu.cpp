// Commands that drive a menu command of the frame window.

#include <string>

#include "automation/command_arguments.h"
#include "automation/command_handlers.h"
#include "automation/menu_ids.h"
#include "files/settings.h"

namespace merva::commands {

namespace {

bool Plain(CommandRun& run, int commandId) {
  if (!run.Document()) return false;
  run.SetCurveRange();
  return run.RunMenu(commandId);
}

bool EachCurve(CommandRun& run, int commandId) {
  if (!run.Document()) return false;
  run.SetCurveRange();
  return run.RunMenuEachCurve(commandId);
}

// One curve: the selected one, raised to at least 1.
bool OneCurve(CommandRun& run, int commandId) {
  if (!run.Document()) return false;
  run.cells.firstCurve = run.cells.lastCurve = run.CurveAtLeastOne();
  return run.RunMenu(commandId);
}

// The selected curve, or curve 1 when all are selected.
int SelectedOrFirst(const CommandRun& run) {
  return run.conversation.selectedCurve < 1 ? 1 : run.conversation.selectedCurve;
}

bool CurveOperation(CommandRun& run, std::string_view arguments, int operation) {
  PlotDocument* d = run.Document();
  int y1 = 0, y2 = 0;
  if (!d || !ArgumentReader(arguments).I(y1).I(y2).Ok()) return false;
  if (y1 < 1 || y1 > d->curveCount || y2 < 1 || y2 > d->curveCount) return false;
  run.cells.curveOp = operation;
  run.cells.curveOpY1 = y1;
  run.cells.curveOpY2 = y2;
  return Plain(run, MENU_CURVE_FUNCTION);
}

bool ReadToggle(std::string_view arguments, int& value) {
  return ArgumentReader(arguments).I(value).Ok();
}

bool SetPendingFile(CommandRun& run, std::string_view file) {
  if (file.size() > static_cast<std::size_t>(PENDING_FILE_NAME_WIDTH)) return false;
  run.cells.pendingFileName = std::string(file);
  return true;
}

bool AddOrMultiply(CommandRun& run, std::string_view arguments, int commandId) {
  double value = 0.0;
  if (!ArgumentReader(arguments).R(value).Ok()) return false;
  run.cells.constantValue = value;
  if (!Plain(run, commandId)) return false;
  run.redrawPending = true;
  return true;
}

}  // namespace

bool About(CommandRun& run, std::string_view) {
  run.host.PostMenuCommand(MENU_ABOUT);
  return true;
}

bool AddCurves(CommandRun& run, std::string_view a) { return CurveOperation(run, a, CURVE_OP_ADD); }
bool SubtractCurves(CommandRun& run, std::string_view a) {
  return CurveOperation(run, a, CURVE_OP_SUBTRACT);
}
bool MultiplyCurves(CommandRun& run, std::string_view a) {
  return CurveOperation(run, a, CURVE_OP_MULTIPLY);
}
bool DivideCurves(CommandRun& run, std::string_view a) {
  return CurveOperation(run, a, CURVE_OP_DIVIDE);
}

bool AutoScale(CommandRun& run, std::string_view) { return Plain(run, MENU_AUTO_SCALE); }
bool AutoSize(CommandRun& run, std::string_view) { return Plain(run, MENU_AUTO_SIZE); }
bool AverageAll(CommandRun& run, std::string_view) { return Plain(run, MENU_AVERAGE_ALL); }
bool CopyPicture(CommandRun& run, std::string_view) { return Plain(run, MENU_COPY_PICTURE); }
bool CopyText(CommandRun& run, std::string_view) { return OneCurve(run, MENU_COPY_TEXT); }
bool FilePrint(CommandRun& run, std::string_view) { return Plain(run, MENU_PRINT); }
bool Differentiate(CommandRun& run, std::string_view) { return EachCurve(run, MENU_DIFFERENTIATE); }
bool Integrate(CommandRun& run, std::string_view) { return EachCurve(run, MENU_INTEGRATE); }
bool EditRemoveTrend(CommandRun& run, std::string_view) {
  return EachCurve(run, MENU_REMOVE_TREND);
}
bool EditSort(CommandRun& run, std::string_view) { return Plain(run, MENU_SORT); }
bool EditSwapXY(CommandRun& run, std::string_view) { return OneCurve(run, MENU_SWAP_XY); }

bool HelpContents(CommandRun& run, std::string_view) {
  run.host.PostMenuCommand(MENU_HELP_CONTENTS);
  return true;
}

bool FileMacro(CommandRun& run, std::string_view) {
  run.host.PostMenuCommand(MENU_MACRO);
  run.stopAcknowledged = true;
  return true;
}

bool BarChartStyle(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int on = 0;
  return d && ReadToggle(a, on) && run.Toggle(on, d->filledBars, MENU_FILLED_BARS);
}

bool DenseGridLines(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int on = 0;
  return d && ReadToggle(a, on) && run.Toggle(on, d->denseGrid, MENU_DENSE_GRID);
}

bool SquareLogCycles(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int on = 0;
  return d && ReadToggle(a, on) && run.Toggle(on, d->squareLogs, MENU_SQUARE_LOGS);
}

bool ShowCaption(CommandRun& run, std::string_view a) {
  int on = 0;
  return run.Document() && ReadToggle(a, on) &&
         run.Toggle(on, run.host.Settings().printFileName ? 1 : 0, MENU_PRINT_CAPTION);
}

bool BaselineShift(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  double time = 0, value = 0, start = 0, stop = 0;
  if (!d || !ArgumentReader(a).R(time).R(value).R(start).R(stop).Ok()) return false;
  if (d->processMode == 0) return false;
  ParameterCells& c = run.cells;
  c.shiftTime = time;
  c.shiftValue = value;
  c.shiftStart = start;
  c.shiftStop = stop;
  c.constantShift = start < -1.0E19 ? 1 : 0;
  return Plain(run, MENU_BASELINE_SHIFT);
}

bool CurveFit(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  int order = 0;
  if (!d || !ArgumentReader(a).I(order).Ok()) return false;
  const int curve = run.CurveAtLeastOne();
  if (curve > d->curveCount || order < 0 || order > d->pointCount[curve]) return false;
  run.cells.intParameter = order;
  return Plain(run, MENU_CURVE_FIT);
}

// [DataProcess(mode)] or [DataProcess(mode,"type")] or [DataProcess(mode,"type",option)].
bool DataProcess(CommandRun& run, std::string_view rest) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  const std::size_t paren = rest.find(')');
  const std::size_t quoted = rest.find(",\"");
  int mode = 0;
  std::string type;
  int option = 1;
  bool haveType = false;
  std::size_t end = 0;
  if (quoted != std::string_view::npos && (paren == std::string_view::npos || quoted < paren)) {
    if (!ArgumentReader(rest.substr(0, quoted)).I(mode).Ok()) return false;
    const std::size_t typeStart = quoted + 2;
    const std::size_t typeEnd = rest.find('"', typeStart);
    if (typeEnd == std::string_view::npos) return false;
    type = ToLower(rest.substr(typeStart, typeEnd - typeStart));
    haveType = true;
    const std::size_t close = rest.find(")]", typeEnd + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view optionText = rest.substr(typeEnd + 1, close - typeEnd - 1);
    ArgumentReader reader(optionText);
    if (!reader.AtEnd()) {
      if (!reader.I(option).Ok()) return false;
      option = ClampInt(option, 0, 2);
    }
    end = close + 2;
  } else {
    if (paren == std::string_view::npos || paren == 0) return false;
    if (!ArgumentReader(rest.substr(0, paren)).I(mode).Ok()) return false;
    if (paren + 1 >= rest.size() || rest[paren + 1] != ']') return false;
    end = paren + 2;
  }
  int recordType = 0;
  if (haveType) {
    auto begins = [&](const char* prefix) { return type.rfind(prefix, 0) == 0; };
    if (begins("p"))
      recordType = 1;
    else if (begins("stre"))
      recordType = 2;
    else if (begins("a"))
      recordType = 3;
    else if (begins("d"))
      recordType = 4;
    else if (begins("stra"))
      recordType = 5;
    else if (begins("t"))
      recordType = 6;
  }
  // The menu command switches; a failed one leaves the document as it was.
  run.cells.processReset = mode == 0 ? 1 : 0;
  run.cells.processState = (mode != 0 && (mode != 1 || haveType)) ? 1 : 0;
  run.cells.processRecordType = recordType;
  run.cells.processOption = option;
  run.advance = end;
  if (!Plain(run, MENU_DATA_PROCESS)) return false;
  run.redrawPending = true;
  return true;
}

bool EditAddToX(CommandRun& run, std::string_view a) {
  return AddOrMultiply(run, a, MENU_ADD_TO_X);
}
bool EditAddToY(CommandRun& run, std::string_view a) {
  return AddOrMultiply(run, a, MENU_ADD_TO_Y);
}
bool EditMultiplyX(CommandRun& run, std::string_view a) {
  return AddOrMultiply(run, a, MENU_MULTIPLY_X);
}
bool EditMultiplyY(CommandRun& run, std::string_view a) {
  return AddOrMultiply(run, a, MENU_MULTIPLY_Y);
}

bool EditDecimate(CommandRun& run, std::string_view a) {
  int method = 0, replace = 0;
  double p1 = 0, p2 = 0, p3 = 0;
  if (!ArgumentReader(a).I(method).I(replace).R(p1).R(p2).R(p3).Ok()) return false;
  run.cells.decimation = {p1, p2, p3};
  run.cells.replaceCurve = replace != 0 ? 1 : 0;
  run.cells.decimationReplace = run.cells.replaceCurve;
  const int commandId =
      method == 0 ? MENU_AVERAGE_POINTS : (method == 1 ? MENU_SKIP_POINTS : MENU_DEPOPULATE);
  return EachCurve(run, commandId);
}

bool EditEqualInts(CommandRun& run, std::string_view a) {
  int replace = 0, method = 0;
  double interval = 0;
  if (!ArgumentReader(a).I(replace).R(interval).I(method).Ok()) return false;
  run.cells.replaceCurve = replace != 0 ? 1 : 0;
  run.cells.constantValue = interval;
  run.cells.intParameter = method;
  return EachCurve(run, MENU_EQUAL_INTERVALS);
}

bool EditErase(CommandRun& run, std::string_view) {
  PlotDocument* d = run.Document();
  if (!d) return false;
  int curve = run.conversation.selectedCurve;
  if (curve > d->curveCount) curve = d->curveCount;
  if (curve < 1) curve = 1;
  run.cells.eraseCurve = curve;
  run.cells.firstCurve = run.cells.lastCurve = curve;
  return run.RunMenu(MENU_ERASE_CURVE);
}

// [EditFilter("type",...)]: the arguments run from after the type's opening
// quotation mark up to the closing ")".
bool EditFilter(CommandRun& run, std::string_view a) {
  std::string_view typeText, numbers;
  if (!run.Document() || !SplitAtQuote(a, typeText, numbers)) return false;
  const std::string type = ToLower(typeText);
  ParameterCells& c = run.cells;
  int twoPass = 0, replace = 0;
  if (type == "user") {
    double k[5] = {};
    if (!ArgumentReader(numbers).I(twoPass).I(replace).R(k[0]).R(k[1]).R(k[2]).R(k[3]).R(k[4]).Ok())
      return false;
    c.filterType = FILTER_USER;
    for (int i = 0; i < 5; ++i) c.filterCoefficients[static_cast<std::size_t>(i)] = k[i];
  } else if (type == "bandpass") {
    double low = 0, high = 0;
    int timeScale = 0;
    ArgumentReader reader(numbers);
    if (!reader.AtEnd() && !reader.I(twoPass).Ok()) return false;
    if (!reader.AtEnd() && !reader.I(replace).Ok()) return false;
    if (!reader.AtEnd() && !reader.R(low).Ok()) return false;
    if (!reader.AtEnd() && !reader.R(high).Ok()) return false;
    if (!reader.AtEnd() && !reader.I(timeScale).Ok()) return false;
    if (timeScale != 0 && timeScale != 1) return false;
    c.filterType = FILTER_BANDPASS;
    if (low <= 0) {
      low = 0;
    } else if (high <= 0) {
      high = 0;
      c.filterType = FILTER_LOWPASS;
    }
    c.filterCutoffs = {low, high};
    c.filterTimeScale = timeScale;
  } else if (type.size() == 7 && type.compare(0, 6, "option") == 0 && type[6] >= '1' &&
             type[6] <= '4') {
    if (!ArgumentReader(numbers).I(twoPass).I(replace).Ok()) return false;
    c.filterType = FILTER_OPTION1 + (type[6] - '1');
  } else {
    return false;
  }
  c.filterTwoPass = twoPass != 0 ? 1 : 0;
  c.replaceCurve = replace != 0 ? 1 : 0;
  return OneCurve(run, MENU_FILTER);
}

bool EditSmooth(CommandRun& run, std::string_view a) {
  int replace = 0;
  double window = 0;
  if (!ArgumentReader(a).I(replace).R(window).Ok()) return false;
  run.cells.replaceCurve = replace != 0 ? 1 : 0;
  run.cells.constantValue = window;
  return EachCurve(run, MENU_SMOOTH);
}

bool EditTruncate(CommandRun& run, std::string_view a) {
  double low = 0, high = 0;
  if (!ArgumentReader(a).R(low).R(high).Ok()) return false;
  run.cells.rangeLow = low;
  run.cells.rangeHigh = high;
  return Plain(run, MENU_TRUNCATE);
}

bool Fft(CommandRun& run, std::string_view) {
  if (!run.Document()) return false;
  run.cells.firstCurve = run.cells.lastCurve = SelectedOrFirst(run);
  return run.RunMenu(MENU_FFT);
}

bool Histogram(CommandRun& run, std::string_view a) {
  double interval = 0;
  if (!run.Document() || !ArgumentReader(a).R(interval).Ok()) return false;
  run.cells.constantValue = interval;
  run.cells.firstCurve = run.cells.lastCurve = SelectedOrFirst(run);
  return run.RunMenu(MENU_HISTOGRAM);
}

bool FileAppend(CommandRun& run, std::string_view file) {
  return SetPendingFile(run, file) && Plain(run, MENU_APPEND);
}

bool FileSaveAs(CommandRun& run, std::string_view a) {
  std::string_view typeText, file;
  int type = 0;
  if (!run.Document() || !SplitAtQuote(a, typeText, file)) return false;
  if (!ArgumentReader(typeText).I(type).Ok() || file.empty() || !SetPendingFile(run, file))
    return false;
  run.cells.currentFileType = type;
  const bool done = OneCurve(run, MENU_SAVE_AS);
  run.cells.currentFileType = run.conversation.fileType;
  return done;
}

bool GridLines(CommandRun& run, std::string_view a) {
  int style = 0;
  if (!ArgumentReader(a).I(style).Ok()) return false;
  return Plain(run, MENU_AXES_ONLY + ClampInt(style, 0, 2));
}

// [InsertLink("server","topic","item")]
bool InsertLink(CommandRun& run, std::string_view a) {
  std::string_view parts[3];
  std::string_view rest = a;
  for (int i = 0; i < 2; ++i) {
    const std::size_t q = rest.find('"');
    if (q == std::string_view::npos || q + 2 > rest.size()) return false;
    parts[i] = rest.substr(0, q);
    rest = rest.substr(q + 2);  // the quotation mark and the separator
    if (rest.empty() || rest.front() != '"') return false;
    rest.remove_prefix(1);
  }
  parts[2] = rest;
  for (const std::string_view& part : parts)
    if (part.size() > static_cast<std::size_t>(LINK_NAME_WIDTH)) return false;
  if (!run.Document() || run.host.LinkCount() >= 10) return false;
  run.cells.linkServer = std::string(parts[0]);
  run.cells.linkTopic = std::string(parts[1]);
  run.cells.linkItem = std::string(parts[2]);
  run.SetCurveRange();
  return run.RunMenu(MENU_INSERT_LINK, -1);
}

bool ManualScale(CommandRun& run, std::string_view a) {
  PlotDocument* d = run.Document();
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  if (!d || !ArgumentReader(a).R(xmin).R(ymin).R(xmax).R(ymax).Ok()) return false;
  d->manualLimits.xLow = xmin;
  d->manualLimits.xHigh = xmax;
  d->manualLimits.yLow[0] = ymin;
  d->manualLimits.yHigh[0] = ymax;
  return Plain(run, MENU_MANUAL_SCALE);
}

bool Paste(CommandRun& run, std::string_view) {
  if (!run.Document() || !run.host.ClipboardHasText()) return false;
  return Plain(run, MENU_PASTE);
}

bool Scale(CommandRun& run, std::string_view a) {
  int scale = 0;
  if (!ArgumentReader(a).I(scale).Ok() || scale < 1 || scale > 13) return false;
  if (!Plain(run, MENU_SCALE_BASE + scale)) return false;
  run.redrawPending = true;
  return true;
}

}  // namespace merva::commands

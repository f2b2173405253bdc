#pragma once

// The curve pickers every curve operation opens before its dialog, and the
// one rule that decides between a picker and the command's parameter cells.

#include <vector>

#include "core/plot_document.h"
#include "processing/curve_slots.h"

namespace merva::app {

// Prompts of the pickers.
inline constexpr char PROMPT_EDIT[] = "Edit which curve?";
inline constexpr char PROMPT_SWAP[] = "Swap X,Y for which curve?";
inline constexpr char PROMPT_TRUNCATE[] = "Truncate which curve?";
inline constexpr char PROMPT_REMOVE_TREND[] = "Remove trend for which curve?";
inline constexpr char PROMPT_DECIMATE[] = "Decimate which curve?";
inline constexpr char PROMPT_DEPOPULATE[] = "Depopulate which curve?";
inline constexpr char PROMPT_CONSTANT_SPACING[] = "Constant spacing for which curve?";
inline constexpr char PROMPT_ERASE[] = "Erase which curve(s)?";
inline constexpr char PROMPT_MOVE[] = "Move which curve?";

// PICKCURVE2: "One curve only" or "All curves". With a single curve no
// dialog opens. False when cancelled.
bool PickCurveRange(const PlotDocument& document, const char* prompt, CurveRange& range);

// PICKCURVE1: one curve. With `offerNewCurve` the list ends with "New curve"
// (curve = curveCount + 1). With a single curve and no new-curve entry no
// dialog opens. False when cancelled.
bool PickOneCurve(const PlotDocument& document, const char* prompt, int& curve,
                  bool offerNewCurve = false);

// MULTIPICK: any set of curves, in increasing order. False when cancelled
// or nothing was chosen.
bool PickCurves(const PlotDocument& document, const char* prompt, std::vector<int>& curves);

// The curves an operation acts on. Command mode (macroCommandActive): the
// parameter cells, by the command rule; with `oneCurve` only firstCurve
// (the command language loops). Otherwise PICKCURVE2, or PICKCURVE1 with
// `oneCurve`. False when nothing is to be done.
bool OperationCurves(const PlotDocument& document, const char* prompt, bool oneCurve,
                     CurveRange& range);

// The text of a curve in the pickers' lists: its number and legend.
std::string CurveListText(const PlotDocument& document, int curve);

}  // namespace merva::app

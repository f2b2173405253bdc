#include "processing/curve_states.h"

namespace merva {

namespace {

enum Effect { KEEP, UNKNOWN, YES };

struct StateRule {
  CurveEdit edit;
  Effect monotonic;
  Effect spacing;
};

// Changes of X make the states unknown unless the operation knows better.
constexpr StateRule kRules[] = {
    {CurveEdit::AddX, UNKNOWN, UNKNOWN},     {CurveEdit::MultiplyX, UNKNOWN, UNKNOWN},
    {CurveEdit::AddY, KEEP, KEEP},           {CurveEdit::MultiplyY, KEEP, KEEP},
    {CurveEdit::SwapXY, UNKNOWN, UNKNOWN},   {CurveEdit::Sort, YES, UNKNOWN},
    {CurveEdit::Truncate, KEEP, UNKNOWN},    {CurveEdit::RemoveTrend, KEEP, KEEP},
    {CurveEdit::EqualIntervals, YES, YES},   {CurveEdit::AveragePoints, KEEP, UNKNOWN},
    {CurveEdit::SkipPoints, KEEP, UNKNOWN},  {CurveEdit::Depopulate, KEEP, UNKNOWN},
    {CurveEdit::EditData, UNKNOWN, UNKNOWN},
};

void Apply(int32_t& state, Effect effect) {
  if (effect == UNKNOWN) state = STATE_UNKNOWN;
  if (effect == YES) state = STATE_YES;
}

}  // namespace

void ApplyStateRule(PlotDocument& d, int curve, CurveEdit edit) {
  for (const StateRule& rule : kRules) {
    if (rule.edit != edit) continue;
    Apply(d.monotonicState[curve], rule.monotonic);
    Apply(d.spacingState[curve], rule.spacing);
  }
  d.extents.valid = EXTENTS_STALE;
}

}  // namespace merva

#pragma once

// The texts the DDE server answers requests with.

#include <string>
#include <string_view>

#include "automation/topic_names.h"
#include "core/document_table.h"

namespace merva {

// The item table; CurveN items are recognised separately.
enum RequestItem : int {
  ITEM_NONE = 0,
  ITEM_TOPICS,
  ITEM_SYSITEMS,
  ITEM_FORMATS,
  ITEM_TOPIC_ITEM_LIST,
  ITEM_HELP,
  ITEM_STATUS,
  ITEM_NUMBER_OF_CURVES,
  ITEM_NUMBER_OF_POINTS,
  ITEM_PICTURE,
  ITEM_CURVE,  // "Curve" and a number 1..100
};

extern const char* const ITEM_NAMES[ITEM_PICTURE + 1];  // index = RequestItem, 0 unused
constexpr int MAX_CURVE_ITEMS = 100;

// The item named (without regard to case); `curve` receives N of CurveN.
RequestItem FindItem(std::string_view name, int& curve);
// "Curve" followed by the number.
std::string CurveItemName(int curve);

// The text reply of a request on `topic` (1..10) for `item`; false when
// the topic has no such item (the client then gets no data).
bool RequestReplyText(const DocumentTable& documents, const TopicTable& topics, int topic,
                      RequestItem item, int curve, bool frameEnabled, std::string& reply);

// One line per point: X, tab, Y, CR LF; values in G14.7.
std::string CurveText(const PlotDocument& document, int curve);

}  // namespace merva

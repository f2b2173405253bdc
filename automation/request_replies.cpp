#include "automation/request_replies.h"

#include "core/number_text.h"

namespace merva {

const char* const ITEM_NAMES[ITEM_PICTURE + 1] = {
    "",     "Topics", "SysItems",       "Formats",        "TopicItemList",
    "Help", "Status", "NumberOfCurves", "NumberOfPoints", "Picture",
};

namespace {

const char* const HELP_TEXT = "See MERVA Help... \"Transferring MERVA data to other applications\"";

// Leading zeros are accepted: the "Link" reference of Copy names curve 7
// "Curve07".
bool ParseCurveNumber(std::string_view digits, int& curve) {
  if (digits.empty() || digits.size() > 3) return false;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > MAX_CURVE_ITEMS) return false;
  curve = n;
  return true;
}

std::string DocumentReply(const PlotDocument& d, RequestItem item, int curve, bool& known) {
  known = true;
  switch (item) {
    case ITEM_FORMATS:
      return "TEXT";
    case ITEM_TOPIC_ITEM_LIST: {
      std::string text = "Formats\tNumberOfCurves\tNumberOfPoints\tTopicItemList";
      for (int c = 1; c <= d.curveCount && c <= MAX_CURVE_ITEMS; ++c)
        text += "\t" + CurveItemName(c);
      return text;
    }
    case ITEM_NUMBER_OF_CURVES:
      return std::to_string(d.curveCount);
    case ITEM_NUMBER_OF_POINTS: {
      if (d.curveCount == 0) return "0";
      std::string text;
      for (int c = 1; c <= d.curveCount && c <= MAX_CURVE_ITEMS; ++c) {
        if (c > 1) text += '\t';
        text += std::to_string(d.pointCount[c]);
      }
      return text;
    }
    case ITEM_CURVE:
      if (curve >= 1 && curve <= d.curveCount) return CurveText(d, curve);
      break;
    default:
      break;
  }
  known = false;
  return std::string();
}

}  // namespace

RequestItem FindItem(std::string_view name, int& curve) {
  curve = 0;
  for (int item = ITEM_TOPICS; item <= ITEM_PICTURE; ++item)
    if (EqualsIgnoreCase(name, ITEM_NAMES[item])) return static_cast<RequestItem>(item);
  if (name.size() > 5 && EqualsIgnoreCase(name.substr(0, 5), "Curve") &&
      ParseCurveNumber(name.substr(5), curve))
    return ITEM_CURVE;
  return ITEM_NONE;
}

std::string CurveItemName(int curve) { return "Curve" + std::to_string(curve); }

std::string CurveText(const PlotDocument& d, int curve) {
  std::string text;
  const int points = d.pointCount[curve];
  if (points <= 0 || !d.HasMatrices()) return text;
  text.reserve(static_cast<std::size_t>(points) * 31);
  for (int p = 1; p <= points && p <= d.maxPoints; ++p) {
    text += FormatGwd(d.X(curve, p), 14, 7);
    text += '\t';
    text += FormatGwd(d.Y(curve, p), 14, 7);
    text += "\r\n";
  }
  return text;
}

bool RequestReplyText(const DocumentTable& documents, const TopicTable& topics, int topic,
                      RequestItem item, int curve, bool frameEnabled, std::string& reply) {
  reply.clear();
  if (topic == TOPIC_SYSTEM) {
    switch (item) {
      case ITEM_TOPICS:
        reply = "ROZava\tSystem";
        for (int slot = 1; slot <= MAX_DOCUMENTS; ++slot)
          if (!topics.SlotName(slot).empty()) reply += "\t" + topics.SlotName(slot);
        return true;
      case ITEM_SYSITEMS:
      case ITEM_TOPIC_ITEM_LIST:
        reply = "Topics\tSysItems\tFormats\tStatus\tTopicItemList\tHelp";
        return true;
      case ITEM_FORMATS:
        reply = "TEXT";
        return true;
      case ITEM_STATUS:
        reply = frameEnabled ? "Ready" : "Busy";
        return true;
      case ITEM_HELP:
        reply = HELP_TEXT;
        return true;
      default:
        return false;
    }
  }
  if (topic == TOPIC_ROZAVA) {
    switch (item) {
      case ITEM_FORMATS:
        reply = "TEXT";
        return true;
      case ITEM_TOPIC_ITEM_LIST:
        reply = "Formats\tHelp\tTopicItemList";
        return true;
      case ITEM_HELP:
        reply = HELP_TEXT;
        return true;
      default:
        return false;
    }
  }
  const int slot = TopicTable::SlotOfTopic(topic);
  if (slot == 0 || !documents.IsOpen(slot) || topics.SlotName(slot).empty()) return false;
  bool known = false;
  reply = DocumentReply(documents.Document(slot), item, curve, known);
  return known;
}

}  // namespace merva

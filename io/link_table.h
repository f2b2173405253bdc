#pragma once

// The program's hot links: one entry per link it holds as a DDE client, in
// the order made, with the document and first curve slot the delivered
// text goes to. Links to the same application and topic share one
// conversation (a DDE library may allow only one per pair), so an entry
// also names its item.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace merva {

constexpr int MAX_LINKS = 10;

struct LinkEntry {
  uintptr_t conversation = 0;
  int docSlot = 0;
  int firstCurve = 0;
  std::string application;
  std::string topic;
  std::string item;
  int curves = 0;        // how many curves the link holds
  std::string lastText;  // the text they were read from
};

class LinkTable {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Full() const { return Count() >= MAX_LINKS; }
  // False when the table is full or the entry has no conversation.
  bool Add(const LinkEntry& entry);
  bool Has(uintptr_t conversation) const;
  // The links an update of `item` on the conversation goes to (names
  // compared without regard to case).
  std::vector<LinkEntry> ForItem(uintptr_t conversation, std::string_view item) const;
  // The links an update of `item` brings a new text to; each keeps `text`
  // as its last. Two documents linked to each other so stop answering
  // each other once the text no longer changes.
  std::vector<LinkEntry> TakeUpdate(uintptr_t conversation, std::string_view item,
                                    const std::string& text);
  // Records the curves the link of the conversation into the document's
  // curves from `firstCurve` on now holds.
  void SetCurves(uintptr_t conversation, int docSlot, int firstCurve, int curves);
  // The conversation already linked to the application and topic, 0 when none.
  uintptr_t ConversationWith(std::string_view application, std::string_view topic) const;
  // Every link of the conversation.
  bool Remove(uintptr_t conversation);
  // Removes a document's links; returns the conversations no other link uses.
  std::vector<uintptr_t> RemoveSlot(int docSlot);
  bool HasSlot(int docSlot) const;
  const std::vector<LinkEntry>& Entries() const { return entries_; }

 private:
  std::vector<LinkEntry> entries_;
};

inline constexpr char LINK_CAPTION_SUFFIX[] = "(Link)";

// The name a linked document takes: the file-name part of the topic
// (after the last "\", "/" or ":"; a spreadsheet's "[Book1.xls]Sheet1"
// stays whole), or the topic itself; "(Link)" follows when the hot link
// is active.
std::string LinkCaption(std::string_view topic, bool hotLink);

}  // namespace merva
namespace merva {

// The program file of a registered open command (as the registry's
// "<application>\shell\open\command" holds it): lower-cased, without a
// leading quotation mark, cut after ".exe"; empty when there is no ".exe".
std::string ServerProgramFromCommand(std::string_view command);

}  // namespace merva

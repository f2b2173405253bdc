#pragma once

// The program's hot links: one entry per advise loop it holds as a DDE
// client, in the order made, with the document and first curve slot the
// delivered text goes to.

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
};

class LinkTable {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Full() const { return Count() >= MAX_LINKS; }
  // False when the table is full or the conversation already has a link.
  bool Add(const LinkEntry& entry);
  const LinkEntry* Find(uintptr_t conversation) const;
  bool Remove(uintptr_t conversation);
  // The conversations of a document's links, removed from the table.
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

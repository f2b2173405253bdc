#include "app/paste_numbers.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "app/document_window.h"
#include "app/menu_state.h"
#include "app/program.h"
#include "app/ui_host.h"
#include "core/messages.h"
#include "io/number_fields.h"

namespace merva::app {

namespace {

// The clipboard's text, read in place while it is locked.
class ClipboardText {
 public:
  explicit ClipboardText(HGLOBAL memory) : memory_(memory) {
    if (!memory_) return;
    const char* text = static_cast<const char*>(GlobalLock(memory_));
    if (!text) return;
    // Bounded by the block, not by a NUL that may be missing.
    const SIZE_T size = GlobalSize(memory_);
    const void* nul = std::memchr(text, 0, size);
    text_ = std::string_view(text, nul ? static_cast<const char*>(nul) - text : size);
    locked_ = true;
  }
  ~ClipboardText() {
    if (locked_) GlobalUnlock(memory_);
  }
  ClipboardText(const ClipboardText&) = delete;
  ClipboardText& operator=(const ClipboardText&) = delete;
  bool Locked() const { return locked_; }
  std::string_view Text() const { return text_; }

 private:
  HGLOBAL memory_;
  bool locked_ = false;
  std::string_view text_;
};

}  // namespace

int PasteNumbersCommand() {
  const int slot = ActiveSlot();
  if (!Documents().IsOpen(slot)) return 0;
  if (!IsClipboardFormatAvailable(CF_TEXT)) {
    Ui().Show(MessageText(MSG_NO_CLIPBOARD_TEXT));
    return 0;
  }
  if (!OpenClipboard(TheProgram().frame)) {
    Ui().Show(MessageText(MSG_CLIPBOARD_OPEN_FAILED));
    return 0;
  }
  PlotDocument& document = Documents().Document(slot);
  Status status = Status::Failure(std::string(NUMBER_TEXT_ERROR));
  {
    ClipboardText text(GetClipboardData(CF_TEXT));
    if (text.Locked()) {
      int added = 0;
      status = ParseNumberText(document, text.Text(), document.curveCount + 1, added);
    }
  }
  CloseClipboard();
  for (Message& message : status.messages)
    if (message.text == NUMBER_TEXT_ERROR) message.text = "Error reading numbers from clipboard.";
  Ui().ShowStatus(status, "Paste");
  if (status.fatal) PostQuitMessage(0);
  if (!status.Ok()) return 0;
  RedrawDocument(slot);
  RefreshMenus();
  return 1;
}

}  // namespace merva::app

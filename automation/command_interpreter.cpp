#include "automation/command_interpreter.h"

#include <cstring>

#include "automation/command_handlers.h"
#include "automation/command_run.h"

namespace merva {

const char* const COMMAND_ERROR_CAPTION = "Error processing this command:";

namespace {

// One character more than the longest string, so that a string of the full
// length still ends in a NUL.
char commandBuffer[COMMAND_BUFFER_LENGTH + 1];
char commandEcho[COMMAND_BUFFER_LENGTH + 1];

std::size_t TextLength(const char* data, std::size_t size) {
  const void* nul = data ? std::memchr(data, '\0', size) : nullptr;
  return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data) : (data ? size : 0);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Copies into both buffers; the name between a "[" and the "(" that
// follows it is lower-cased in the command buffer only.
void CopyReceived(const char* data, std::size_t length) {
  std::memset(commandBuffer, 0, sizeof commandBuffer);
  std::memset(commandEcho, 0, sizeof commandEcho);
  std::size_t lastBracket = 0;
  bool haveBracket = false;
  for (std::size_t i = 0; i < length; ++i) {
    commandBuffer[i] = data[i];
    commandEcho[i] = data[i];
    if (data[i] == '[') {
      lastBracket = i;
      haveBracket = true;
    } else if (data[i] == '(' && haveBracket) {
      for (std::size_t k = lastBracket; k < i; ++k) commandBuffer[k] = Lower(commandBuffer[k]);
      haveBracket = false;
    }
  }
}

bool StartsWith(std::string_view text, const char* prefix) {
  const std::size_t n = std::strlen(prefix);
  return text.size() >= n && std::memcmp(text.data(), prefix, n) == 0;
}

const CommandSpec* FindCommand(std::string_view text) {
  std::size_t count = 0;
  const CommandSpec* table = CommandTable(count);
  for (std::size_t i = 0; i < count; ++i)
    if (StartsWith(text, table[i].opening)) return &table[i];
  return nullptr;
}

// The commands that bind a conversation to a document; the only ones an
// unbound conversation may run.
bool BindsDocument(const CommandSpec& spec) {
  return spec.handler == commands::FileNew || spec.handler == commands::FileOpen ||
         spec.handler == commands::Activate;
}

// Runs one command at the start of `text`; the characters it took, 0 when
// it failed.
std::size_t RunOneCommand(CommandRun& run, std::string_view text) {
  const CommandSpec* spec = FindCommand(text);
  if (!spec) return 0;
  const std::size_t open = std::strlen(spec->opening);
  std::string_view rest = text.substr(open);
  if (spec->flags & CUSTOM_CLOSING) {
    run.advance = 0;
    if (!spec->handler(run, rest) || run.advance == 0 || run.advance > rest.size()) return 0;
    return open + run.advance;
  }
  if (spec->flags & SKIP_TO_BRACKET) {
    const std::size_t bracket = rest.find(']');
    if (bracket == std::string_view::npos) return 0;
    if (!spec->handler(run, std::string_view())) return 0;
    return open + bracket + 1;
  }
  if (spec->closing[0] == '\0') return spec->handler(run, std::string_view()) ? open : 0;
  const std::size_t at = rest.find(spec->closing);
  if (at == std::string_view::npos) return 0;
  if (at == 0 && (spec->flags & ARGUMENT_REQUIRED)) return 0;
  std::size_t used = open + at + std::strlen(spec->closing);
  // A closing text without the bracket needs the bracket right after it.
  if (spec->closing[std::strlen(spec->closing) - 1] != ']') {
    if (used >= text.size() || text[used] != ']') return 0;
    ++used;
  }
  return spec->handler(run, rest.substr(0, at)) ? used : 0;
}

void ShowFailure(CommandRun& run) {
  if (!run.conversation.errorMessages) return;
  for (const Message& m : run.failure.messages)
    run.host.ShowMessage(m.text, "MERVA95", MessageIcon::Exclamation);
  run.host.Say(commandEcho);
  run.host.ShowMessage(commandEcho, COMMAND_ERROR_CAPTION, MessageIcon::Exclamation);
}

}  // namespace

std::string LowerCommandNames(const char* data, std::size_t size) {
  const std::size_t length = TextLength(data, size);
  if (length > COMMAND_BUFFER_LENGTH) return std::string();
  CopyReceived(data, length);
  return std::string(commandBuffer, length);
}

std::string LastCommandEcho() { return commandEcho; }

int ExecuteCommandString(CommandHost& host, ParameterCells& cells, Conversation* conversation,
                         const char* data, std::size_t size) {
  if (!conversation) return EXECUTE_NOT_PROCESSED;
  // A conversation whose document went stays unbound until a command binds
  // it again; it never follows whatever document later takes the slot.
  if (!host.Documents().IsOpen(conversation->docSlot)) conversation->docSlot = 0;
  if (!host.FrameEnabled() && conversation->enableUi == 1) return EXECUTE_BUSY;
  host.EnableFrame(false);

  CommandRun run{host, cells, *conversation};
  run.messagesAllowed = host.MessagesShown();
  host.SetMessagesShown(run.messagesAllowed && conversation->errorMessages != 0);
  int status = EXECUTE_NOT_PROCESSED;
  const std::size_t length = TextLength(data, size);
  if (length <= COMMAND_BUFFER_LENGTH) {
    CopyReceived(data, length);
    cells.currentFileType = conversation->fileType;
    const std::string_view text(commandBuffer, std::strlen(commandBuffer));
    std::size_t p = 0;
    bool failed = false;
    while (p < text.size() && !run.stopAcknowledged) {
      if (!run.Document()) {
        const CommandSpec* spec = FindCommand(text.substr(p));
        if (!spec || !BindsDocument(*spec)) {
          failed = p > 0;  // an unbound conversation is refused without a box
          break;
        }
      }
      const std::size_t used = RunOneCommand(run, text.substr(p));
      if (used == 0) {
        failed = true;
        break;
      }
      p += used;
      status = EXECUTE_ACKNOWLEDGED;
      // Closing the last document ends a string such as the shell's print
      // verb well; only commands after it have nothing to act on.
      if (run.documentGone) {
        failed = p < text.size();
        break;
      }
    }
    if (failed) {
      status = EXECUTE_NOT_PROCESSED;
      ShowFailure(run);
    } else if (run.stopAcknowledged) {
      status = EXECUTE_ACKNOWLEDGED;
    }
  }

  if (run.conversation.enableUi == 1) {
    host.EnableFrame(true);
    host.RefreshMenus();
  }
  if (status == EXECUTE_ACKNOWLEDGED && !run.stopAcknowledged &&
      run.conversation.postponeRedraw == 0 && run.redrawPending && run.Document())
    host.RedrawDocument(run.conversation.docSlot);
  host.SetMessagesShown(run.messagesAllowed);
  return status;
}

}  // namespace merva

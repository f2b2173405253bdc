#pragma once

// The command language: bracketed command strings such as
// [FileOpen("a.grf")][FilePrint()] run against a conversation's document.

#include <cstddef>
#include <string>

#include "automation/command_host.h"
#include "automation/conversation.h"
#include "automation/parameter_cells.h"

namespace merva {

constexpr std::size_t COMMAND_BUFFER_LENGTH = 1024;

// Results of an execute transaction (the DDE acknowledgement bits).
constexpr int EXECUTE_ACKNOWLEDGED = 0x8000;
constexpr int EXECUTE_BUSY = 0x4000;
constexpr int EXECUTE_NOT_PROCESSED = 0;

extern const char* const COMMAND_ERROR_CAPTION;  // "Error processing this command:"

// Runs the command string held in `data` (at most `size` bytes; a NUL ends
// it earlier) on the conversation. A null conversation or one without a
// document is not processed.
int ExecuteCommandString(CommandHost& host, ParameterCells& cells, Conversation* conversation,
                         const char* data, std::size_t size);
inline int ExecuteCommandString(CommandHost& host, ParameterCells& cells,
                                Conversation* conversation, const std::string& text) {
  return ExecuteCommandString(host, cells, conversation, text.data(), text.size());
}

// The received text of the last string, as an error message shows it.
std::string LastCommandEcho();

// The copy of a received string: command names from "[" to "(" lower-cased,
// everything else as received. Exposed for tests.
std::string LowerCommandNames(const char* data, std::size_t length);

}  // namespace merva

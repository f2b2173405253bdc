#pragma once

// The numbered texts of the program's string table. message_table.inc is
// the one source: this module and the resource script both include it.

#include <string>

namespace merva {

// Symbolic names of the numbered messages used in code.
enum MessageNumber : int {
#define MERVA_MESSAGE(number, name, text) name = number,
#include "core/message_table.inc"
#undef MERVA_MESSAGE
};

// The text of a numbered message; empty for an unknown number.
std::string MessageText(int number);

}  // namespace merva

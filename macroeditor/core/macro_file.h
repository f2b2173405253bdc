#pragma once

// Macro files: the header line, then the macro text with CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>

namespace merva::macro {

constexpr char MACRO_HEADER[] = "MERVA/W Macro 1.1";
constexpr std::size_t MACRO_HEADER_LENGTH = 17;
constexpr std::size_t MACRO_TEXT_LIMIT = 32768;
constexpr char MACRO_EXTENSION[] = ".MAC";
constexpr char MACRO_FOLDER[] = "MACROS\\";
constexpr char NOT_A_MACRO[] = "This file is not a MERVA/W 1.1 macro.";
constexpr char MACRO_TOO_LONG[] = "The macro is longer than 32768 characters and cannot be loaded.";

enum class MacroRead { Ok, NotAMacro, TooLong };

// The text of a macro file; `text` is left alone unless Ok.
MacroRead ParseMacroFile(std::string_view bytes, std::string& text);
// The bytes of a macro file holding `text` (its line ends made CR LF).
std::string MacroFileBytes(std::string_view text);
// Every line end (CR LF, lone LF, lone CR) made CR LF.
std::string WithCrLf(std::string_view text);

}  // namespace merva::macro

#pragma once

// Reading and writing the values of settings and preference files: every
// reader leaves its target alone when the key is missing, empty, unreadable
// or out of range, and returns whether it changed the target.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/plot_document.h"
#include "files/profile_store.h"

namespace merva {

// The values of a list, positionally: blanks and/or one comma separate
// values; a comma right after another gives an empty value (the setting at
// that position is kept).
std::vector<std::string_view> ListValues(std::string_view text);

// A whole number written in decimal or as "0x" + hexadecimal digits (the
// latter taken as 32 bits, so that negative values written that way read
// back).
bool ParseSettingInteger(std::string_view token, long long& value);
bool ParseHexColor(std::string_view token, uint32_t& value);

// How a text longer than its field is taken.
enum class LongText { Cut, Refuse };

bool ReadText(ProfileStore& store, std::string_view section, std::string_view key,
              std::string& value, std::size_t maxLength, LongText longText);
bool ReadInt(ProfileStore& store, std::string_view section, std::string_view key, int& value,
             long long low, long long high);
// "0" or "1".
bool ReadFlag(ProfileStore& store, std::string_view section, std::string_view key, bool& value);
bool ReadReal(ProfileStore& store, std::string_view section, std::string_view key, double& value,
              double low, double high);
// Each readable value within low..high replaces its entry; the number of
// entries replaced.
int ReadIntList(ProfileStore& store, std::string_view section, std::string_view key, int* values,
                int count, long long low, long long high);
int ReadColorList(ProfileStore& store, std::string_view section, std::string_view key,
                  uint32_t* values, int count);
bool ReadColor(ProfileStore& store, std::string_view section, std::string_view key,
               uint32_t& value);
// 45 integers; a height of 0 (or a description that cannot be read) keeps
// the font.
bool ReadFont(ProfileStore& store, std::string_view section, std::string_view key,
              FontDescription& font);

// Texts are written so that the profile functions give them back as they
// were: line breaks become blanks, and a text that starts with a blank or is
// enclosed in matching quotes gets an extra pair of quotes.
bool PutText(ProfileStore& store, std::string_view section, std::string_view key,
             std::string_view text);
std::string IntList(const int* values, int count, int width);
std::string HexInt(int value);  // "0x" + at least 4 upper-case digits
std::string ColorList(const uint32_t* values, int count);
std::string FontValue(const FontDescription& font);
inline const char* FlagText(bool flag) { return flag ? "1" : "0"; }

// The key name of curve c in the "Labels" section: prefix + at least two digits.
std::string CurveKey(std::string_view prefix, int curve);

}  // namespace merva

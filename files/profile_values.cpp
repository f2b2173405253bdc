#include "files/profile_values.h"

#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace merva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to 8 hexadecimal digits, nothing else.
bool ParseHexDigits(std::string_view digits, uint32_t& value) {
  if (digits.empty() || digits.size() > 8) return false;
  uint32_t v = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  value = v;
  return true;
}

bool FirstValue(ProfileStore& store, std::string_view section, std::string_view key,
                std::string& text, std::string_view& first) {
  if (!store.Get(section, key, text)) return false;
  const std::vector<std::string_view> values = ListValues(text);
  if (values.empty() || values.front().empty()) return false;
  first = values.front();
  return true;
}

}  // namespace

std::vector<std::string_view> ListValues(std::string_view text) {
  std::vector<std::string_view> values;
  bool haveValue = false;  // since the last comma
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == ',') {
      if (!haveValue) values.push_back(std::string_view());
      haveValue = false;
      ++i;
    } else {
      std::size_t j = i;
      while (j < text.size() && !IsBlank(text[j]) && text[j] != ',') ++j;
      values.push_back(text.substr(i, j - i));
      haveValue = true;
      i = j;
    }
  }
  return values;
}

bool ParseSettingInteger(std::string_view token, long long& value) {
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    uint32_t bits = 0;
    if (!ParseHexDigits(token.substr(2), bits)) return false;
    value = static_cast<int32_t>(bits);
    return true;
  }
  return ParseInteger(token, value);
}

bool ParseHexColor(std::string_view token, uint32_t& value) {
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
    token.remove_prefix(2);
  uint32_t v = 0;
  if (!ParseHexDigits(token, v) || v > 0xFFFFFFu) return false;
  value = v;
  return true;
}

bool ReadText(ProfileStore& store, std::string_view section, std::string_view key,
              std::string& value, std::size_t maxLength, LongText longText) {
  std::string text;
  if (!store.Get(section, key, text)) return false;
  if (text.size() > maxLength) {
    if (longText == LongText::Refuse) return false;
    text.resize(maxLength);
  }
  value = std::move(text);
  return true;
}

bool ReadInt(ProfileStore& store, std::string_view section, std::string_view key, int& value,
             long long low, long long high) {
  std::string text;
  std::string_view first;
  long long v = 0;
  if (!FirstValue(store, section, key, text, first) || !ParseSettingInteger(first, v) || v < low ||
      v > high)
    return false;
  value = static_cast<int>(v);
  return true;
}

bool ReadFlag(ProfileStore& store, std::string_view section, std::string_view key, bool& value) {
  int v = 0;
  if (!ReadInt(store, section, key, v, 0, 1)) return false;
  value = v != 0;
  return true;
}

bool ReadReal(ProfileStore& store, std::string_view section, std::string_view key, double& value,
              double low, double high) {
  std::string text;
  std::string_view first;
  double v = 0.0;
  if (!FirstValue(store, section, key, text, first) || !ParseReal(first, v) || !std::isfinite(v) ||
      v < low || v > high)
    return false;
  value = v;
  return true;
}

int ReadIntList(ProfileStore& store, std::string_view section, std::string_view key, int* values,
                int count, long long low, long long high) {
  std::string text;
  if (!store.Get(section, key, text)) return 0;
  const std::vector<std::string_view> tokens = ListValues(text);
  int replaced = 0;
  for (int i = 0; i < count && i < static_cast<int>(tokens.size()); ++i) {
    long long v = 0;
    if (ParseSettingInteger(tokens[static_cast<std::size_t>(i)], v) && v >= low && v <= high) {
      values[i] = static_cast<int>(v);
      ++replaced;
    }
  }
  return replaced;
}

int ReadColorList(ProfileStore& store, std::string_view section, std::string_view key,
                  uint32_t* values, int count) {
  std::string text;
  if (!store.Get(section, key, text)) return 0;
  const std::vector<std::string_view> tokens = ListValues(text);
  int replaced = 0;
  for (int i = 0; i < count && i < static_cast<int>(tokens.size()); ++i)
    if (ParseHexColor(tokens[static_cast<std::size_t>(i)], values[i])) ++replaced;
  return replaced;
}

bool ReadColor(ProfileStore& store, std::string_view section, std::string_view key,
               uint32_t& value) {
  return ReadColorList(store, section, key, &value, 1) == 1;
}

bool ReadFont(ProfileStore& store, std::string_view section, std::string_view key,
              FontDescription& font) {
  std::string text;
  if (!store.Get(section, key, text)) return false;
  const std::vector<std::string_view> tokens = ListValues(text);
  auto field = [&](std::size_t i, long long low, long long high, long long& v) {
    return i < tokens.size() && ParseSettingInteger(tokens[i], v) && v >= low && v <= high;
  };
  long long v = 0;
  if (!field(0, -1000, 1000, v) || v == 0) return false;
  FontDescription read = font;
  read.height = static_cast<int32_t>(v);
  if (field(1, -1000, 1000, v)) read.width = static_cast<int32_t>(v);
  if (field(2, -3600, 3600, v)) read.escapement = static_cast<int32_t>(v);
  if (field(3, -3600, 3600, v)) read.orientation = static_cast<int32_t>(v);
  if (field(4, 0, 1000, v)) read.weight = static_cast<int32_t>(v);
  uint8_t* bytes[] = {&read.italic,  &read.underline,     &read.strikeOut,
                      &read.charSet, &read.outPrecision,  &read.clipPrecision,
                      &read.quality, &read.pitchAndFamily};
  for (std::size_t k = 0; k < 8; ++k)
    if (field(5 + k, 0, 255, v)) *bytes[k] = static_cast<uint8_t>(v);
  // The face name only when all of its codes can be read.
  std::array<char, FACE_NAME_WIDTH> face{};
  bool faceRead = true;
  for (std::size_t k = 0; k < face.size() && faceRead; ++k) {
    faceRead = field(13 + k, 0, 255, v);
    face[k] = static_cast<char>(static_cast<unsigned char>(v));
  }
  if (faceRead) {
    face.back() = '\0';
    bool ended = false;  // zero-fill after the first 0
    for (char& c : face) {
      if (c == '\0') ended = true;
      if (ended) c = '\0';
    }
    read.faceName = face;
  }
  font = read;
  return true;
}

bool PutText(ProfileStore& store, std::string_view section, std::string_view key,
             std::string_view text) {
  std::string value(text);
  for (char& c : value)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  while (!value.empty() && IsBlank(value.back())) value.pop_back();
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (!value.empty() && (IsBlank(value.front()) || quoted)) value = "\"" + value + "\"";
  return store.Put(section, key, value);
}

std::string IntList(const int* values, int count, int width) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    out += FormatI(values[i], width);
  }
  return out;
}

std::string HexInt(int value) { return "0x" + FormatZ(static_cast<uint32_t>(value), 4); }

std::string ColorList(const uint32_t* values, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    out += FormatZ(values[i], 8);
  }
  return out;
}

std::string FontValue(const FontDescription& f) {
  int values[13 + FACE_NAME_WIDTH] = {
      f.height,        f.width,     f.escapement,    f.orientation, f.weight,
      f.italic,        f.underline, f.strikeOut,     f.charSet,     f.outPrecision,
      f.clipPrecision, f.quality,   f.pitchAndFamily};
  for (int k = 0; k < FACE_NAME_WIDTH; ++k)
    values[13 + k] = static_cast<unsigned char>(f.faceName[static_cast<std::size_t>(k)]);
  return IntList(values, 13 + FACE_NAME_WIDTH, 4);
}

std::string CurveKey(std::string_view prefix, int curve) {
  std::string key(prefix);
  if (curve >= 0 && curve < 10) key += '0';
  key += std::to_string(curve);
  return key;
}

}  // namespace merva

#pragma once

// Strings stored by section and key: INI files, the system profile and the
// registry all look like this to the settings code.

#include <string>
#include <string_view>
#include <vector>

namespace merva {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The value of a key; false (and `value` empty) when the key is missing
  // or holds an empty text. Sections and keys ignore case.
  virtual bool Get(std::string_view section, std::string_view key, std::string& value) = 0;
  // Creates or replaces a key (and its section).
  virtual bool Put(std::string_view section, std::string_view key, std::string_view value) = 0;
  // Removes a key; true also when it was not there.
  virtual bool Remove(std::string_view section, std::string_view key) = 0;
  // The key names of a section, in stored order.
  virtual std::vector<std::string> Keys(std::string_view section) = 0;
  // Makes every Put durable.
  virtual bool Flush() = 0;
};

}  // namespace merva

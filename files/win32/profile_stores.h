#pragma once

// The profile store on the system's profile functions and on the registry.

#include <windows.h>

#include <string>

#include "files/profile_store.h"

namespace merva {

// A private profile file ("mervaw.ini" without a directory lives in the
// system's settings directory); an empty file name means the system
// profile itself (the "intl" and "windows" sections).
class PrivateProfileStore : public ProfileStore {
 public:
  explicit PrivateProfileStore(std::string fileName) : fileName_(std::move(fileName)) {}

  bool Get(std::string_view section, std::string_view key, std::string& value) override;
  bool Put(std::string_view section, std::string_view key, std::string_view value) override;
  bool Remove(std::string_view section, std::string_view key) override;
  std::vector<std::string> Keys(std::string_view section) override;
  bool Flush() override;

 private:
  std::string fileName_;
};

// Sections are key paths below `root` and keys are value names ("" the
// default value); only string values are read.
class RegistryStore : public ProfileStore {
 public:
  explicit RegistryStore(HKEY root) : root_(root) {}

  bool Get(std::string_view section, std::string_view key, std::string& value) override;
  bool Put(std::string_view section, std::string_view key, std::string_view value) override;
  bool Remove(std::string_view section, std::string_view key) override;
  std::vector<std::string> Keys(std::string_view section) override;
  bool Flush() override { return true; }

 private:
  HKEY root_;
};

// The longest value the profile store reads; longer ones come back cut.
constexpr DWORD MAX_PROFILE_VALUE = 1u << 20;

}  // namespace merva

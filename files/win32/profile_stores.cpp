#include "files/win32/profile_stores.h"

#include <vector>

namespace merva {

namespace {

class OpenKey {
 public:
  OpenKey(HKEY root, const std::string& path, REGSAM access, bool create) {
    LONG result;
    if (create)
      result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                               nullptr, &key_, nullptr);
    else
      result = RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
    if (result != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// GetPrivateProfileString into a buffer that grows until the value fits.
// `listTerminator` is 2 for key lists (double NUL), else 1.
std::string ReadProfile(const char* section, const char* key, const std::string& fileName,
                        DWORD listTerminator) {
  std::vector<char> buffer(1024);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    DWORD n = fileName.empty() ? GetProfileStringA(section, key, "", buffer.data(), size)
                               : GetPrivateProfileStringA(section, key, "", buffer.data(), size,
                                                          fileName.c_str());
    if (n + listTerminator < size || size >= MAX_PROFILE_VALUE) {
      if (n >= size) n = size - 1;
      return std::string(buffer.data(), n);
    }
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

bool PrivateProfileStore::Get(std::string_view section, std::string_view key, std::string& value) {
  value = ReadProfile(std::string(section).c_str(), std::string(key).c_str(), fileName_, 1);
  return !value.empty();
}

bool PrivateProfileStore::Put(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string s(section), k(key), v(value);
  if (s.empty() || k.empty()) return false;
  return fileName_.empty() ? WriteProfileStringA(s.c_str(), k.c_str(), v.c_str()) != FALSE
                           : WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(),
                                                        fileName_.c_str()) != FALSE;
}

bool PrivateProfileStore::Remove(std::string_view section, std::string_view key) {
  const std::string s(section), k(key);
  if (s.empty() || k.empty()) return true;
  if (fileName_.empty()) return WriteProfileStringA(s.c_str(), k.c_str(), nullptr) != FALSE;
  return WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, fileName_.c_str()) != FALSE;
}

std::vector<std::string> PrivateProfileStore::Keys(std::string_view section) {
  const std::string list = ReadProfile(std::string(section).c_str(), nullptr, fileName_, 2);
  std::vector<std::string> keys;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) keys.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return keys;
}

bool PrivateProfileStore::Flush() {
  // All-null arguments flush the system's cache of the file; the writes
  // themselves already reported their failures.
  if (fileName_.empty())
    WriteProfileStringA(nullptr, nullptr, nullptr);
  else
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
  return true;
}

bool RegistryStore::Get(std::string_view section, std::string_view key, std::string& value) {
  value.clear();
  OpenKey open(root_, std::string(section), KEY_QUERY_VALUE, false);
  if (!open.get()) return false;
  const std::string name(key);
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size > MAX_PROFILE_VALUE)
    return false;
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
    return false;
  buffer[size] = '\0';
  value = buffer.data();  // up to the first NUL
  return !value.empty();
}

bool RegistryStore::Put(std::string_view section, std::string_view key, std::string_view value) {
  OpenKey open(root_, std::string(section), KEY_SET_VALUE, true);
  if (!open.get()) return false;
  const std::string name(key), text(value);
  return RegSetValueExA(open.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryStore::Remove(std::string_view section, std::string_view key) {
  OpenKey open(root_, std::string(section), KEY_SET_VALUE, false);
  if (!open.get()) return true;
  const LONG result = RegDeleteValueA(open.get(), std::string(key).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> RegistryStore::Keys(std::string_view section) {
  std::vector<std::string> names;
  OpenKey open(root_, std::string(section), KEY_QUERY_VALUE, false);
  if (!open.get()) return names;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD length = sizeof name;
    if (RegEnumValueA(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace merva

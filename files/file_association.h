#pragma once

// The registry entries of the plot-file association and the clipboard
// formats the program registers at start-up.

#include <string>
#include <vector>

#include "files/profile_store.h"

namespace merva {

inline constexpr char FILE_CLASS_NAME[] = "MERVAW";
inline constexpr char PLOT_FILE_EXTENSION[] = ".grf";

inline constexpr char CLIPBOARD_FORMAT_MERVAW[] = "MERVAW";
inline constexpr char CLIPBOARD_FORMAT_LINK[] = "Link";
inline constexpr char CLIPBOARD_FORMAT_OBJECT_LINK[] = "ObjectLink";
inline constexpr char CLIPBOARD_FORMAT_XLTABLE[] = "XlTable";
inline constexpr const char* CLIPBOARD_FORMAT_NAMES[] = {
    CLIPBOARD_FORMAT_MERVAW, CLIPBOARD_FORMAT_LINK, CLIPBOARD_FORMAT_OBJECT_LINK,
    CLIPBOARD_FORMAT_XLTABLE};

// One default value under the classes root.
struct RegistryEntry {
  std::string key;  // path below the classes root
  std::string value;
};

// The entries in the order they are written; "command" values hold the
// program's full path (in quotes when it contains a blank, so that the shell
// cannot take a shorter path for the program).
std::vector<RegistryEntry> FileAssociationEntries(const std::string& programPath);

// Writes the entries as default values (key name "") of a store whose
// sections are registry key paths. Failures are ignored; the number of
// entries written.
int WriteFileAssociation(ProfileStore& classesRoot, const std::string& programPath);

}  // namespace merva

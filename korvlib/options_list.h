#pragma once

// The options of a KUAppOptions request: which are listed, their labels
// and which one is selected first.

#include <windows.h>

#include "korvlib/korv32.h"
#include "korvlib/resource_ids.h"

namespace korv {

constexpr int MAX_LABEL_LENGTH = 31;

struct ListedOption {
  int value = 0;                          // returned when chosen
  const char* iconName = nullptr;         // icon resource of the library
  char label[MAX_LABEL_LENGTH + 1] = {};  // cut to 31 characters
};

struct OptionList {
  ListedOption options[KU_OPTIONS_SLOTS];
  int count = 0;
  int selected = 0;  // index of the default selection
};

// The request as copied from the caller; the noun always ends in a NUL.
bool CopyOptionsRequest(const KUOPTIONSREQUEST* request, KUOPTIONSREQUEST& copy);

OptionList ListOptions(DWORD flags, const char* noun);
// Index of the listed option that starts selected.
int DefaultOptionIndex(DWORD flags, int count);

}  // namespace korv

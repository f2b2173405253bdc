#pragma once

// Preference files ("*.set"): the look of one document (styles, titles,
// labels, legend texts, scales, colours, fonts, legend and flag settings)
// so that it can be applied to another.

#include "core/plot_document.h"
#include "core/status.h"
#include "files/profile_store.h"
#include "files/settings.h"

namespace merva {

inline constexpr char SAVE_PREFERENCES_TITLE[] = "Save Preferences";
inline constexpr char GET_PREFERENCES_TITLE[] = "Get Preferences";
inline constexpr char PREFERENCES_FILTER_NAME[] = "Settings file (*.set)";
inline constexpr char PREFERENCES_FILTER_PATTERN[] = "*.SET";
inline constexpr char PREFERENCES_DEFAULT_EXTENSION[] = "SET";

// Writes every key of the preference file from the document (and the
// program-wide colour tables, line widths of axes and grid, flags and
// tool-bar settings), then flushes the file.
Status SavePreferences(ProfileStore& file, const PlotDocument& document,
                       const ProgramSettings& settings);

// Reads the preference file into the document and the program settings;
// a missing, empty or unreadable key keeps the current value. Marks the
// document changed and returns true when anything was read.
bool GetPreferences(ProfileStore& file, PlotDocument& document, ProgramSettings& settings);

}  // namespace merva

#pragma once

// Section names shared by the settings file and the preference files.

namespace merva {

inline constexpr char SETTINGS_FILE_NAME[] = "mervaw.ini";

inline constexpr char SECTION_VERSION[] = "Version";
inline constexpr char SECTION_POSITION[] = "Position";
inline constexpr char SECTION_STYLES[] = "Styles";
inline constexpr char SECTION_FORMAT[] = "Format";
inline constexpr char SECTION_ARRAYS[] = "Arrays";
inline constexpr char SECTION_FILES[] = "Files";
inline constexpr char SECTION_COLORS[] = "Colors";
inline constexpr char SECTION_FLAGS[] = "Flags";
inline constexpr char SECTION_FONTS[] = "Fonts";
inline constexpr char SECTION_LEGEND[] = "Legend";
inline constexpr char SECTION_TOOLBAR[] = "ToolBar";
inline constexpr char SECTION_CLIPBOARD[] = "Clipboard";
inline constexpr char SECTION_DATA_PROCESSING[] = "Data Processing";
inline constexpr char SECTION_DEBUGGING[] = "Debugging";
inline constexpr char SECTION_LABELS[] = "Labels";

// Field limits of the texts.
constexpr int VERSION_TEXT_LIMIT = 32;
constexpr int PATH_TEXT_LIMIT = 255;

// Bounds of values that would make no sense if taken from a damaged file.
constexpr int MAX_STYLE_SIZE = 10000;  // thousandths of an inch
constexpr int MAX_TICK_INTERVALS = 1000;
constexpr double MAX_PLOT_INCHES = 1000.0;
constexpr int MAX_BITMAP_PIXELS = 32767;
constexpr int MAX_PICTURE_UNITS = 2540000;  // 1000 inches in 0.01 mm

}  // namespace merva

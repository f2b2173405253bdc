// Any bytes as a settings file and as a preference file: nothing may crash,
// and what is written back must read back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/ini_profile.h"
#include "files/preferences.h"
#include "files/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace merva;
  const std::string text(reinterpret_cast<const char*>(data), size);
  IniProfile file(text);
  ProgramSettings settings = DefaultProgramSettings();
  LoadProgramSettings(file, settings);
  IniProfile written;
  SaveProgramSettings(written, settings);
  IniProfile reread(written.Text());
  ProgramSettings again = DefaultProgramSettings();
  LoadProgramSettings(reread, again);
  IniProfile rewritten;
  SaveProgramSettings(rewritten, again);
  if (rewritten.Text() != written.Text()) std::abort();

  PlotDocument document;
  SetCompiledDefaults(document);
  GetPreferences(file, document, settings);
  IniProfile preferences;
  SavePreferences(preferences, document, settings);
  return 0;
}

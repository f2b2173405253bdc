// Stands in for other programs in the tests. As the web browser, it is
// registered as the handler of help pages and appends the page it was
// asked to open (its second argument) to the file named by its first
// argument. As the macro editor, it appends its whole command line to the
// file named by the environment variable MERVA_RECORDER_LOG. A window
// program, so that no console takes the foreground.

#include <windows.h>

#include <cstdlib>
#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH] = {};
  if (GetEnvironmentVariableA("MERVA_RECORDER_LOG", log, sizeof log) > 0) {
    std::ofstream out(log, std::ios::binary | std::ios::app);
    out << GetCommandLineA() << "\n";
    return 0;
  }
  if (__argc < 3) return 2;
  std::ofstream out(__argv[1], std::ios::binary | std::ios::app);
  out << __argv[2] << "\n";
  return 0;
}

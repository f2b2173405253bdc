// Stands in for the web browser in the help tests: registered as the
// handler of help pages, it appends the page it was asked to open
// (its second argument) to the file named by its first argument. A
// window program, so that no console takes the foreground.

#include <windows.h>

#include <cstdlib>
#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  std::ofstream out(__argv[1], std::ios::binary | std::ios::app);
  out << __argv[2] << "\n";
  return 0;
}

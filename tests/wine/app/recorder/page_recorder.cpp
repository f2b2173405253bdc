// Stands in for the web browser in the help tests: registered as the
// handler of help pages, it appends the page it was asked to open
// (its second argument) to the file named by its first argument.

#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::ofstream out(argv[1], std::ios::binary | std::ios::app);
  out << argv[2] << "\n";
  return 0;
}

// The examples of the command-language reference (app/help_reference/
// commands.txt) are run through the interpreter: an example a user copies
// must be a string the program accepts.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "automation/command_interpreter.h"
#include "fake_host.h"

namespace merva::test {
namespace {

std::vector<std::string> ReferenceExamples() {
  std::ifstream in(std::string(MERVA_SOURCE_DIR) + "/app/help_reference/commands.txt");
  std::vector<std::string> examples;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("example: ", 0) == 0) examples.push_back(line.substr(9));
  return examples;
}

TEST(HelpReference, EveryExampleRuns) {
  const std::vector<std::string> examples = ReferenceExamples();
  ASSERT_GT(examples.size(), 100u);
  for (const std::string& example : examples) {
    Session s;
    // A plot of three curves named as the examples name it.
    PlotDocument& d = s.host.Doc();
    d.fileTitle.Set("EX01.GRF");
    for (int c = 1; c <= 3; ++c) {
      for (int p = 1; p <= 20; ++p) {
        d.X(c, p) = static_cast<float>(p);
        d.Y(c, p) = static_cast<float>(c * p);
      }
      d.pointCount[c] = 20;
    }
    d.curveCount = 3;
    s.host.clipboardText = true;  // for [Paste()]
    EXPECT_EQ(s.Run(example), EXECUTE_ACKNOWLEDGED) << example;
  }
}

}  // namespace
}  // namespace merva::test

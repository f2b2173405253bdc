// The command interpreter alone against a program that does nothing:
// [XY( commands per second, one string of many commands at a time.

#include <benchmark/benchmark.h>

#include <string>

#include "automation/command_interpreter.h"
#include "files/settings.h"

namespace {

using namespace merva;

class QuietHost : public CommandHost {
 public:
  QuietHost() : settings(DefaultProgramSettings()) {
    Status status;
    documents.currentDocument = documents.Open(10, 2000000, status);
  }
  DocumentTable& Documents() override { return documents; }
  ProgramSettings& Settings() override { return settings; }
  bool SendMenuCommand(int, long) override { return true; }
  void PostMenuCommand(int) override {}
  void ActivateDocument(int) override {}
  void RedrawDocument(int) override {}
  void DrawLastSegment(int, int) override {}
  bool FrameEnabled() override { return true; }
  void EnableFrame(bool) override {}
  void RefreshMenus() override {}
  void BringFrameToTop() override {}
  void CloseFrame() override {}
  void ShowWindowState(int, WindowState) override {}
  int NewDocumentWindow() override { return 0; }
  int OpenFileInNewWindow(const std::string&, int) override { return 0; }
  int FileTypeOf(const std::string&) override { return 1; }
  int CloseDocumentWindow(int) override { return 0; }
  void DocumentRenamed(int) override {}
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
  void Say(const std::string&) override {}
  DocumentTable documents;
  ProgramSettings settings;
};

// As many [XY(x,y)] commands as fit in one string.
std::string XYString(int first, int& commands) {
  std::string text;
  commands = 0;
  for (int i = first;; ++i) {
    const std::string one = "[XY(" + std::to_string(i) + "," + std::to_string(i % 977) + ".5)]";
    if (text.size() + one.size() > COMMAND_BUFFER_LENGTH) break;
    text += one;
    ++commands;
  }
  return text;
}

void XYCommands(benchmark::State& state) {
  QuietHost host;
  ParameterCells cells;
  Conversation conversation;
  conversation.handle = 1;
  conversation.docSlot = host.documents.currentDocument;
  int commands = 0;
  const std::string text = XYString(100000, commands);
  ExecuteCommandString(host, cells, &conversation, "[PostponeRedraw()]");
  long long total = 0;
  for (auto _ : state) {
    PlotDocument& d = host.documents.Document(conversation.docSlot);
    if (d.pointCount[1] + commands > d.maxPoints) d.pointCount[1] = 0;
    benchmark::DoNotOptimize(ExecuteCommandString(host, cells, &conversation, text));
    total += commands;
  }
  state.counters["XY/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(XYCommands);

}  // namespace

BENCHMARK_MAIN();

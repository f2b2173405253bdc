// Macro texts of any bytes: read as a macro file and run against a host
// that accepts everything, every statement form checked on the way.

#include <cstddef>
#include <cstdint>
#include <string>

#include "macroeditor/core/macro_file.h"
#include "macroeditor/core/macro_run.h"

namespace {

using namespace merva::macro;

struct AcceptingHost : RunHost {
  Outcome Execute(const std::string& s) override {
    return s.size() > 2 && s.front() == '[' && s.back() == ']' ? Outcome::Ok()
                                                                : Outcome::Fail("unbracketed");
  }
  std::vector<std::string> ListFiles(const std::string& pattern) override {
    if (pattern.empty()) return {};
    return {"C:\\a.grf", "C:\\b.grf"};
  }
  std::string ShortPath(const std::string& d) override { return d; }
  Outcome CallMacro(const std::string&) override { return Outcome::Ok(); }
  Outcome Pause() override { return Outcome::Ok(); }
  Outcome Shell(const std::string&) override { return Outcome::Ok(); }
  Outcome Generate(const GenerateRequest& r) override {
    if (r.rows < 1 || r.rows > GENERATE_MAX_ROWS) __builtin_trap();
    return GenerateExecutes(r).size() == 7 ? Outcome::Ok() : Outcome::Fail("sequence");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string text;
  ParseMacroFile(bytes, text);
  AcceptingHost host;
  MacroRun run(bytes, "fuzz");
  // A loop runs its body once a file; the text bounds everything else.
  for (std::size_t steps = 0; steps < 4 * size + 8; ++steps) {
    const StepResult result = run.Step(host);
    if (result.where.begin > result.where.end || result.where.end > size) __builtin_trap();
    if (result.kind != StepResult::Ran) break;
  }
  return 0;
}

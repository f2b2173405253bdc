#pragma once

// What a macro run asks of Windows: executes in the plotting program,
// file lists, other programs and the user.

#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <functional>

#include "macroeditor/core/macro_run.h"

namespace merva::macro {

class WindowsRunHost : public RunHost {
 public:
  WindowsRunHost(HCONV merva, std::function<bool()> stop) : merva_(merva), stop_(std::move(stop)) {}

  Outcome Execute(const std::string& commandString) override;
  std::vector<std::string> ListFiles(const std::string& pattern) override;
  std::string ShortPath(const std::string& directory) override;
  Outcome CallMacro(const std::string& name) override;
  Outcome Pause() override;
  Outcome Shell(const std::string& commandLine) override;
  Outcome Generate(const GenerateRequest& request) override;

 private:
  HCONV merva_;
  std::function<bool()> stop_;
};

// spreadsheet.cpp: the generate statement through the spreadsheet program.
Outcome GenerateThroughSpreadsheet(const GenerateRequest& request, HCONV merva,
                                   const std::function<bool()>& stop);

}  // namespace merva::macro

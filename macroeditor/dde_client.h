#pragma once

// The editor's DDE client (it serves nothing): conversations with the
// plotting program and the spreadsheet, executes sent asynchronously while
// the window keeps working.

#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <functional>
#include <string>

#include "macroeditor/core/macro_run.h"

namespace merva::macro {

// How long an execute may wait for its acknowledgement.
constexpr DWORD EXECUTE_TIMEOUT_MS = 60000;

class DdeClient {
 public:
  DdeClient() = default;
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;
  ~DdeClient();

  bool Initialize();
  // A conversation, or null.
  HCONV Connect(const char* service, const char* topic);
  void Disconnect(HCONV& conversation);
  bool Alive(HCONV conversation) const;
  // One execute; `stop` is asked while it waits.
  Outcome Execute(HCONV conversation, const std::string& commands,
                  const std::function<bool()>& stop);

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                    HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
  enum class Wait { Done, Failed, TimedOut, Stopped, Lost };
  Wait Await(HCONV conversation, DWORD transaction, const std::function<bool()>& stop,
             DWORD deadline);

  DWORD instance_ = 0;
  bool asynchronous_ = true;
};

// The one client of the program.
DdeClient& Dde();

}  // namespace merva::macro

#pragma once

// A DDE client that speaks the raw DDE messages itself, like a spreadsheet
// does (and unlike the DDEML client, whose replies Wine can shift).

#include <windows.h>
// dde.h needs windows.h first.
#include <dde.h>

#include <string>

namespace merva::test {

class RawDdeClient {
 public:
  RawDdeClient();
  ~RawDdeClient();
  RawDdeClient(const RawDdeClient&) = delete;
  RawDdeClient& operator=(const RawDdeClient&) = delete;

  bool Connect(const char* service, const char* topic);
  void Terminate();
  bool Connected() const { return server_ != nullptr; }

  // The wStatus bits of the acknowledgement (0x8000 ack, 0x4000 busy);
  // -1 when none came.
  int Execute(const std::string& commands, DWORD timeoutMs = 10000);
  // The data of a request; false on a negative acknowledgement or time-out.
  bool Request(const char* item, UINT format, std::string& data, DWORD timeoutMs = 10000);
  int Poke(const char* item, UINT format, const std::string& data, DWORD timeoutMs = 10000);
  // Starts a hot link; true when acknowledged.
  bool Advise(const char* item, UINT format, DWORD timeoutMs = 10000);
  // The number of WM_DDE_DATA messages that arrived unasked, and the last one.
  int adviseCount = 0;
  std::string lastAdvise;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool WaitFor(bool& flag, DWORD timeoutMs);
  HWND window_ = nullptr;
  HWND server_ = nullptr;
  // Replies of the transaction in flight.
  bool acked_ = false;
  int ackStatus_ = -1;
  bool dataArrived_ = false;
  std::string data_;
  bool requesting_ = false;
  bool replied_ = false;
  HGLOBAL pendingExecute_ = nullptr;
  // The second word an acknowledgement of the transaction in flight carries
  // (the command block or the item atom); others are stale.
  UINT_PTR expectedHigh_ = 0;
  bool terminated_ = false;
};

}  // namespace merva::test

#include "macroeditor/dde_client.h"

#include <set>

#include "macroeditor/editor.h"

namespace merva::macro {

namespace {

// What the callback learnt about transactions and conversations.
struct Completion {
  DWORD transaction = 0;
  bool arrived = false;
  bool succeeded = false;
  bool adviseSeen = false;  // advise data arrived while it was pending
};
Completion completion;
std::set<HCONV> lost;

// A busy server is asked again after this pause.
constexpr DWORD BUSY_RETRY_MS = 200;

// A single bracketed command shown as the macro wrote it.
std::string StatementOf(const std::string& commands) {
  const bool single = commands.size() >= 2 && commands.front() == '[' && commands.back() == ']' &&
                      commands.find("][") == std::string::npos;
  return single ? commands.substr(1, commands.size() - 2) : commands;
}

}  // namespace

DdeClient& Dde() {
  static DdeClient client;
  return client;
}

DdeClient::~DdeClient() {
  if (instance_) DdeUninitialize(instance_);
}

HDDEDATA CALLBACK DdeClient::Callback(UINT type, UINT, HCONV conversation, HSZ, HSZ, HDDEDATA data,
                                      ULONG_PTR data1, ULONG_PTR) {
  switch (type) {
    case XTYP_XACT_COMPLETE:
      if (static_cast<DWORD>(data1) == completion.transaction) {
        completion.arrived = true;
        completion.succeeded = data != nullptr;
      }
      return nullptr;
    case XTYP_ADVDATA:
      completion.adviseSeen = true;
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    case XTYP_DISCONNECT:
      lost.insert(conversation);
      return nullptr;
    default:
      return nullptr;
  }
}

bool DdeClient::Initialize() {
  if (instance_) return true;
  // Wine's client matches no acknowledgement after its first asynchronous
  // execute on a conversation; there executes wait synchronously.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  asynchronous_ = !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
  const UINT result =
      DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0);
  if (result != DMLERR_NO_ERROR) instance_ = 0;
  return instance_ != 0;
}

HCONV DdeClient::Connect(const char* service, const char* topic) {
  if (!Initialize()) return nullptr;
  HSZ serviceName = DdeCreateStringHandleA(instance_, service, CP_WINANSI);
  HSZ topicName = DdeCreateStringHandleA(instance_, topic, CP_WINANSI);
  HCONV conversation = DdeConnect(instance_, serviceName, topicName, nullptr);
  DdeFreeStringHandle(instance_, serviceName);
  DdeFreeStringHandle(instance_, topicName);
  if (conversation) lost.erase(conversation);
  return conversation;
}

void DdeClient::Disconnect(HCONV& conversation) {
  if (conversation) DdeDisconnect(conversation);
  lost.erase(conversation);
  conversation = nullptr;
}

bool DdeClient::Alive(HCONV conversation) const {
  return conversation && lost.count(conversation) == 0;
}

DdeClient::Wait DdeClient::Await(HCONV conversation, DWORD transaction,
                                 const std::function<bool()>& stop, DWORD deadline) {
  for (;;) {
    if (completion.arrived) return completion.succeeded ? Wait::Done : Wait::Failed;
    if (!Alive(conversation)) return Wait::Lost;
    if (stop && stop()) {
      DdeAbandonTransaction(instance_, conversation, transaction);
      return Wait::Stopped;
    }
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(deadline - now) <= 0) {
      DdeAbandonTransaction(instance_, conversation, transaction);
      return Wait::TimedOut;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    if (!PumpWaiting()) {
      DdeAbandonTransaction(instance_, conversation, transaction);
      return Wait::Stopped;
    }
  }
}

Outcome DdeClient::Execute(HCONV conversation, const std::string& commands,
                           const std::function<bool()>& stop) {
  const DWORD start = GetTickCount(), deadline = start + EXECUTE_TIMEOUT_MS;
  for (;;) {
    if (!Alive(conversation)) return Outcome::Fail(DdeErrorMessage(DMLERR_NO_CONV_ESTABLISHED));
    completion = {};
    DWORD transaction = 0;
    // The block carries its terminating NUL.
    HDDEDATA started = DdeClientTransaction(
        reinterpret_cast<LPBYTE>(const_cast<char*>(commands.c_str())),
        static_cast<DWORD>(commands.size() + 1), conversation, nullptr, 0, XTYP_EXECUTE,
        asynchronous_ ? TIMEOUT_ASYNC : EXECUTE_TIMEOUT_MS, &transaction);
    Wait wait = started ? Wait::Done : Wait::Failed;
    if (asynchronous_ && started) {
      completion.transaction = transaction;
      wait = Await(conversation, transaction, stop, deadline);
    }
    switch (wait) {
      case Wait::Done:
        return Outcome::Ok();
      case Wait::Stopped:
        return Outcome::Stop();
      case Wait::TimedOut:
        return Outcome::Fail(TimeoutMessage(GetTickCount() - start));
      case Wait::Lost:
        return Outcome::Fail(DdeErrorMessage(DMLERR_NO_CONV_ESTABLISHED));
      case Wait::Failed:
        break;
    }
    const UINT error = DdeGetLastError(instance_);
    // Wine's client reports an acknowledged execute as failed when advise
    // data came in ahead of the acknowledgement.
    if (completion.adviseSeen && error != DMLERR_BUSY) return Outcome::Ok();
    if (!Alive(conversation)) return Outcome::Fail(DdeErrorMessage(DMLERR_NO_CONV_ESTABLISHED));
    if (error == DMLERR_EXECACKTIMEOUT)
      return Outcome::Fail(TimeoutMessage(GetTickCount() - start));
    if (error == DMLERR_NO_ERROR || error == DMLERR_NOTPROCESSED)
      return Outcome::Fail(UnrecognizedMessage(StatementOf(commands)));
    if (error != DMLERR_BUSY) return Outcome::Fail(DdeErrorMessage(error));
    // Busy: the server ran nothing, so asking again is safe.
    const DWORD resume = GetTickCount() + BUSY_RETRY_MS;
    while (static_cast<LONG>(resume - GetTickCount()) > 0) {
      if ((stop && stop()) || !PumpWaiting()) return Outcome::Stop();
      Sleep(20);
    }
    if (static_cast<LONG>(deadline - GetTickCount()) <= 0)
      return Outcome::Fail(TimeoutMessage(GetTickCount() - start));
  }
}

}  // namespace merva::macro

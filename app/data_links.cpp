#include "app/data_links.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/data_links_ids.h"
#include "app/dialog_helpers.h"
#include "app/document_window.h"
#include "app/menu_state.h"
#include "app/program.h"
#include "app/ui_host.h"
#include "automation/changed_curves.h"
#include "automation/parameter_cells.h"
#include "automation/win32/dde_server.h"
#include "core/messages.h"
#include "io/clipboard_data.h"
#include "io/link_table.h"
#include "io/number_fields.h"

namespace merva::app {

namespace {

constexpr DWORD LINK_TIMEOUT_MS = 1000;
constexpr int HELP_INSERT_LINK = 4120;
constexpr std::size_t LINK_NAME_LENGTH = 255;

LinkTable& Links() {
  static LinkTable table;
  return table;
}

// A server that ends without a word leaves its conversation behind; such
// links are dropped before the table is counted.
void DropEndedLinks() {
  std::vector<uintptr_t> ended;
  for (const LinkEntry& entry : Links().Entries()) {
    CONVINFO info{};
    info.cb = sizeof info;
    HCONV conversation = reinterpret_cast<HCONV>(entry.conversation);
    if (!DdeQueryConvInfo(conversation, QID_SYNC, &info) || !(info.wStatus & ST_CONNECTED) ||
        !IsWindow(info.hwndPartner))
      ended.push_back(entry.conversation);
  }
  for (uintptr_t conversation : ended) {
    Links().Remove(conversation);
    DdeDisconnect(reinterpret_cast<HCONV>(conversation));
  }
}

bool LinksFull() {
  DropEndedLinks();
  return Links().Full();
}

// A string handle freed when it goes out of scope.
class StringHandle {
 public:
  StringHandle(DWORD instance, const std::string& text)
      : instance_(instance),
        handle_(instance ? DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI) : nullptr) {}
  ~StringHandle() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(const StringHandle&) = delete;
  StringHandle& operator=(const StringHandle&) = delete;
  HSZ Get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

void Warn(const std::string& text) { Ui().Show(text, APP_TITLE, MB_ICONEXCLAMATION); }

// How the messages name a link: application|topic!item.
std::string LinkName(const std::string& application, const std::string& topic,
                     const std::string& item) {
  return application + "|" + topic + "!" + item;
}

// The text of a data handle, up to its first NUL.
std::string DataText(HDDEDATA data) {
  DWORD size = 0;
  const BYTE* bytes = data ? DdeAccessData(data, &size) : nullptr;
  if (!bytes) return std::string();
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  text = text.substr(0, text.find('\0'));
  std::string copy(text);
  DdeUnaccessData(data);
  return copy;
}

// Parses a delivered text into the document from `firstCurve` on (at most
// `curveLimit` curves when that is not 0) and shows what went wrong.
// Curves after the linked ones (another link's) stay counted.
bool ParseInto(int slot, std::string_view text, int firstCurve, int curveLimit = 0) {
  PlotDocument& document = Documents().Document(slot);
  const int before = document.curveCount;
  int added = 0;
  const Status status = ParseNumberText(document, text, firstCurve, added, curveLimit);
  if (!status.Ok() && status.messages.empty()) Warn(NUMBER_TEXT_ERROR);
  for (const Message& message : status.messages) Warn(message.text);
  if (status.fatal) PostQuitMessage(0);
  if (!status.Ok()) return false;
  const int linked = document.curveCount;
  if (before > linked) document.curveCount = before;
  document.MarkChanged();
  MarkCurvesChanged(slot, firstCurve, linked);
  return true;
}

// An update of a link: the last curves of the document may grow with the
// text's columns; curves that other links or the user added after them
// are not written over.
void UpdateLink(const LinkEntry& link, const std::string& text) {
  const PlotDocument& document = Documents().Document(link.docSlot);
  const bool followed = document.curveCount >= link.firstCurve + link.curves;
  if (!ParseInto(link.docSlot, text, link.firstCurve, followed ? link.curves : 0)) return;
  if (!followed)
    Links().SetCurves(link.conversation, link.docSlot, link.firstCurve,
                      std::max(link.curves, NumberTextCurves(text)));
  RedrawDocument(link.docSlot);
}

// A DDEML server under Wine acknowledges a request's reply once more after
// the data; a transaction started at once takes that stray acknowledgement
// as its own answer. Letting the messages that are already queued pass
// first gives the library the chance to drop it.
void LetQueuedMessagesPass() {
  const DWORD until = GetTickCount() + 100;
  MSG message;
  while (static_cast<LONG>(GetTickCount() - until) < 0) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

HCONV Connect(DWORD instance, const std::string& application, const std::string& topic) {
  StringHandle service(instance, application);
  StringHandle topicHandle(instance, topic);
  if (!service.Get() || !topicHandle.Get()) return nullptr;
  HCONV conversation = DdeConnect(instance, service.Get(), topicHandle.Get(), nullptr);
  if (conversation) return conversation;
  // The server may not be running: start its registered program once.
  const std::string program = FindServerProgram(application);
  if (program.empty()) return nullptr;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return nullptr;
  WaitForInputIdle(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return DdeConnect(instance, service.Get(), topicHandle.Get(), nullptr);
}

INT_PTR CALLBACK InsertLinkProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* names = DialogState<LinkNames>(dialog, message, lParam);
  const int fields[] = {IDC_LINK_APPLICATION, IDC_LINK_TOPIC, IDC_LINK_ITEM};
  switch (message) {
    case WM_INITDIALOG:
      for (int field : fields)
        SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, LINK_NAME_LENGTH, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        std::string* texts[] = {&names->application, &names->topic, &names->item};
        for (int i = 0; i < 3; ++i) {
          char text[LINK_NAME_LENGTH + 1] = {};
          GetDlgItemTextA(dialog, fields[i], text, sizeof text);
          *texts[i] = text;
        }
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return CancelOrHelp(dialog, wParam, HELP_INSERT_LINK) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

void NameLinkedDocument(int slot, const std::string& topic, bool hotLink) {
  NameDocumentWindow(slot, LinkCaption(topic, hotLink));
}

}  // namespace

std::string FindServerProgram(const std::string& application) {
  const std::string key = application + "\\shell\\open\\command";
  char command[1024] = {};
  LONG size = sizeof command;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), command, &size) != ERROR_SUCCESS)
    return std::string();
  command[sizeof command - 1] = '\0';
  return ServerProgramFromCommand(command);
}

int EstablishLink(const std::string& application, const std::string& topic, const std::string& item,
                  int slot) {
  if (!Documents().IsOpen(slot) || LinksFull()) return 0;
  const DWORD instance = win32::DdeServerInstance();
  // A conversation already linked to the pair carries the new item too.
  HCONV shared = reinterpret_cast<HCONV>(Links().ConversationWith(application, topic));
  HCONV conversation = shared ? shared : instance ? Connect(instance, application, topic) : nullptr;
  if (!conversation) {
    Warn("Cannot connect with " + application);
    return 0;
  }
  auto endUnlessShared = [&] {
    if (!shared) DdeDisconnect(conversation);
  };
  const std::string name = LinkName(application, topic, item);
  StringHandle itemHandle(instance, item);
  HDDEDATA reply = DdeClientTransaction(nullptr, 0, conversation, itemHandle.Get(), CF_TEXT,
                                        XTYP_REQUEST, LINK_TIMEOUT_MS, nullptr);
  if (!reply) {
    endUnlessShared();
    Warn("Could not get any data from " + name);
    return 0;
  }
  const std::string text = DataText(reply);
  DdeFreeDataHandle(reply);
  PlotDocument& document = Documents().Document(slot);
  const int firstCurve = document.curveCount + 1;
  const bool wasEmpty = document.curveCount == 0;
  const bool linkedBefore = Links().HasSlot(slot);
  if (!ParseInto(slot, text, firstCurve)) {
    endUnlessShared();
    RedrawDocument(slot);
    return 0;
  }
  LetQueuedMessagesPass();
  const bool advised = DdeClientTransaction(nullptr, 0, conversation, itemHandle.Get(), CF_TEXT,
                                            XTYP_ADVSTART, LINK_TIMEOUT_MS, nullptr) != nullptr;
  int result = 1;
  if (advised && Links().Add({reinterpret_cast<uintptr_t>(conversation), slot, firstCurve,
                              application, topic, item, NumberTextCurves(text), text})) {
    result = 2;
  } else {
    endUnlessShared();
    Warn("Could not establish a hot link with " + name);
  }
  if (wasEmpty || !linkedBefore) NameLinkedDocument(slot, topic, result == 2);
  RedrawDocument(slot);
  RefreshMenus();
  return result;
}

int InsertLinkCommand(LPARAM parameter) {
  const int slot = ActiveSlot();
  if (!slot || LinksFull()) return 0;
  LinkNames names;
  const ParameterCells& cells = TheParameterCells();
  if (parameter == -1) {
    names.application = cells.linkServer;
    names.topic = cells.linkTopic;
    names.item = cells.linkItem;
  } else {
    if (RunDialog("INSERTLINK", InsertLinkProc, reinterpret_cast<LPARAM>(&names)) != IDOK) return 0;
  }
  if (names.application.empty() || names.topic.empty() || names.item.empty()) return 0;
  return EstablishLink(names.application, names.topic, names.item, slot) > 0 ? 1 : 0;
}

bool LinkOnClipboard() {
  const UINT format = TheProgram().clipboardFormats.link;
  return format && IsClipboardFormatAvailable(format);
}

int PasteLinkCommand() {
  const int slot = ActiveSlot();
  if (!slot || LinksFull()) return 0;
  const UINT format = TheProgram().clipboardFormats.link;
  if (!format || !OpenClipboard(TheProgram().frame)) {
    Ui().ShowStatus(Status::Failure(MSG_CLIPBOARD_OPEN_FAILED));
    return 0;
  }
  LinkNames names;
  bool read = false;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* block = static_cast<const char*>(GlobalLock(data))) {
      read = ParseLinkFormat(block, GlobalSize(data), names, LINK_NAME_LENGTH);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (!read) return 0;
  return EstablishLink(names.application, names.topic, names.item, slot) > 0 ? 1 : 0;
}

int LinkCount() {
  DropEndedLinks();
  return Links().Count();
}

void EndDocumentLinks(int slot) {
  for (uintptr_t conversation : Links().RemoveSlot(slot))
    DdeDisconnect(reinterpret_cast<HCONV>(conversation));
}

bool IsLinkConversation(HCONV conversation) {
  return Links().Has(reinterpret_cast<uintptr_t>(conversation));
}

HDDEDATA CALLBACK LinkTransaction(UINT type, UINT, HCONV conversation, HSZ, HSZ item, HDDEDATA data,
                                  ULONG_PTR, ULONG_PTR) {
  const uintptr_t key = reinterpret_cast<uintptr_t>(conversation);
  if (type == XTYP_DISCONNECT) {
    Links().Remove(key);
    return nullptr;
  }
  if (type != XTYP_ADVDATA) return nullptr;
  char name[LINK_NAME_LENGTH + 1] = {};
  if (item) DdeQueryStringA(win32::DdeServerInstance(), item, name, sizeof name, CP_WINANSI);
  if (Links().ForItem(key, name).empty()) return DDE_FNOTPROCESSED;
  const std::string text = DataText(data);
  // The curves keep their first slot; a text that does not read leaves them.
  for (const LinkEntry& link : Links().TakeUpdate(key, name, text))
    if (Documents().IsOpen(link.docSlot)) UpdateLink(link, text);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

}  // namespace merva::app

#include "automation/win32/dde_server.h"

#include <array>
#include <cstring>
#include <vector>

#include "automation/binary_plot.h"
#include "automation/changed_curves.h"
#include "automation/command_interpreter.h"
#include "automation/request_replies.h"
#include "io/number_fields.h"
#include "render/win32/gdi_targets.h"

namespace merva::win32 {

namespace {

struct ServerState {
  DdeServerConfig config;
  DWORD instance = 0;
  bool registered = false;
  HSZ service = nullptr;
  std::array<HSZ, TOPIC_COUNT + 1> topics{};          // index 1..10
  std::array<HSZ, ITEM_PICTURE + 1> items{};          // index = RequestItem
  std::array<HSZ, MAX_CURVE_ITEMS + 1> curveItems{};  // index 1..100
  // "Curve01".."Curve09": the names Copy's "Link" reference gives curves 1-9.
  std::array<HSZ, 10> paddedCurveItems{};  // index 1..9
  HSZ speechService = nullptr;
  HSZ speechTopic = nullptr;
  HSZ speechItem = nullptr;
  UINT binaryFormat = 0;
  TopicTable topicNames;
  ConversationTable conversations;
};

ServerState& State() {
  static ServerState state;
  return state;
}

HSZ MakeHsz(const std::string& text) {
  if (text.empty() || State().instance == 0) return nullptr;
  return DdeCreateStringHandleA(State().instance, text.c_str(), CP_WINANSI);
}

void FreeHsz(HSZ& hsz) {
  if (hsz && State().instance) DdeFreeStringHandle(State().instance, hsz);
  hsz = nullptr;
}

bool Same(HSZ a, HSZ b) { return a && b && DdeCmpStringHandles(a, b) == 0; }

int TopicOf(HSZ hsz) {
  for (int t = 1; t <= TOPIC_COUNT; ++t)
    if (Same(hsz, State().topics[static_cast<std::size_t>(t)])) return t;
  return 0;
}

CommandHost& Host() { return *State().config.host; }
ParameterCells& Cells() {
  return State().config.cells ? *State().config.cells : TheParameterCells();
}

// The text of a string handle; empty when it cannot be read.
std::string HszText(HSZ hsz) {
  char buffer[256] = {};
  if (!hsz || DdeQueryStringA(State().instance, hsz, buffer, sizeof buffer, CP_WINANSI) == 0)
    return std::string();
  return std::string(buffer);
}

// Wine hands a DDE message's memory block to another process only up to
// about 2,083,000-2,087,000 bytes (measured; the figure varies with the
// processes); a larger one is dropped on the way and the client waits for a
// reply that never comes. Such a reply is refused instead, with a margin,
// so the client sees a failed request at once.
constexpr std::size_t WINE_LARGEST_REPLY = 2000000;

bool RunsUnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

HDDEDATA TextData(const std::string& text, HSZ item) {
  if (RunsUnderWine() && text.size() + 1 > WINE_LARGEST_REPLY) return nullptr;
  return DdeCreateDataHandle(State().instance,
                             reinterpret_cast<LPBYTE>(const_cast<char*>(text.c_str())),
                             static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA HandleData(HANDLE handle, HSZ item, UINT format) {
  if (!handle) return nullptr;
  // The reply carries the 32 significant bits of the handle.
  DWORD value = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(handle));
  return DdeCreateDataHandle(State().instance, reinterpret_cast<LPBYTE>(&value), sizeof value, 0,
                             item, format, 0);
}

PlotDocument* DocumentOfTopic(int topic, int& slot) {
  slot = TopicTable::SlotOfTopic(topic);
  DocumentTable& documents = Host().Documents();
  if (slot == 0 || !documents.IsOpen(slot) || State().topicNames.SlotName(slot).empty())
    return nullptr;
  return &documents.Document(slot);
}

HDDEDATA PictureData(int topic, UINT format, HSZ item) {
  int slot = 0;
  PlotDocument* document = DocumentOfTopic(topic, slot);
  if (!document) return nullptr;
  const ParameterCells& cells = Cells();
  const DdeServerConfig& config = State().config;
  if (format == CF_BITMAP) {
    HBITMAP bitmap = config.bitmapPicture
                         ? config.bitmapPicture(slot, cells.bitmapWidth, cells.bitmapHeight)
                         : DefaultBitmapPicture(*document, cells.bitmapWidth, cells.bitmapHeight);
    HDDEDATA data = HandleData(bitmap, item, CF_BITMAP);
    if (!data && bitmap) DeleteObject(bitmap);
    return data;  // the bitmap now belongs to the requester
  }
  if (format == CF_METAFILEPICT) {
    HMETAFILE metafile =
        config.metafilePicture
            ? config.metafilePicture(slot, cells.metafileWidth, cells.metafileHeight)
            : DefaultMetafilePicture(*document, cells.metafileWidth, cells.metafileHeight);
    if (!metafile) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(METAFILEPICT));
    METAFILEPICT* picture = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
    if (!picture) {
      if (block) GlobalFree(block);
      DeleteMetaFile(metafile);
      return nullptr;
    }
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = cells.metafileWidth;
    picture->yExt = cells.metafileHeight;
    picture->hMF = metafile;
    GlobalUnlock(block);
    HDDEDATA data = HandleData(block, item, CF_METAFILEPICT);
    if (!data) {
      DeleteMetaFile(metafile);
      GlobalFree(block);
    }
    return data;
  }
  return nullptr;
}

HDDEDATA Request(UINT format, HSZ topicHsz, HSZ itemHsz) {
  const int topic = TopicOf(topicHsz);
  if (topic == 0) return nullptr;
  int curve = 0;
  const RequestItem item = FindItem(HszText(itemHsz), curve);
  if (item == ITEM_NONE) return nullptr;
  if (item == ITEM_PICTURE) return PictureData(topic, format, itemHsz);
  if (format != CF_TEXT && format != 0) return nullptr;
  std::string reply;
  if (!RequestReplyText(Host().Documents(), State().topicNames, topic, item, curve,
                        Host().FrameEnabled(), reply))
    return nullptr;
  return TextData(reply, itemHsz);
}

HDDEDATA AdviseStart(UINT format, HSZ topicHsz, HSZ itemHsz) {
  int slot = 0;
  PlotDocument* document = DocumentOfTopic(TopicOf(topicHsz), slot);
  if (!document) return reinterpret_cast<HDDEDATA>(FALSE);
  int curve = 0;
  const RequestItem item = FindItem(HszText(itemHsz), curve);
  bool accepted = false;
  if (item == ITEM_CURVE)
    accepted = (format == CF_TEXT || format == 0) && curve <= document->curveCount;
  else if (item == ITEM_PICTURE)
    accepted = format == CF_BITMAP || format == CF_METAFILEPICT;
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(accepted ? TRUE : FALSE));
}

HDDEDATA Execute(HCONV conversation, HDDEDATA data) {
  Conversation* record = State().conversations.Find(reinterpret_cast<uintptr_t>(conversation));
  DWORD size = 0;
  const BYTE* bytes = data ? DdeAccessData(data, &size) : nullptr;
  const int status = ExecuteCommandString(Host(), Cells(), record,
                                          reinterpret_cast<const char*>(bytes), bytes ? size : 0);
  if (bytes) DdeUnaccessData(data);
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(status));
}

HDDEDATA BinaryPoke(HCONV conversation, const BYTE* bytes, DWORD size) {
  CommandHost& host = Host();
  if (size == 0) {
    host.ShowMessage("Size of HDDEDATA <= 0, quitting now", "Data", MessageIcon::Stop);
    return DDE_FNOTPROCESSED;
  }
  host.BringFrameToTop();
  BinaryPlotHeader header;
  if (ReadBinaryPlotHeader(bytes, size, header) != BinaryPlotCheck::Ok) return DDE_FNOTPROCESSED;
  int curves = 0, points = 0;
  BinaryPlotCapacity(header, curves, points);
  const int slot =
      State().config.openDocumentWindow ? State().config.openDocumentWindow(curves, points) : 0;
  DocumentTable& documents = host.Documents();
  if (!documents.IsOpen(slot)) return DDE_FNOTPROCESSED;
  PlotDocument& document = documents.Document(slot);
  document.processMode = 0;
  if (!BinaryPlotFits(header, document)) {
    host.CloseDocumentWindow(slot);
    return DDE_FNOTPROCESSED;
  }
  ApplyBinaryPlot(header, bytes, size, document);
  std::string name = document.fileTitle.Str();
  if (header.senderWindow != 0) {
    HWND sender = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(header.senderWindow));
    char title[256] = {};
    if (IsWindow(sender) && GetWindowTextA(sender, title, sizeof title) > 0)
      name = NameFromWindowTitle(title);
  }
  NameDocumentTopic(slot, name);
  host.DocumentRenamed(slot);
  MarkCurvesChanged(slot, 1, document.curveCount);
  host.RedrawDocument(slot);
  if (Conversation* record =
          State().conversations.Find(reinterpret_cast<uintptr_t>(conversation))) {
    record->ResetSwitches();
    record->docSlot = slot;
  }
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA TextPoke(const BYTE* bytes, DWORD size) {
  CommandHost& host = Host();
  DocumentTable& documents = host.Documents();
  const int slot = documents.currentDocument;
  if (!documents.IsOpen(slot)) return DDE_FNOTPROCESSED;
  PlotDocument& document = documents.Document(slot);
  const int before = document.curveCount;
  int added = 0;
  const Status status = ParseNumberText(
      document, std::string_view(reinterpret_cast<const char*>(bytes), size), before + 1, added);
  for (const Message& m : status.messages)
    host.ShowMessage(m.text, "MERVA95", MessageIcon::Warning);
  if (status.fatal) host.CloseFrame();
  if (!status.Ok()) return DDE_FNOTPROCESSED;
  if (added > 0 && (before == 0 || State().topicNames.SlotName(slot).empty())) {
    NameDocumentTopic(slot, "PokedData");
    host.DocumentRenamed(slot);
  }
  MarkCurvesChanged(slot, before + 1, document.curveCount);
  host.RefreshMenus();
  host.RedrawDocument(slot);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA Poke(HCONV conversation, UINT format, HDDEDATA data) {
  if (!Host().FrameEnabled()) return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
  const UINT shortFormat = LOWORD(format);  // arrives sign-extended under Wine
  if (shortFormat != State().binaryFormat && shortFormat != CF_TEXT) return DDE_FNOTPROCESSED;
  DWORD size = 0;
  const BYTE* bytes = data ? DdeAccessData(data, &size) : nullptr;
  if (!bytes) size = 0;
  // A client that switched error messages off gets no boxes from its pokes either.
  CommandHost& host = Host();
  const bool shown = host.MessagesShown();
  const Conversation* record =
      State().conversations.Find(reinterpret_cast<uintptr_t>(conversation));
  if (record && record->errorMessages == 0) host.SetMessagesShown(false);
  HDDEDATA result = shortFormat == CF_TEXT ? (bytes ? TextPoke(bytes, size) : DDE_FNOTPROCESSED)
                                           : BinaryPoke(conversation, bytes, size);
  host.SetMessagesShown(shown);
  if (bytes) DdeUnaccessData(data);
  return result;
}

HDDEDATA WildConnect(HSZ topicHsz, HSZ serviceHsz) {
  ServerState& s = State();
  if (serviceHsz && !Same(serviceHsz, s.service)) return nullptr;
  std::vector<HSZPAIR> pairs;
  for (int t = 1; t <= TOPIC_COUNT; ++t) {
    HSZ topic = s.topics[static_cast<std::size_t>(t)];
    if (!topic || (topicHsz && !Same(topicHsz, topic))) continue;
    pairs.push_back({s.service, topic});
  }
  if (pairs.empty()) return nullptr;
  pairs.push_back({nullptr, nullptr});
  return DdeCreateDataHandle(s.instance, reinterpret_cast<LPBYTE>(pairs.data()),
                             static_cast<DWORD>(pairs.size() * sizeof(HSZPAIR)), 0, nullptr,
                             CF_TEXT, 0);
}

void Disconnect(HCONV conversation) {
  ConversationTable& table = State().conversations;
  Conversation* record = table.Find(reinterpret_cast<uintptr_t>(conversation));
  if (!record) return;
  // Only a client that switched the interface off gives it back: a modal
  // dialog may hold the frame disabled for its own reasons.
  const bool hadDisabled = record->enableUi == 0;
  table.Remove(reinterpret_cast<uintptr_t>(conversation));
  if (hadDisabled) Host().EnableFrame(true);
}

bool IsClientLink(HCONV conversation) {
  const DdeServerConfig& config = State().config;
  return config.isClientLink && config.isClientLink(conversation);
}

HDDEDATA CALLBACK ServerCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                 HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2) {
  ServerState& s = State();
  if (!s.config.host) return nullptr;
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(
          static_cast<ULONG_PTR>(Same(hsz2, s.service) && TopicOf(hsz1) != 0));
    case XTYP_WILDCONNECT:
      return WildConnect(hsz1, hsz2);
    case XTYP_CONNECT_CONFIRM:
      s.conversations.Add(reinterpret_cast<uintptr_t>(conversation),
                          s.config.host->Documents().currentDocument);
      return nullptr;
    case XTYP_DISCONNECT:
      if (IsClientLink(conversation) && s.config.clientLinks)
        return s.config.clientLinks(type, format, conversation, hsz1, hsz2, data, data1, data2);
      Disconnect(conversation);
      return nullptr;
    case XTYP_EXECUTE:
      return Execute(conversation, data);
    case XTYP_REQUEST:
    case XTYP_ADVREQ:
      return Request(format, hsz1, hsz2);
    case XTYP_POKE:
      return Poke(conversation, format, data);
    case XTYP_ADVSTART:
      return AdviseStart(format, hsz1, hsz2);
    case XTYP_ADVSTOP:
      return nullptr;
    case XTYP_ADVDATA:
    case XTYP_XACT_COMPLETE:
      if (s.config.clientLinks)
        return s.config.clientLinks(type, format, conversation, hsz1, hsz2, data, data1, data2);
      return nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

bool InitializeDdeServer(const DdeServerConfig& config) {
  ServerState& s = State();
  if (s.instance) return true;
  s.config = config;
  DWORD instance = 0;
  const UINT result =
      DdeInitializeA(&instance, ServerCallback,
                     APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
  if (result != DMLERR_NO_ERROR) return false;
  s.instance = instance;
  return true;
}

bool RegisterDdeService() {
  ServerState& s = State();
  if (!s.instance) return false;
  if (s.registered) return true;
  s.binaryFormat = RegisterClipboardFormatA("MERVAW");
  s.service = MakeHsz(SERVICE_NAME);
  for (int t = 1; t <= TOPIC_COUNT; ++t)
    s.topics[static_cast<std::size_t>(t)] = MakeHsz(s.topicNames.Name(t));
  for (int i = ITEM_TOPICS; i <= ITEM_PICTURE; ++i)
    s.items[static_cast<std::size_t>(i)] = MakeHsz(ITEM_NAMES[i]);
  for (int c = 1; c <= MAX_CURVE_ITEMS; ++c)
    s.curveItems[static_cast<std::size_t>(c)] = MakeHsz(CurveItemName(c));
  for (int c = 1; c <= 9; ++c)
    s.paddedCurveItems[static_cast<std::size_t>(c)] = MakeHsz("Curve0" + std::to_string(c));
  s.speechService = MakeHsz("MONOLOG");
  s.speechTopic = MakeHsz("TALK");
  s.speechItem = MakeHsz(" ");
  s.registered = DdeNameService(s.instance, s.service, nullptr, DNS_REGISTER) != nullptr;
  return s.registered;
}

void StopDdeServer() {
  ServerState& s = State();
  if (!s.instance) return;
  if (s.registered) DdeNameService(s.instance, s.service, nullptr, DNS_UNREGISTER);
  s.registered = false;
  FreeHsz(s.service);
  for (HSZ& h : s.topics) FreeHsz(h);
  for (HSZ& h : s.items) FreeHsz(h);
  for (HSZ& h : s.curveItems) FreeHsz(h);
  for (HSZ& h : s.paddedCurveItems) FreeHsz(h);
  FreeHsz(s.speechService);
  FreeHsz(s.speechTopic);
  FreeHsz(s.speechItem);
  DdeUninitialize(s.instance);
  s.instance = 0;
  s.conversations = ConversationTable{};
}

DWORD DdeServerInstance() { return State().instance; }
TopicTable& DdeTopics() { return State().topicNames; }
ConversationTable& DdeConversations() { return State().conversations; }

namespace {

void RecreateTopicHandle(int slot) {
  HSZ& handle = State().topics[static_cast<std::size_t>(slot + 2)];
  FreeHsz(handle);
  handle = MakeHsz(State().topicNames.SlotName(slot));
}

}  // namespace

void RefreshDocumentTopic(int slot) {
  ServerState& s = State();
  if (slot < 1 || slot > MAX_DOCUMENTS || !s.config.host) return;
  DocumentTable& documents = s.config.host->Documents();
  std::string name;
  if (documents.IsOpen(slot) && documents.Document(slot).curveCount > 0)
    name = documents.Document(slot).fileTitle.Str();
  s.topicNames.SetSlotName(slot, name);
  RecreateTopicHandle(slot);
}

std::string NameDocumentTopic(int slot, const std::string& proposed) {
  ServerState& s = State();
  if (!s.config.host) return std::string();
  const std::string name = NameDocument(s.config.host->Documents(), s.topicNames, slot, proposed);
  if (slot >= 1 && slot <= MAX_DOCUMENTS) RecreateTopicHandle(slot);
  return name;
}

void DocumentTopicClosed(int slot) {
  ServerState& s = State();
  if (slot < 1 || slot > MAX_DOCUMENTS) return;
  s.topicNames.ClearSlot(slot);
  RecreateTopicHandle(slot);
  s.conversations.ForgetSlot(slot);
  ClearChangedCurves(slot);
}

void PostDocumentAdvise(int slot) {
  ServerState& s = State();
  if (!s.instance || !s.config.host || slot < 1 || slot > MAX_DOCUMENTS) return;
  HSZ topic = s.topics[static_cast<std::size_t>(slot + 2)];
  DocumentTable& documents = s.config.host->Documents();
  if (!topic || !documents.IsOpen(slot)) return;
  DdePostAdvise(s.instance, topic, s.items[ITEM_PICTURE]);
  const int curves = documents.Document(slot).curveCount;
  for (int c = 1; c <= curves && c <= MAX_CURVE_ITEMS; ++c)
    if (TakeCurveChanged(slot, c)) {
      DdePostAdvise(s.instance, topic, s.curveItems[static_cast<std::size_t>(c)]);
      if (c <= 9) DdePostAdvise(s.instance, topic, s.paddedCurveItems[static_cast<std::size_t>(c)]);
    }
}

void SayText(const std::string& text) {
  ServerState& s = State();
  if (!s.instance || !s.speechService) return;
  HCONV conversation = DdeConnect(s.instance, s.speechService, s.speechTopic, nullptr);
  if (!conversation) return;
  std::string data = text.substr(0, 1023);
  DdeClientTransaction(reinterpret_cast<LPBYTE>(&data[0]), static_cast<DWORD>(data.size() + 1),
                       conversation, s.speechItem, CF_TEXT, XTYP_POKE, 5000, nullptr);
  DdeDisconnect(conversation);
}

HBITMAP DefaultBitmapPicture(PlotDocument& document, int width, int height) {
  DrawOptions options;
  return DrawToBitmap(nullptr, width, height, document, options, RGB(255, 255, 255));
}

HMETAFILE DefaultMetafilePicture(PlotDocument& document, int width, int height) {
  DrawOptions options;
  return DrawToMetafile(width, height, document, options);
}

}  // namespace merva::win32

// A spreadsheet stand-in for the data-link tests: a DDE server that speaks
// the raw DDE messages, as spreadsheets do. Usage: link_stand_in SERVICE TOPIC.
// Items: "R1C1:R3C3" (three columns, hot link accepted), "Refuse" (data,
// hot link refused), "Words" (no numbers), "Huge" (a block larger than Wine
// carries between processes). Messages to its window (class
// "MERVALINKSTANDIN", titled with the service): WM_APP+1 sends an update of wParam rows to every
// hot link (of lParam columns, 3 when 0), WM_APP+2 ends the process without a word, WM_APP+3
// sends an update and ends at once.

#include <windows.h>
// dde.h needs windows.h first.
#include <dde.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const WINDOW_CLASS = "MERVALINKSTANDIN";
// One window per conversation, as the DDE protocol asks of a server.
const char* const CONVERSATION_CLASS = "MERVALINKSTANDINCONV";
constexpr UINT MSG_UPDATE = WM_APP + 1;
constexpr UINT MSG_DIE = WM_APP + 2;
constexpr UINT MSG_UPDATE_AND_DIE = WM_APP + 3;

std::string service;
std::string topic;
HWND self = nullptr;

struct HotLink {
  HWND client;
  HWND server;  // the conversation's window
  std::string item;
};
std::vector<HotLink> links;

std::string AtomText(ATOM atom) {
  char text[256] = {};
  GlobalGetAtomNameA(atom, text, sizeof text);
  return text;
}

// Rows j = 1..n of `columns` columns: j, 10 j + k, 100 j + k, ... (k = 0
// for the first answer, 1 for updates).
std::string Rows(int n, int k, int columns = 3) {
  std::string text;
  for (int j = 1; j <= n; ++j) {
    text += std::to_string(j);
    for (int c = 1, scale = 10; c < columns; ++c, scale *= 10)
      text += "\t" + std::to_string(scale * j + k);
    text += "\r\n";
  }
  return text;
}

bool ItemText(const std::string& item, std::string& text) {
  if (lstrcmpiA(item.c_str(), "R1C1:R3C3") == 0) {
    text = Rows(3, 0);
  } else if (lstrcmpiA(item.c_str(), "Refuse") == 0) {
    text = "5\t6\r\n7\t8\r\n";
  } else if (lstrcmpiA(item.c_str(), "Words") == 0) {
    text = "abc\tdef\r\n";
  } else if (lstrcmpiA(item.c_str(), "Huge") == 0) {
    text.clear();
    while (text.size() < 2600000) text += "123456.7\t234567.8\r\n";
  } else {
    return false;
  }
  return true;
}

void PostData(HWND server, HWND client, const std::string& item, const std::string& text,
              bool response) {
  const std::size_t size = sizeof(DDEDATA) + text.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  auto* data = static_cast<DDEDATA*>(GlobalLock(block));
  std::memset(data, 0, size);
  data->fResponse = response ? 1 : 0;
  data->fRelease = 1;
  data->cfFormat = CF_TEXT;
  std::memcpy(data->Value, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  ATOM atom = GlobalAddAtomA(item.c_str());
  if (!PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(server),
                    PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(block), atom))) {
    GlobalFree(block);
    GlobalDeleteAtom(atom);
  }
}

void PostAck(HWND server, HWND client, UINT status, ATOM item) {
  PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server),
               PackDDElParam(WM_DDE_ACK, status, item));
}

void Update(int rows, int columns) {
  for (const HotLink& link : links)
    PostData(link.server, link.client, link.item, Rows(rows, 1, columns > 0 ? columns : 3), false);
}

LRESULT CALLBACK ConversationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_DDE_REQUEST: {
      const ATOM item = HIWORD(lParam);
      std::string text;
      if (LOWORD(lParam) == CF_TEXT && ItemText(AtomText(item), text)) {
        PostData(window, client, AtomText(item), text, true);
        GlobalDeleteAtom(item);
      } else {
        PostAck(window, client, 0, item);
      }
      return 0;
    }
    case WM_DDE_ADVISE: {
      UINT_PTR options = 0, itemWord = 0;
      UnpackDDElParam(WM_DDE_ADVISE, lParam, &options, &itemWord);
      FreeDDElParam(WM_DDE_ADVISE, lParam);
      const ATOM item = static_cast<ATOM>(itemWord);
      const std::string name = AtomText(item);
      std::string text;
      if (!ItemText(name, text) || lstrcmpiA(name.c_str(), "Refuse") == 0) {
        PostAck(window, client, 0, item);  // the options stay the client's
        return 0;
      }
      GlobalFree(reinterpret_cast<HGLOBAL>(options));
      links.push_back({client, window, name});
      PostAck(window, client, 0x8000, item);
      return 0;
    }
    case WM_DDE_UNADVISE: {
      const ATOM item = HIWORD(lParam);
      const std::string name = AtomText(item);
      for (auto it = links.begin(); it != links.end();)
        it = (it->client == client && lstrcmpiA(it->item.c_str(), name.c_str()) == 0)
                 ? links.erase(it)
                 : it + 1;
      PostAck(window, client, 0x8000, item);
      return 0;
    }
    case WM_DDE_ACK: {
      UINT_PTR status = 0, item = 0;
      UnpackDDElParam(WM_DDE_ACK, lParam, &status, &item);
      FreeDDElParam(WM_DDE_ACK, lParam);
      if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
      return 0;
    }
    case WM_DDE_TERMINATE:
      for (auto it = links.begin(); it != links.end();)
        it = it->server == window ? links.erase(it) : it + 1;
      PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
      DestroyWindow(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DDE_INITIATE: {
      const ATOM app = LOWORD(lParam), top = HIWORD(lParam);
      if ((app && lstrcmpiA(AtomText(app).c_str(), service.c_str()) != 0) ||
          (top && lstrcmpiA(AtomText(top).c_str(), topic.c_str()) != 0))
        return 0;
      HWND conversation = CreateWindowA(CONVERSATION_CLASS, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
      SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK,
                   reinterpret_cast<WPARAM>(conversation),
                   MAKELPARAM(GlobalAddAtomA(service.c_str()), GlobalAddAtomA(topic.c_str())));
      return 0;
    }
    case MSG_UPDATE:
      Update(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case MSG_UPDATE_AND_DIE:
      Update(static_cast<int>(wParam), 0);
      ExitProcess(3);
    case MSG_DIE:
      ExitProcess(2);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 1;
  service = __argv[1];
  topic = __argv[2];
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = WINDOW_CLASS;
  RegisterClassA(&wc);
  wc.lpfnWndProc = ConversationProc;
  wc.lpszClassName = CONVERSATION_CLASS;
  RegisterClassA(&wc);
  self = CreateWindowA(WINDOW_CLASS, service.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                       instance, nullptr);
  if (!self) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

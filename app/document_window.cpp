#include "app/document_window.h"

#include "app/data_links.h"
#include "app/dialogs.h"
#include "app/document_mouse.h"
#include "app/menu_state.h"
#include "app/printing.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/ui_host.h"
#include "automation/win32/dde_server.h"
#include "core/messages.h"
#include "core/save_prompt.h"
#include "files/plot_file_writer.h"
#include "render/scale_check.h"
#include "render/win32/gdi_handles.h"
#include "render/win32/gdi_targets.h"

namespace merva::app {

int SaveDocument(int slot, bool askName);  // file_commands.cpp

namespace {

void ReleasePicture(int slot) {
  HBITMAP& picture = TheProgram().pictures[static_cast<std::size_t>(slot)];
  if (picture) DeleteObject(picture);
  picture = nullptr;
}

bool PictureFits(HBITMAP picture, int width, int height) {
  BITMAP info{};
  return picture && GetObjectA(picture, sizeof info, &info) && info.bmWidth == width &&
         info.bmHeight == height;
}

DrawOptions ScreenOptions(const PlotDocument& document) {
  DrawOptions options = PictureOptions(document);
  options.abortRequested = EscapePressed;
  options.previewPrinterColors = TheProgram().previewPrinterColors;
  options.windowView = true;
  return options;
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  const int slot = WindowSlot(window);
  if (slot && width > 0 && height > 0) {
    HBITMAP& picture = TheProgram().pictures[static_cast<std::size_t>(slot)];
    if (!PictureFits(picture, width, height)) {
      ReleasePicture(slot);
      PlotDocument& document = Documents().Document(slot);
      HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
      DrawResult result;
      picture = win32::DrawToBitmap(dc, width, height, document, ScreenOptions(document),
                                    GetSysColor(COLOR_WINDOW), &result);
      SetCursor(old);
      if (result.axisNotDrawn) MessageBeep(MB_OK);
      RememberDrawResult(slot, result);
    }
    if (picture) {
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, picture);
      BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    } else {
      FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    }
  }
  EndPaint(window, &ps);
}

void Created(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
  const int slot = static_cast<int>(mdi->lParam);
  SetWindowLongPtrA(window, DOCUMENT_SLOT_OFFSET, slot);
  Documents().SetWindow(slot, window);
}

// The MDI child that is active now, after another one went.
int ActiveChildSlot() {
  HWND client = TheProgram().client;
  if (!client) return 0;
  return WindowSlot(reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)));
}

void Destroyed(HWND window) {
  const int slot = WindowSlot(window);
  if (!slot) return;
  ReleasePicture(slot);
  EndDocumentLinks(slot);
  Documents().Close(slot);
  win32::DocumentTopicClosed(slot);
  TheProgram().optionWords[static_cast<std::size_t>(slot)] = 0;
}

void Activated(HWND window, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != window) return;
  const int slot = WindowSlot(window);
  if (slot) Documents().currentDocument = slot;
  RefreshMenus();
  RefreshStatusBar();
}

}  // namespace

LRESULT CALLBACK DocumentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT mouseResult = 0;
  if (DocumentMouseMessage(window, message, wParam, lParam, mouseResult)) return mouseResult;
  switch (message) {
    case WM_CREATE:
      Created(window, lParam);
      break;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_MDIACTIVATE:
      Activated(window, lParam);
      return 0;
    case WM_MERVA_QUERY_CLOSE:
      return QueryCloseDocument(WindowSlot(window)) ? 1 : 0;
    case WM_QUERYENDSESSION:
      return QueryCloseDocument(WindowSlot(window)) ? TRUE : FALSE;
    case WM_CLOSE:
      if (QueryCloseDocument(WindowSlot(window)))
        SendMessageA(TheProgram().client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
      return 0;
    case WM_DESTROY: {
      Destroyed(window);
      const int active = ActiveChildSlot();
      Documents().currentDocument = active;
      RefreshMenus();
      RefreshStatusBar();
      break;
    }
    default:
      break;
  }
  return DefMDIChildProcA(window, message, wParam, lParam);
}

bool QueryCloseDocument(int slot) {
  if (!Documents().IsOpen(slot)) return true;
  const PlotDocument& document = Documents().Document(slot);
  if (!NeedsSavePrompt(document, Settings().savePrompt)) return true;
  char caption[256] = {};
  GetWindowTextA(SlotWindow(slot), caption, sizeof caption);
  const std::string question = SavePromptText(caption);
  win32::SayText(question);
  // Without message boxes nothing changed may be thrown away.
  const int answer = Ui().Ask(question, APP_TITLE, MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL);
  const SavePromptAnswer kind = answer == IDYES  ? SavePromptAnswer::Yes
                                : answer == IDNO ? SavePromptAnswer::No
                                                 : SavePromptAnswer::Cancel;
  const bool saved = kind == SavePromptAnswer::Yes && SaveDocument(slot, false) == 1;
  return MayCloseAfterPrompt(kind, saved);
}

bool EscapePressed() {
  MSG message;
  if (PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
      message.wParam == VK_ESCAPE) {
    PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    return true;
  }
  return false;
}

int NewDocumentWindow(bool maximized, int curves, int points) {
  Program& program = TheProgram();
  ProgramSettings& settings = Settings();
  if (curves <= 0 || points <= 0) {
    curves = settings.numCurves;
    points = settings.numPoints;
  }
  int slot = 0;
  for (;;) {
    Status status;
    slot = program.documents.Open(curves, points, status, ApplyProgramSettings, &settings);
    if (slot) break;
    if (status.messages.size() == 1 && status.messages[0].number == MSG_TOO_MANY_WINDOWS) {
      Ui().ShowStatus(status);
      return 0;
    }
    // The default arrays do not fit: smaller ones may.
    if (!InsufficientMemoryDialog(curves, points)) return 0;
  }
  char title[32];
  std::snprintf(title, sizeof title, "Plot%d", slot);
  MDICREATESTRUCTA create{};
  create.szClass = DOCUMENT_CLASS;
  create.szTitle = title;
  create.hOwner = program.instance;
  create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
  create.style = 0;
  create.lParam = slot;
  // Maximized after creation, so that the window keeps a usable restored
  // size; a new window follows a maximized active one.
  BOOL activeMaximized = FALSE;
  SendMessageA(program.client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&activeMaximized));
  HWND window = reinterpret_cast<HWND>(
      SendMessageA(program.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  if (!window) {
    program.documents.Close(slot);
    return 0;
  }
  if (maximized || activeMaximized)
    SendMessageA(program.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
  program.documents.currentDocument = slot;
  NameDocumentWindow(slot, "");
  return slot;
}

bool CloseDocumentWindow(int slot, bool prompt) {
  HWND window = SlotWindow(slot);
  if (!window) return true;
  if (prompt && !QueryCloseDocument(slot)) return false;
  SendMessageA(TheProgram().client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  return true;
}

void InvalidatePicture(int slot) {
  if (!Documents().IsOpen(slot)) return;
  ReleasePicture(slot);
  if (HWND window = SlotWindow(slot)) InvalidateRect(window, nullptr, FALSE);
}

void DrawNewSegment(int slot, int curve) {
  if (!Documents().IsOpen(slot)) return;
  HWND window = SlotWindow(slot);
  const HBITMAP picture = TheProgram().pictures[static_cast<std::size_t>(slot)];
  RECT client{};
  if (window) GetClientRect(window, &client);
  bool drawn = false;
  if (window && PictureFits(picture, client.right, client.bottom)) {
    PlotDocument& document = Documents().Document(slot);
    const win32::WindowDc dc(window);
    drawn = win32::DrawLastSegmentOnBitmap(dc.Get(), picture, client.right, client.bottom, document,
                                           ScreenOptions(document), curve);
  }
  if (!drawn) {
    InvalidatePicture(slot);
    return;
  }
  InvalidateRect(window, nullptr, FALSE);
}

void RedrawDocument(int slot) {
  if (!Documents().IsOpen(slot)) return;
  PlotDocument& document = Documents().Document(slot);
  if (document.curveCount > 0) {
    const Status scale = CheckScale(document);
    if (!scale.Ok()) Ui().ShowStatus(scale);
  }
  InvalidatePicture(slot);
  win32::PostDocumentAdvise(slot);
  RefreshStatusBar();
}

void NameDocumentWindow(int slot, const std::string& proposed) {
  if (!Documents().IsOpen(slot)) return;
  std::string name;
  if (win32::DdeServerInstance())
    name = win32::NameDocumentTopic(slot, proposed);
  else
    name = NameDocument(Documents(), win32::DdeTopics(), slot, proposed);
  if (HWND window = SlotWindow(slot)) SetWindowTextA(window, name.c_str());
}

void ActivateDocumentWindow(int slot) {
  HWND window = SlotWindow(slot);
  if (!window) return;
  SendMessageA(TheProgram().client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  Documents().currentDocument = slot;
}

}  // namespace merva::app

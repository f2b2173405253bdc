#include <windows.h>
// after windows.h
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "macroeditor/editor.h"
#include "macroeditor/editor_parts.h"

namespace merva::macro {

namespace {

constexpr char NO_PRINTER[] =
    "No printer driver has been installed. Select Printers in Control Panel.";
constexpr int MARGIN_INCH_TENTHS = 7;

HDC DefaultPrinter() {
  PRINTDLGA print{};
  print.lStructSize = sizeof print;
  print.hwndOwner = TheEditor().window;
  print.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&print)) return nullptr;
  if (print.hDevMode) GlobalFree(print.hDevMode);
  if (print.hDevNames) GlobalFree(print.hDevNames);
  return print.hDC;
}

// The editor's font at its size on the printer.
HFONT PrinterFont(HDC printer) {
  LOGFONTA font{};
  if (TheEditor().font) GetObjectA(TheEditor().font, sizeof font, &font);
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (font.lfHeight == 0) font.lfHeight = -MulDiv(10, screenDpi, 72);
  font.lfHeight = MulDiv(font.lfHeight, GetDeviceCaps(printer, LOGPIXELSY), screenDpi);
  font.lfWidth = 0;
  return CreateFontIndirectA(&font);
}

bool PrintLines(HDC printer, const std::string& text, const std::string& title) {
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = title.c_str();
  if (StartDocA(printer, &document) <= 0) return false;
  HFONT font = PrinterFont(printer);
  const int margin = GetDeviceCaps(printer, LOGPIXELSY) * MARGIN_INCH_TENTHS / 10;
  const int left = GetDeviceCaps(printer, LOGPIXELSX) * MARGIN_INCH_TENTHS / 10;
  const int bottom = GetDeviceCaps(printer, VERTRES) - margin;
  bool ok = true;
  std::size_t at = 0;
  do {
    if (StartPage(printer) <= 0) {
      ok = false;
      break;
    }
    HGDIOBJ old = SelectObject(printer, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(printer, &metrics);
    const int lineHeight =
        std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    for (int y = margin; at < text.size() && y + lineHeight <= bottom; y += lineHeight) {
      std::size_t end = text.find_first_of("\r\n", at);
      if (end == std::string::npos) end = text.size();
      TabbedTextOutA(printer, left, y, text.data() + at, static_cast<int>(end - at), 0, nullptr,
                     left);
      at = end;
      if (at < text.size() && text[at] == '\r') ++at;
      if (at < text.size() && text[at] == '\n') ++at;
    }
    SelectObject(printer, old);
    if (EndPage(printer) <= 0) ok = false;
  } while (ok && at < text.size());
  DeleteObject(font);
  if (ok)
    EndDoc(printer);
  else
    AbortDoc(printer);
  return ok;
}

}  // namespace

void PrintCommand() {
  HDC printer = DefaultPrinter();
  if (!printer) {
    ShowMessage(NO_PRINTER);
    return;
  }
  const std::string& name = TheEditor().macroName;
  if (!PrintLines(printer, EditText(), name.empty() ? "Macro" : name))
    ShowMessage("The macro could not be printed.");
  DeleteDC(printer);
}

}  // namespace merva::macro

#pragma once

// Document windows (class "MERVADOC"): one MDI child per document slot.

#include <windows.h>

#include <string>

namespace merva::app {

// Asks the window whether it may close (the save prompt); 1 or 0.
constexpr UINT WM_MERVA_QUERY_CLOSE = WM_APP + 0x110;

LRESULT CALLBACK DocumentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Escape was pressed: the key-down is taken out of the queue. Drawing and
// long operations poll it to stop.
bool EscapePressed();

// Opens a document in a free slot with the capacities of the settings and
// gives it a window; the insufficient-memory dialog offers smaller arrays.
// Message 133 when no slot is free. The slot, 0 when none was opened.
// `curves`/`points` of 0 take the capacities of the settings.
int NewDocumentWindow(bool maximized, int curves = 0, int points = 0);

// Closes the window of a slot; with `prompt` the save prompt may keep it
// open. True when it closed.
bool CloseDocumentWindow(int slot, bool prompt);

// The save prompt of a closing window; true when it may close.
bool QueryCloseDocument(int slot);

// The document changed: the scale is checked, the picture drawn anew and
// the DDE links told.
void RedrawDocument(int slot);
// Only the picture: the window is drawn again from the document.
void InvalidatePicture(int slot);
// A point just added to the curve with fixed axes: its segment drawn onto
// the window's picture, else the whole picture drawn again.
void DrawNewSegment(int slot, int curve);

// Names the document after `proposed` (the DDE naming rule) and sets the
// window caption.
void NameDocumentWindow(int slot, const std::string& proposed);

// Makes the slot's window the active MDI child.
void ActivateDocumentWindow(int slot);

}  // namespace merva::app

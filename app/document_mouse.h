#pragma once

// Mouse handling of the document windows: hover hints, dragging of the
// legend, the point labels and the note, double-click editing, the
// right-button pop-up menus and the zoom rectangle.

#include <windows.h>

#include "render/draw_plot.h"

namespace merva::app {

// The rectangles of the slot's last screen draw.
void RememberDrawResult(int slot, const DrawResult& result);
const DrawResult& LastDrawResult(int slot);

// The note's button window (class "MERVANOTE") follows the last draw:
// there while the note is shown as a button, gone otherwise.
void UpdateNoteButton(int slot, const DrawResult& result);

// True when the message was handled here; `result` is then the answer.
bool DocumentMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Hover hints and mouse editing; off while another mouse mode owns it.
void SetMouseEditing(bool on);
bool MouseEditing();

// The point label (index into pointLabels) a double-click asked to edit;
// -1 when the edit did not come from the mouse.
int MousePointLabel();

// Note pop-up "&Button activated": the note is shown as a button.
int NoteButtonCommand(HWND frame, int commandId, LPARAM parameter);

// View "Zoom In": the rubber-band rectangle in the active document.
int ZoomInCommand(HWND frame);
int ZoomOutCommand(HWND frame);

}  // namespace merva::app

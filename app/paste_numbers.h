#pragma once

// Paste: numbers on the clipboard become new curves of the active document.

namespace merva::app {

// 1 when curves were added.
int PasteNumbersCommand();

}  // namespace merva::app

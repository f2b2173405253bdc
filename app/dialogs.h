#pragma once

// The dialogs of the File menu: array sizes, insufficient memory, file
// types and file formats.

namespace merva::app {

// "Insufficient Memory" (NEWWINDOW): starts with the shape that failed;
// true with the entered shape on OK.
bool InsufficientMemoryDialog(int& curves, int& points);

// "Size X,Y Arrays" (ARRAYSIZE) for the slot's document, then the resize.
// True when the arrays were resized.
bool ResizeArraysDialog(int slot);

// "Select File Type" (FILETYPES): true with the chosen type on OK.
bool FileTypesDialog(int& fileType);
// Whether a reader of the type is part of the program.
bool FileTypeAvailable(int fileType);

// "File Format" (FILEFORMAT): choice 1..6 in the order of the buttons.
bool FileFormatDialog(int& choice);
bool FileFormatAvailable(int choice);

// A failed common dialog (open, save, print, colour, font): the
// library's text of the extended error code in "Common Dialog Box Error".
// Nothing is shown for 0 (the user cancelled).
void ShowCommonDialogError(unsigned long errorCode);

// Help contexts of the dialogs' Help buttons.
constexpr int HELP_FILE_TYPES = 4097;
constexpr int HELP_FILE_FORMAT = 4102;
constexpr int HELP_ARRAY_SIZE = 4108;
constexpr int HELP_MACRO = 4109;

}  // namespace merva::app

/* korv32.dll: the family's common About box, options dialog and progress
   dialog, shell opening of documents and the hand-off of plot files to
   merva95. Every export is __stdcall (WINAPI) with an undecorated name.
   Link with the import library of the CMake target `korv32`. */
#ifndef KORV32_H
#define KORV32_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Options request of KUAppOptions: exactly 76 bytes on 32- and 64-bit
   builds alike, so the owner travels as a 32-bit handle value
   (HandleToUlong / KU_OWNER_HANDLE). */
#define KU_OPTIONS_REQUEST_SIZE 76
#define KU_NOUN_LENGTH 64

#include <pshpack4.h>
typedef struct KUOPTIONSREQUEST {
  LONG size;                 /* KU_OPTIONS_REQUEST_SIZE, else the call returns -1 */
  DWORD owner;               /* owner window; receives the "KORV Help" message */
  DWORD flags;               /* KU_OPTION_*, KU_DEFAULT_*, KU_OPTIONS_HELP */
  char noun[KU_NOUN_LENGTH]; /* kind of document appended to the labels */
} KUOPTIONSREQUEST;
#include <poppack.h>

#define KU_OWNER_VALUE(window) ((DWORD)(ULONG_PTR)(window))
#define KU_OWNER_HANDLE(value) ((HWND)(LONG_PTR)(LONG)(value))

/* Option bits, listed top to bottom in this order; the value returned is the bit. */
#define KU_OPTION_NEW 0x0001
#define KU_OPTION_OPEN 0x0002
#define KU_OPTION_VIEW 0x0004
#define KU_OPTION_SAVE 0x0008
#define KU_OPTION_RUN 0x0010
#define KU_OPTION_MASK 0x001F
/* Default selection: the n-th listed option (one bit only; else the 1st). */
#define KU_DEFAULT_2ND 0x0100
#define KU_DEFAULT_3RD 0x0200
#define KU_DEFAULT_4TH 0x0400
#define KU_DEFAULT_5TH 0x0800
#define KU_DEFAULT_6TH 0x1000
#define KU_DEFAULT_MASK 0x1F00
#define KU_OPTIONS_HELP 0x2000

/* Registered message sent to the owner by the options dialog's Help button. */
#define KU_HELP_MESSAGE_NAME "KORV Help"

/* KUProgressBar flags. */
#define KU_PROGRESS_NO_CANCEL 0x0001
#define KU_PROGRESS_ANIMATION 0x0002
#define KU_PROGRESS_FIVE_LINES 0x0004

/* Messages to the progress dialog (and the one it sends its parent).
   KU_PM_TEXT: lParam = movable global block holding a NUL-terminated text.
   KU_PM_TOTAL / KU_PM_COUNT: lParam = the count (signed LPARAM). */
#define KU_PM_TEXT (WM_USER + 256)
#define KU_PM_TOTAL (WM_USER + 257)
#define KU_PM_COUNT (WM_USER + 258)
#define KU_PM_CANCELLED (WM_USER + 259)

int WINAPI KUAboutBox(HWND owner, LPCSTR text);
int WINAPI KUAppOptions(const KUOPTIONSREQUEST* request);
HWND WINAPI KUProgressBar(HWND parent, UINT flags);
BOOL WINAPI KUGotoURL(LPCSTR target);
HWND WINAPI KUGetMERVAWindow(void);
int WINAPI KUPlotMERVAFile(LPCSTR applicationKey, LPCSTR fileName);

#ifdef __cplusplus
}
static_assert(sizeof(KUOPTIONSREQUEST) == KU_OPTIONS_REQUEST_SIZE, "the request is 76 bytes");
#endif

#endif

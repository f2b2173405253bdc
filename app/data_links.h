#pragma once

// DDE hot links: the program as a DDE client of another program's item
// (Insert Link, Paste Link), and the updates that arrive through the DDE
// callback.

#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <string>

namespace merva::app {

// Menu commands; `parameter` -1: the names come from the command language.
int InsertLinkCommand(LPARAM parameter);
int PasteLinkCommand();
// Whether the clipboard holds a "Link" reference.
bool LinkOnClipboard();

// Connects, requests the item as text, parses it into new curves of the
// slot's document and starts the advise loop: 0 nothing linked, 1 data
// copied once, 2 data copied and hot link active.
int EstablishLink(const std::string& application, const std::string& topic, const std::string& item,
                  int slot);

// The program file of the application's registered open command; empty
// when none is registered.
std::string FindServerProgram(const std::string& application);

int LinkCount();
// A document closes: its links end.
void EndDocumentLinks(int slot);

// For the DDE server: the program's own client transactions.
bool IsLinkConversation(HCONV conversation);
HDDEDATA CALLBACK LinkTransaction(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                  HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

}  // namespace merva::app

#pragma once

// The DDE server "MERVAW" (DDEML): execute strings in the command
// language, requests of state and curves, pictures, pokes and advise links.

#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <functional>
#include <string>

#include "automation/command_host.h"
#include "automation/conversation.h"
#include "automation/parameter_cells.h"
#include "automation/topic_names.h"

namespace merva::win32 {

struct DdeServerConfig {
  HWND frame = nullptr;
  CommandHost* host = nullptr;
  ParameterCells* cells = nullptr;  // TheParameterCells() when null
  // Opens a document window of the given capacity for a binary poke; its
  // slot, 0 when none is free.
  std::function<int(int curves, int points)> openDocumentWindow;
  // Pictures of a document; the defaults draw it with the compiled-in
  // drawing options.
  std::function<HBITMAP(int slot, int width, int height)> bitmapPicture;
  std::function<HMETAFILE(int slot, int width, int height)> metafilePicture;
  // Transactions of the program's own client links.
  PFNCALLBACK clientLinks = nullptr;
  // Whether a conversation is one of the program's own client links.
  std::function<bool(HCONV)> isClientLink;
};

// DdeInitialize with the server callback (registration notifications
// skipped); false when the library refuses.
bool InitializeDdeServer(const DdeServerConfig& config);
// Creates the string handles and registers the service name.
bool RegisterDdeService();
// Both steps.
inline bool StartDdeServer(const DdeServerConfig& config) {
  return InitializeDdeServer(config) && RegisterDdeService();
}
// Unregisters the name, frees the string handles and ends the library.
void StopDdeServer();

DWORD DdeServerInstance();
TopicTable& DdeTopics();
ConversationTable& DdeConversations();

// Names a document by the naming rule and gives it its topic handle; the
// name is returned (the caller sets the window caption from it).
std::string NameDocumentTopic(int slot, const std::string& proposed);
// The document's fileTitle changed directly: its topic follows it.
void RefreshDocumentTopic(int slot);
// A document closed: its topic goes and conversations on it lose it.
void DocumentTopicClosed(int slot);
// After a redraw: advise links on the picture and on the changed curves.
void PostDocumentAdvise(int slot);

// Pokes a text to the speech service ("MONOLOG", topic "TALK", item " ");
// nothing when it does not answer.
void SayText(const std::string& text);

// A bitmap of the document at the given size; the caller owns it.
HBITMAP DefaultBitmapPicture(PlotDocument& document, int width, int height);
HMETAFILE DefaultMetafilePicture(PlotDocument& document, int width, int height);

}  // namespace merva::win32

#pragma once

// What the command language needs from the program around it: the
// documents, the frame window and its menu commands, message boxes. The
// application implements it; tests fake it.

#include <string>

#include "core/document_table.h"
#include "core/status.h"

namespace merva {

struct ProgramSettings;

enum class WindowState { Hide, Maximize, Minimize, Restore, Show };

enum class MessageIcon { Exclamation, Warning, Information, Stop };

class CommandHost {
 public:
  virtual ~CommandHost() = default;

  virtual DocumentTable& Documents() = 0;
  virtual ProgramSettings& Settings() = 0;

  // Sends a menu command to the frame window and returns once it is done;
  // false when the program does not carry that command out (yet).
  virtual bool SendMenuCommand(int commandId, long messageParameter = 0) = 0;
  virtual void PostMenuCommand(int commandId) = 0;

  // Makes the slot's window the active document window.
  virtual void ActivateDocument(int slot) = 0;
  // Invalidates the slot's window and posts the advise notifications.
  virtual void RedrawDocument(int slot) = 0;
  // Draws the last segment of a curve (and its symbol) into the window.
  virtual void DrawLastSegment(int slot, int curve) = 0;

  virtual bool FrameEnabled() = 0;
  // The frame window and the floating tool window together.
  virtual void EnableFrame(bool enable) = 0;
  virtual void RefreshMenus() = 0;
  virtual void BringFrameToTop() = 0;
  // Posts WM_CLOSE to the frame window.
  virtual void CloseFrame() = 0;
  // slot 0 = the frame window.
  virtual void ShowWindowState(int slot, WindowState state) = 0;

  // Opens a new document window; its slot, 0 when none is free (after the
  // message).
  virtual int NewDocumentWindow() = 0;
  // Opens a new window and reads the file into it; its slot, 0 on failure.
  virtual int OpenFileInNewWindow(const std::string& path, int fileType) = 0;
  // The file type of a file from its first line.
  virtual int FileTypeOf(const std::string& path) = 0;
  // Closes the slot's window without a save prompt; the slot of the then
  // active document, 0 when none remains.
  virtual int CloseDocumentWindow(int slot) = 0;
  // The document's fileTitle changed: caption and DDE topic follow it.
  virtual void DocumentRenamed(int slot) = 0;
  // A document without curves got some: it is named by the naming rule
  // after its fileTitle, which gives it its DDE topic.
  virtual void NameUnnamedDocument(int /*slot*/) {}

  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  // Whether the program's message boxes appear at all: a client that
  // switched error messages off must not wait for someone to click.
  virtual bool MessagesShown() { return true; }
  virtual void SetMessagesShown(bool /*shown*/) {}
  // Pokes a text to the speech service; nothing when it is absent.
  virtual void Say(const std::string& text) = 0;

  // Smaller window services.
  virtual bool ClipboardHasText() { return false; }
  virtual void HelpContext(int /*context*/) {}
  virtual void HelpKeyword(const std::string& /*keyword*/) {}
  virtual void ReloadMacros() {}
  virtual void ShowStatusBar(bool /*visible*/) {}
  virtual void RebuildToolBar(bool /*visible*/, bool /*large*/) {}
  virtual void ArrangeDocuments(bool /*tile*/) {}
  virtual void RebuildPalette() {}
  virtual void ShowNoteButton(int /*slot*/, bool /*show*/) {}
  // The slot's arrays changed shape: the capacity shown follows.
  virtual void ArraysResized(int /*slot*/) {}
  // Hot links in use (at most 10).
  virtual int LinkCount() { return 0; }
};

}  // namespace merva

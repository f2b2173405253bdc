#pragma once

// Internal to the command language: one running command string and the
// table of commands.

#include <cstddef>
#include <string_view>

#include "automation/command_host.h"
#include "automation/conversation.h"
#include "automation/parameter_cells.h"
#include "core/plot_document.h"

namespace merva {

struct CommandRun {
  CommandRun(CommandHost& h, ParameterCells& c, Conversation& conv)
      : host(h), cells(c), conversation(conv) {}
  CommandHost& host;
  ParameterCells& cells;
  Conversation& conversation;
  bool redrawPending = false;
  bool stopAcknowledged = false;  // the rest of the string is not interpreted
  bool documentGone = false;      // the conversation's last document was closed
  std::size_t advance = 0;        // characters a custom-closing command consumed
  bool messagesAllowed = true;    // message boxes were shown before the string
  Status failure;                 // messages shown before the error box

  // The conversation's document; null when its slot holds none.
  PlotDocument* Document();
  // The selected curve raised to at least 1.
  int CurveAtLeastOne() const;
  // Sets firstCurve/lastCurve from the selected curve.
  void SetCurveRange();
  // Macro-command execution of a menu command; false when the program does
  // not carry it out.
  bool RunMenu(int commandId, long messageParameter = 0);
  // The same once per curve firstCurve..lastCurve.
  bool RunMenuEachCurve(int commandId);
  // Sends the toggling menu command when `wanted` differs from `current`.
  bool Toggle(int wanted, int current, int commandId);
  // Carries out a pending redraw now (before the document changes).
  void FlushRedraw();
  bool Fail(int messageNumber) {
    failure.Add(messageNumber);
    return false;
  }
};

using CommandHandler = bool (*)(CommandRun& run, std::string_view arguments);

enum CommandFlags : unsigned {
  ARGUMENT_REQUIRED = 1,  // a closing text right at the start fails
  SKIP_TO_BRACKET = 2,    // no closing text: everything up to the next "]" is skipped
  CUSTOM_CLOSING = 4,     // the handler finds its own end and sets `advance`
};

struct CommandSpec {
  const char* opening;
  const char* closing;  // "" when the opening is the whole command
  CommandHandler handler;
  unsigned flags;
};

// The commands in matching order.
const CommandSpec* CommandTable(std::size_t& count);

int ClampInt(int value, int low, int high);

}  // namespace merva

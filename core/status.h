#pragma once

#include <string>
#include <utility>
#include <vector>

namespace merva {

// A message an operation asks its caller to show: a string-table number
// (0 for a built text) and the text itself.
struct Message {
  int number = 0;
  std::string text;
};

// What an operation returns: its result (1 success, 0 cancel or failure)
// and the messages to show, in order. The caller decides how to show them.
struct Status {
  int result = 1;
  std::vector<Message> messages;
  bool fatal = false;  // the program must close once the messages are shown

  bool Ok() const { return result == 1; }

  static Status Success() { return Status{}; }
  static Status Failure() { return Status{0, {}, false}; }
  static Status Failure(int number);  // string-table message
  static Status Failure(std::string text) { return Status{0, {{0, std::move(text)}}, false}; }

  Status& Add(int number);
  Status& Add(std::string text) {
    messages.push_back({0, std::move(text)});
    return *this;
  }
  // All message texts, one per line (for logs and tests).
  std::string Text() const;
};

}  // namespace merva

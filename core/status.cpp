#include "core/status.h"

#include "core/messages.h"

namespace merva {

Status Status::Failure(int number) {
  Status s = Failure();
  s.Add(number);
  return s;
}

Status& Status::Add(int number) {
  messages.push_back({number, MessageText(number)});
  return *this;
}

std::string Status::Text() const {
  std::string all;
  for (const Message& m : messages) {
    if (!all.empty()) all += '\n';
    all += m.text;
  }
  return all;
}

}  // namespace merva

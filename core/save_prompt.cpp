#include "core/save_prompt.h"

namespace merva {

bool NeedsSavePrompt(const PlotDocument& d, bool savePromptSetting) {
  return savePromptSetting && d.changed != 0 && d.HasMatrices() && d.curveCount != 0;
}

std::string SavePromptText(const std::string& windowCaption) {
  return windowCaption + " has changed.  Do you want to save the changes in a MERVA file?";
}

bool MayCloseAfterPrompt(SavePromptAnswer answer, bool saveSucceeded) {
  switch (answer) {
    case SavePromptAnswer::Yes:
      return saveSucceeded;
    case SavePromptAnswer::No:
      return true;
    case SavePromptAnswer::Cancel:
      return false;
  }
  return false;
}

}  // namespace merva

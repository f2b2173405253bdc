#pragma once

#include <string>

#include "core/plot_document.h"

namespace merva {

// Whether closing the document's window must ask to save it.
bool NeedsSavePrompt(const PlotDocument& document, bool savePromptSetting);

// The question of the save prompt for a window caption.
std::string SavePromptText(const std::string& windowCaption);

enum class SavePromptAnswer { Yes, No, Cancel };

// What the close does after the answer: true when the window may close.
// `saveSucceeded` is consulted only for Yes.
bool MayCloseAfterPrompt(SavePromptAnswer answer, bool saveSucceeded);

}  // namespace merva

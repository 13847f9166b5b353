#pragma once
// Message boxes for the core's questions and messages.

#include "platform/Prompt.h"

namespace quorvex {

class TGuiPrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override;
};

} // namespace quorvex

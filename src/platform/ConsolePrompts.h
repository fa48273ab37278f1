#pragma once

#include "platform/Prompts.h"

// Prompts for a run without a window: each message goes to standard error,
// and every question is answered No, so nothing happens that nobody chose.
class ConsolePrompts : public Prompts {
public:
    PromptAnswer show(PromptKind kind, PromptButtons buttons, const QString& text) override;
};

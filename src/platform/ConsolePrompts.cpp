#include "platform/ConsolePrompts.h"

#include <cstdio>

PromptAnswer ConsolePrompts::show(PromptKind kind, PromptButtons buttons, const QString& text) {
    const char* prefix = kind == PromptKind::Error     ? "error: "
                         : kind == PromptKind::Warning ? "warning: "
                                                       : "";
    std::fprintf(stderr, "dayglass: %s%s\n", prefix, text.toLocal8Bit().constData());
    return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
}

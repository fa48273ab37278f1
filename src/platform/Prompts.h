#pragma once

#include <QString>

// Every message box the program shows goes through this interface, so that
// tests can script the answers and read back what the user would have seen.
enum class PromptKind { Plain, Information, Confirmation, Warning, Error };
enum class PromptButtons { Ok, YesNo };
enum class PromptAnswer { Ok, Yes, No };

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer show(PromptKind kind, PromptButtons buttons, const QString& text) = 0;

    void message(PromptKind kind, const QString& text) { show(kind, PromptButtons::Ok, text); }

    // A Yes/No question counts every answer but No as Yes.
    bool askYesNo(PromptKind kind, const QString& text) {
        return show(kind, PromptButtons::YesNo, text) != PromptAnswer::No;
    }
};

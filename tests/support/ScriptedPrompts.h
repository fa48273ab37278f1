#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QString>
#include <deque>

// Records every message box and answers Yes/No questions from a script;
// unscripted questions are answered Yes.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        PromptKind kind;
        PromptButtons buttons;
        QString text;
    };

    PromptAnswer show(PromptKind kind, PromptButtons buttons, const QString& text) override;

    void answerNext(PromptAnswer answer) { m_script.push_back(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    std::deque<PromptAnswer> m_script;
    QList<Shown> m_shown;
};

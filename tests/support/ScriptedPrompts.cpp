#include "ScriptedPrompts.h"

PromptAnswer ScriptedPrompts::show(PromptKind kind, PromptButtons buttons, const QString& text) {
    m_shown.append({kind, buttons, text});
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    if (m_script.empty())
        return PromptAnswer::Yes;
    const PromptAnswer answer = m_script.front();
    m_script.pop_front();
    return answer;
}

QStringList ScriptedPrompts::texts() const {
    QStringList result;
    for (const Shown& s : m_shown)
        result.append(s.text);
    return result;
}

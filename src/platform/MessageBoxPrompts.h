#pragma once

#include "platform/Prompts.h"

class QWidget;

// Prompts shown as modal QMessageBoxes; Escape and the close box answer No.
class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer show(PromptKind kind, PromptButtons buttons, const QString& text) override;

private:
    QWidget* m_parent;
};

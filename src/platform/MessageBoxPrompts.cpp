#include "platform/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(PromptKind kind) {
    switch (kind) {
    case PromptKind::Plain:
        return QMessageBox::NoIcon;
    case PromptKind::Information:
        return QMessageBox::Information;
    case PromptKind::Confirmation:
        return QMessageBox::Question;
    case PromptKind::Warning:
        return QMessageBox::Warning;
    case PromptKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

PromptAnswer MessageBoxPrompts::show(PromptKind kind, PromptButtons buttons, const QString& text) {
    QMessageBox box(iconFor(kind), QApplication::applicationName(), text, QMessageBox::NoButton,
                    m_parent);
    if (buttons == PromptButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::No ? PromptAnswer::No : PromptAnswer::Yes;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return PromptAnswer::Ok;
}

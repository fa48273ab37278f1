#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The two places the status display shows; the main window implements it.
class StatusOutput {
public:
    virtual ~StatusOutput() = default;
    // Shows text as the main window's caption.
    virtual void ShowCaption(const QString& text) = 0;
    // Shows text as the tray icon's tooltip.
    virtual void ShowToolTip(const QString& text) = 0;
};

// Done as a whole percentage of Total, rounded half to even; 0 when Total is 0.
// Not clamped: more than Total gives more than 100.
int PercentOf(qint64 Done, qint64 Total);

// The caption and tooltip texts of the status display.
struct StatusTexts {
    QString Caption;
    QString ToolTip;
};

// "Dayglass", or "Dayglass - " and the text, for each of the two places.
StatusTexts StatusTextsFor(const QString& Caption, const QString& Hint);

// The main window's caption and tray tooltip as one status display. All
// changes to the two must go through it: it hands a text to the output only
// when it differs from the one shown, since a tooltip update can be costly.
class StatusDisplay {
public:
    explicit StatusDisplay(StatusOutput& output) : m_output(output) {}

    // Shows Caption in the caption and Hint in the tooltip; either may be empty.
    void SetDisplay(const QString& Caption, const QString& Hint);
    // Shows the percentage of Done bytes of Total received.
    void ShowProgress(qint64 Done, qint64 Total);
    // Back to "Dayglass" in both places.
    void ProgressEnd();

    const StatusTexts& shown() const { return m_shown; }

private:
    StatusOutput& m_output;
    StatusTexts m_shown;
    std::optional<int> m_shownPercent;
};

#include "download/StatusDisplay.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString ProgramName = QStringLiteral("Dayglass");

} // namespace

int PercentOf(qint64 Done, qint64 Total) {
    if (Total == 0)
        return 0;
    // The default rounding mode sends an exact half to the even neighbour.
    const double percent = std::nearbyint(static_cast<double>(Done) / Total * 100.0);
    constexpr double Largest = std::numeric_limits<int>::max();
    constexpr double Smallest = std::numeric_limits<int>::min();
    return static_cast<int>(std::clamp(percent, Smallest, Largest));
}

StatusTexts StatusTextsFor(const QString& Caption, const QString& Hint) {
    StatusTexts texts{ProgramName, ProgramName};
    if (!Caption.isEmpty())
        texts.Caption = ProgramName + QLatin1String(" - ") + Caption;
    if (!Hint.isEmpty())
        texts.ToolTip = ProgramName + QLatin1String(" - ") + Hint;
    return texts;
}

void StatusDisplay::SetDisplay(const QString& Caption, const QString& Hint) {
    m_shownPercent.reset();
    StatusTexts texts = StatusTextsFor(Caption, Hint);
    if (texts.Caption != m_shown.Caption) {
        m_shown.Caption = texts.Caption;
        m_output.ShowCaption(m_shown.Caption);
    }
    if (texts.ToolTip != m_shown.ToolTip) {
        m_shown.ToolTip = texts.ToolTip;
        m_output.ShowToolTip(m_shown.ToolTip);
    }
}

void StatusDisplay::ShowProgress(qint64 Done, qint64 Total) {
    const int percent = PercentOf(Done, Total);
    // Called for every chunk: the texts only change with the percentage.
    if (m_shownPercent == percent)
        return;
    SetDisplay(QString::asprintf("Downloading Image %d%%", percent),
               QString::asprintf("Downloading %d%%", percent));
    m_shownPercent = percent;
}

void StatusDisplay::ProgressEnd() {
    SetDisplay({}, {});
}

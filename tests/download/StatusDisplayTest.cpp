#include "download/StatusDisplay.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct RecordingOutput : StatusOutput {
    void ShowCaption(const QString& text) override { captions << text; }
    void ShowToolTip(const QString& text) override { toolTips << text; }
    QStringList captions;
    QStringList toolTips;
};

TEST(PercentOf, RoundsHalfToEvenAndIsNotClamped) {
    struct Case {
        qint64 done, total;
        int percent;
    };
    const Case cases[] = {{1, 8, 12},
                          {3, 8, 38},
                          {5, 8, 62},
                          {7, 8, 88},
                          {5, 0, 0},
                          {0, 0, 0},
                          {1100, 1000, 110},
                          {1, 2, 50},
                          {1, 3, 33},
                          {2, 3, 67},
                          {0, 5000, 0},
                          {5000, 5000, 100},
                          {1 << 30, 1, std::numeric_limits<int>::max()}};
    for (const Case& c : cases)
        EXPECT_EQ(PercentOf(c.done, c.total), c.percent) << c.done << " of " << c.total;
}

TEST(StatusTexts, PrefixTheProgramName) {
    struct Case {
        const char *caption, *hint, *shownCaption, *shownToolTip;
    };
    const Case cases[] = {
        {"", "", "Dayglass", "Dayglass"},
        {"X", "", "Dayglass - X", "Dayglass"},
        {"", "H", "Dayglass", "Dayglass - H"},
        {"Processing", "Checking site", "Dayglass - Processing", "Dayglass - Checking site"},
    };
    for (const Case& c : cases) {
        const StatusTexts texts = StatusTextsFor(c.caption, c.hint);
        EXPECT_EQ(texts.Caption, c.shownCaption);
        EXPECT_EQ(texts.ToolTip, c.shownToolTip);
    }
}

TEST(StatusDisplay, ShowProgressUsesTheSameWordsForPagesAndPictures) {
    RecordingOutput out;
    StatusDisplay display(out);
    display.ShowProgress(42, 100);
    EXPECT_EQ(display.shown().Caption, "Dayglass - Downloading Image 42%");
    EXPECT_EQ(display.shown().ToolTip, "Dayglass - Downloading 42%");
    EXPECT_EQ(out.captions.last(), "Dayglass - Downloading Image 42%");
    EXPECT_EQ(out.toolTips.last(), "Dayglass - Downloading 42%");
    display.ProgressEnd();
    EXPECT_EQ(out.captions.last(), "Dayglass");
    EXPECT_EQ(out.toolTips.last(), "Dayglass");
}

TEST(StatusDisplay, HandsOnlyChangedTextsToTheOutput) {
    RecordingOutput out;
    StatusDisplay display(out);
    display.ShowProgress(1, 1000);
    display.ShowProgress(2, 1000);
    display.ShowProgress(10, 1000);
    EXPECT_EQ(out.captions,
              QStringList({"Dayglass - Downloading Image 0%", "Dayglass - Downloading Image 1%"}));
    // Another text in between: the same percentage must be shown again.
    display.SetDisplay("Other", "");
    display.ShowProgress(10, 1000);
    EXPECT_EQ(out.captions.last(), "Dayglass - Downloading Image 1%");
    EXPECT_EQ(out.toolTips, QStringList({"Dayglass - Downloading 0%", "Dayglass - Downloading 1%",
                                         "Dayglass", "Dayglass - Downloading 1%"}));
}

} // namespace

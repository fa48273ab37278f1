#include "platform/Texts.h"

#include <gtest/gtest.h>

TEST(TextToBool, RecognisesOnlyItsOwnWords) {
    struct Case {
        const char* text;
        bool whenDefaultFalse;
        bool whenDefaultTrue;
    };
    const Case cases[] = {
        {"True", true, true},    {"yes", true, true},    {"TRUE", true, true}, {"-1", true, true},
        {"False", false, false}, {"no", false, false},   {"0", false, false},  {"1", false, true},
        {"", false, true},       {" True", false, true}, {"y", false, true},   {"00", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToBool(c.text, false), c.whenDefaultFalse) << c.text;
        EXPECT_EQ(TextToBool(c.text, true), c.whenDefaultTrue) << c.text;
    }
    EXPECT_EQ(BoolToText(true), "True");
    EXPECT_EQ(BoolToText(false), "False");
}

TEST(TextToInteger, TakesDecimalAndHexadecimalTexts) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {" 12", 12},
        {"$1F", 31},
        {"0x10", 16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"2147483648", 99},
        {"12 ", 99},
        {"", 99},
        {"abc", 99},
        {"$", 99},
        {"1.5", 99},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToInteger(c.text, 99), c.expected) << c.text;
}

TEST(TextToColour, ReadsNamesInAnyCaseAndNumbers) {
    EXPECT_EQ(TextToColour("clRed", 0), RGBColour(255, 0, 0));
    EXPECT_EQ(TextToColour("clred", 0), RGBColour(255, 0, 0));
    EXPECT_EQ(TextToColour("CLMONEYGREEN", 0), RGBColour(192, 220, 192));
    EXPECT_EQ(TextToColour("$00FF8040", 0), RGBColour(0x40, 0x80, 0xFF));
    EXPECT_EQ(TextToColour("255", 7), RGBColour(255, 0, 0));
    EXPECT_EQ(TextToColour("reddish", 7), 7u);
    EXPECT_EQ(TextToColour("", 7), 7u);
}

TEST(ColourToText, NamesNamedColoursAndSpellsOthersBlueFirst) {
    EXPECT_EQ(ColourToText(RGBColour(0, 0, 255)), "clBlue");
    EXPECT_EQ(ColourToText(RGBColour(0, 0, 0)), "clBlack");
    EXPECT_EQ(ColourToText(RGBColour(64, 64, 64)), "$00404040");
    EXPECT_EQ(ColourToText(RGBColour(0x12, 0x34, 0xAB)), "$00AB3412");
    for (TColor colour : {RGBColour(1, 2, 3), RGBColour(160, 160, 164), RGBColour(255, 251, 240)})
        EXPECT_EQ(TextToColour(ColourToText(colour), 0xFFFFFFFF), colour);
}

TEST(ContainsText, IgnoresCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(ContainsText("BIKINI", "Daily bikini pics"));
    EXPECT_TRUE(ContainsText("bikini", "xxBiKiNi"));
    EXPECT_FALSE(ContainsText("BIKIN1", "bikini"));
    EXPECT_FALSE(ContainsText("Ä", "ä"));
    EXPECT_TRUE(ContainsText("", "anything"));
    EXPECT_FALSE(ContainsText("longer", "long"));
}

TEST(LeftChars, CutsOrKeepsTheWholeText) {
    EXPECT_EQ(LeftChars("abcdef", 3), "abc");
    EXPECT_EQ(LeftChars("abc", 10), "abc");
    EXPECT_EQ(LeftChars("abc", 0), "");
}

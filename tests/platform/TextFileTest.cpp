#include "platform/TextFile.h"
#include "FileSizeLimit.h"
#include "TempHome.h"

#include <QFile>
#include <gtest/gtest.h>

struct SplitCase {
    const char* text;
    QStringList lines;
};

class SplitTextLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextLinesTest, EachLineEndEndsOneLine) {
    EXPECT_EQ(SplitTextLines(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, SplitTextLinesTest,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}},
                                           SplitCase{"a\r\n", {"a"}},
                                           SplitCase{"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
                                           SplitCase{"a\n\r\nb", {"a", "", "b"}},
                                           SplitCase{"\r\r", {"", ""}},
                                           SplitCase{"a\n\rb", {"a", "", "b"}}));

TEST(TextFile, WritesCrLfAfterEveryLineAndReadsItBack) {
    TempHome home;
    const QString path = home.path() + "/lines.dat";
    ASSERT_TRUE(WriteTextLines(path, {"one", "", "drei ü"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("one\r\n\r\ndrei \xc3\xbc\r\n"));
    EXPECT_EQ(ReadTextLines(path), QStringList({"one", "", "drei ü"}));
}

TEST(TextFile, MissingFileReadsAsNothing) {
    TempHome home;
    EXPECT_FALSE(ReadTextLines(home.path() + "/absent.dat").has_value());
}

TEST(TextFile, FailedWriteLeavesTheOldFileWhole) {
    TempHome home;
    const QString path = home.path() + "/state.dat";
    ASSERT_TRUE(WriteTextLines(path, {"old"}));
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteTextLines(path, QStringList(2000, "a line that will not fit")));
    }
    EXPECT_EQ(ReadTextLines(path), QStringList({"old"}));
}

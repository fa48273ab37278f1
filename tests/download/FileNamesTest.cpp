#include "download/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Pictures = "*.jpg;*.jpeg;*.bmp;";
const QString WithGif = "*.jpg;*.jpeg;*.bmp;*.gif;";

TEST(MatchesFileFilter, AcceptsListedExtensionsOnly) {
    const struct {
        QString name;
        QString filter;
        bool accepted;
    } cases[] = {
        {"http://x/pic.jpg", Pictures, true},
        {"http://x/PIC.JPEG", Pictures, true},
        {"pic.Bmp", Pictures, true},
        {"pic.gif", Pictures, false},
        {"pic.gif", WithGif, true},
        {"pic.png", WithGif, false},
        {"pic.jpg?size=2", Pictures, false},
        {"http://host.com/pic", Pictures, false},
        {"http://x/a.jpg/pic", Pictures, false},
        {"c:\\dir.jpg\\file", Pictures, false},
        {"pic.pg", Pictures, false},
        {"pic.", "*.;", false},
        {"noext", "*.NOTHING", true},
        {"pic.", "*.nothing;", true},
        {"pic.gif", "*.jpg,*.gif", true},
        {"anything", "*.*", true},
        {"anything", "*.*;", true},
        {"pic.jpg", "*.jpg", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesFileFilter(c.name, c.filter), c.accepted)
            << c.name.toStdString() << " with " << c.filter.toStdString();
}

TEST(IsJpegFileName, KnowsTheThreeExtensions) {
    const struct {
        QString name;
        bool jpeg;
    } cases[] = {
        {"http://x/a.jpg", true}, {"http://x/a.JPEG", true},
        {"a.Jpe", true},          {"http://x/a.jpg?x", false},
        {"http://x/page", false}, {"a.jfif", false},
        {"http://x.jpg/", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsJpegFileName(c.name), c.jpeg) << c.name.toStdString();
}

class UniqueFileNameTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.path() + "/" + name; }
    void touch(const QString& name) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
};

TEST_F(UniqueFileNameTest, CountsFromTwoAndReusesFreedNumbers) {
    EXPECT_EQ(UniqueFileName(path("Daily.jpg")), path("Daily.jpg"));
    touch("Daily.jpg");
    EXPECT_EQ(UniqueFileName(path("Daily.jpg")), path("Daily_2.jpg"));
    touch("Daily_2.jpg");
    touch("Daily_4.jpg");
    EXPECT_EQ(UniqueFileName(path("Daily.jpg")), path("Daily_3.jpg"));
    // The extension is part of the name: another type is another file.
    EXPECT_EQ(UniqueFileName(path("Daily.bmp")), path("Daily.bmp"));
}

TEST_F(UniqueFileNameTest, ContinuesTheNumberOfANumberedName) {
    touch("Daily_7.jpg");
    EXPECT_EQ(UniqueFileName(path("Daily_7.jpg")), path("Daily_8.jpg"));
    touch("Pic_3_3.JPG");
    EXPECT_EQ(UniqueFileName(path("Pic_3_3.JPG")), path("Pic_4.JPG"));
    touch("Noext");
    EXPECT_EQ(UniqueFileName(path("Noext")), path("Noext_2"));
    // A name that is only a number has no "_" to continue from.
    touch("7.jpg");
    EXPECT_EQ(UniqueFileName(path("7.jpg")), path("7_2.jpg"));
}

TEST_F(UniqueFileNameTest, StaysInTheWantedFolder) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("shots_7"));
    touch("shots_7/Daily_7.jpg");
    EXPECT_EQ(UniqueFileName(path("shots_7/Daily_7.jpg")), path("shots_7/Daily_8.jpg"));
    touch("shots_7/Daily.jpg");
    EXPECT_EQ(UniqueFileName(path("shots_7/Daily.jpg")), path("shots_7/Daily_2.jpg"));
}

TEST_F(UniqueFileNameTest, CountsPastTheLimitWhenTheNameStartsThere) {
    touch("Big_20000000.jpg");
    touch("Big_20000001.jpg");
    EXPECT_EQ(UniqueFileName(path("Big_20000000.jpg")), path("Big_20000002.jpg"));
}

TEST_F(UniqueFileNameTest, TreatsADanglingLinkAsTaken) {
    ASSERT_TRUE(QFile::link(path("missing"), path("Link.jpg")));
    EXPECT_EQ(UniqueFileName(path("Link.jpg")), path("Link_2.jpg"));
}

TEST(FileSizeOf, GivesTheSizeOrMinusOne) {
    QTemporaryDir dir;
    QFile file(dir.filePath("f.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(12345, 'x'));
    file.close();
    EXPECT_EQ(FileSizeOf(file.fileName()), 12345);
    EXPECT_EQ(FileSizeOf(dir.filePath("none")), -1);
    EXPECT_EQ(FileSizeOf(""), -1);
    QFile empty(dir.filePath("empty"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(FileSizeOf(empty.fileName()), 0);
}

TEST(SiteFileStem, KeepsNamesInsideTheFolder) {
    const struct {
        QString site;
        QString stem;
    } cases[] = {
        {"Daily", "Daily"},
        {"../../etc/x", ".._.._etc_x"},
        {"/abs", "_abs"},
        {".", "_"},
        {"..", "_"},
        {"a\nb", "a_b"},
        {"NASA APOD", "NASA APOD"},
        {"back\\slash", "back\\slash"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SiteFileStem(c.site), c.stem) << c.site.toStdString();
}

} // namespace

#include "FileSizeLimit.h"
#include "ImageTestSupport.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "wallpaper/TIEFunctions.h"

#include <QFileInfo>
#include <QtEndian>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

class SaveFixture : public ::testing::Test {
protected:
    SaveFixture() {
        functions.OnErrorLog = [this](const QString& text) { log << text; };
    }
    QString path(const QString& name) const { return home.path() + "/" + name; }

    TempHome home;
    ScriptedPrompts prompts;
    TIEFunctions functions{prompts};
    QStringList log;
};

quint32 le32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
quint16 le16(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

TEST_F(SaveFixture, WritesAnUncompressed24BitBottomUpBitmap) {
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(1, 2, 3));
    bitmap.setPixel(1, 0, qRgb(4, 5, 6));
    bitmap.setPixel(2, 0, qRgb(7, 8, 9));
    bitmap.setPixel(0, 1, qRgb(10, 11, 12));
    bitmap.setPixel(1, 1, qRgb(13, 14, 15));
    bitmap.setPixel(2, 1, qRgb(16, 17, 18));
    ASSERT_TRUE(functions.SaveBitmapFile(bitmap, path("out.bmp")));
    const QByteArray bytes = readAll(path("out.bmp"));
    ASSERT_EQ(bytes.size(), 54 + 2 * 12);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(le32(bytes, 2), 78u);
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_EQ(le32(bytes, 18), 3u);
    EXPECT_EQ(le32(bytes, 22), 2u);
    EXPECT_EQ(le16(bytes, 26), 1);
    EXPECT_EQ(le16(bytes, 28), 24);
    EXPECT_EQ(le32(bytes, 30), 0u);
    EXPECT_EQ(le32(bytes, 34), 24u);
    // Bottom row first, blue-green-red, each row padded to four bytes.
    const QByteArray pixels("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0"
                            "\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0",
                            24);
    EXPECT_EQ(bytes.mid(54), pixels);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(SaveFixture, ARealPictureRoundTripsThroughImageMagick) {
    QImage bitmap(QImage(dataFile("testorig.ppm")));
    ASSERT_TRUE(functions.SaveBitmapFile(bitmap, path("photo.bmp")));
    ASSERT_TRUE(runConvert({path("photo.bmp"), path("back.ppm")}));
    EXPECT_EQ(maxDifference(bitmap, QImage(path("back.ppm"))), 0);
}

TEST_F(SaveFixture, AReadOnlyFileIsMadeWritableAndReplaced) {
    ASSERT_TRUE(writeAll(path("old.bmp"), "old"));
    ASSERT_TRUE(QFile::setPermissions(path("old.bmp"), QFile::ReadOwner | QFile::ReadGroup));
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::green);
    ASSERT_TRUE(functions.SaveBitmapFile(bitmap, path("old.bmp")));
    EXPECT_TRUE(QFileInfo(path("old.bmp")).permissions() & QFile::WriteOwner);
    EXPECT_EQ(QImage(path("old.bmp")).pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

// An immutable file: even its owner (and root) cannot clear its read-only state.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path) : m_path(QFile::encodeName(path)) {
        m_set = setFlag(true);
    }
    ~ImmutableFile() {
        if (m_set)
            setFlag(false);
    }
    bool isSet() const { return m_set; }

private:
    bool setFlag(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }
    QByteArray m_path;
    bool m_set = false;
};

TEST_F(SaveFixture, AReadOnlyTagThatCannotBeResetIsWarnedAboutAndTheSaveFails) {
    ASSERT_TRUE(writeAll(path("locked.bmp"), "old"));
    ASSERT_TRUE(QFile::setPermissions(path("locked.bmp"), QFile::ReadOwner));
    ImmutableFile immutable(path("locked.bmp"));
    if (!immutable.isSet())
        GTEST_SKIP() << "the file system or user cannot make immutable files";
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::green);
    EXPECT_FALSE(functions.SaveBitmapFile(bitmap, path("locked.bmp")));
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Warning);
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(prompts.shown()[0].text,
              "An error was encountered resetting the read-only tag on the file, locked.bmp.  ");
    EXPECT_EQ(log.last(), "Error saving to " + path("locked.bmp"));
    EXPECT_EQ(readAll(path("locked.bmp")), "old");
}

TEST_F(SaveFixture, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    ASSERT_TRUE(writeAll(path("wall.bmp"), "previous wallpaper"));
    QImage bitmap(200, 200, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(functions.SaveBitmapFile(bitmap, path("wall.bmp")));
    }
    EXPECT_EQ(readAll(path("wall.bmp")), "previous wallpaper");
    EXPECT_EQ(log.last(), "Error saving to " + path("wall.bmp"));
}

TEST_F(SaveFixture, OnlyBitmapNamesAndRealBitmapsAreSaved) {
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    EXPECT_FALSE(functions.SaveBitmapFile(bitmap, path("wall.png")));
    EXPECT_FALSE(functions.SaveBitmapFile(QImage(), path("empty.bmp")));
    EXPECT_FALSE(QFile::exists(path("empty.bmp")));
    EXPECT_FALSE(functions.SaveBitmapFile(bitmap, path("no/such/folder/wall.bmp")));
    EXPECT_EQ(log.last(), "Error saving to " + path("no/such/folder/wall.bmp"));
}

class ConvertFixture : public SaveFixture {};

TEST_F(ConvertFixture, TheSameNameReturnsTrueAndLeavesTheFileUntouched) {
    ASSERT_TRUE(writeAll(path("same.jpg"), "not even a picture"));
    EXPECT_TRUE(
        functions.ConvertImageFile(path("same.jpg"), path("same.jpg"), 100, 100, true, true));
    EXPECT_EQ(readAll(path("same.jpg")), "not even a picture");
    EXPECT_TRUE(prompts.shown().isEmpty());
}

struct ConvertCase {
    const char* source;
    int boxWidth, boxHeight;
    bool stretch;
    int width, height;
};

class ConvertCases : public ConvertFixture, public ::testing::WithParamInterface<ConvertCase> {};

TEST_P(ConvertCases, WritesTheFittedBitmap) {
    const ConvertCase& c = GetParam();
    ASSERT_TRUE(functions.ConvertImageFile(dataFile(c.source), path("DGLS_WP.bmp"), c.boxWidth,
                                           c.boxHeight, c.stretch, true));
    const QImage written(path("DGLS_WP.bmp"));
    EXPECT_EQ(written.size(), QSize(c.width, c.height));
    EXPECT_EQ(written.depth(), 32) << "Qt reads 24-bit bitmaps as RGB32";
    EXPECT_EQ(le16(readAll(path("DGLS_WP.bmp")), 28), 24);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertCases,
                         ::testing::Values(ConvertCase{"testorig.jpg", 1024, 768, true, 1024, 672},
                                           ConvertCase{"testorig.jpg", 1024, 768, false, 227, 149},
                                           ConvertCase{"testorig.jpg", 100, 100, false, 100, 66},
                                           ConvertCase{"welcome2.gif", 145, 100, false, 145, 24},
                                           ConvertCase{"rgb24.bmp", 0, 0, true, 127, 64}));

TEST_F(ConvertFixture, AFailureShowsTheWarningWithTheFullSourceNameWhenAsked) {
    ASSERT_TRUE(writeAll(path("broken.jpg"), "not a picture"));
    EXPECT_FALSE(
        functions.ConvertImageFile(path("broken.jpg"), path("out.bmp"), 100, 100, true, false));
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(
        functions.ConvertImageFile(path("broken.jpg"), path("out.bmp"), 100, 100, true, true));
    EXPECT_FALSE(functions.ConvertImageFile(dataFile("rgb24.bmp"), path("none/out.bmp"), 100, 100,
                                            true, true));
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Warning);
    EXPECT_EQ(prompts.texts(),
              (QStringList{"An error was encountered while converting the image, " +
                               path("broken.jpg") + "!",
                           "An error was encountered while converting the image, " +
                               dataFile("rgb24.bmp") + "!"}));
    EXPECT_FALSE(QFile::exists(path("out.bmp")));
}

} // namespace

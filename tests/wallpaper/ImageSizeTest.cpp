#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "wallpaper/TIEFunctions.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QString dataFile(const char* name) {
    return QString(DAYGLASS_TEST_DATA) + "/wallpaper/" + name;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct SizeCase {
    const char* file;
    int width;
    int height;
};

class GetImageSizeOfRealFiles : public ::testing::TestWithParam<SizeCase> {};

TEST_P(GetImageSizeOfRealFiles, ReadsTheFullSizeFromTheHeader) {
    ScriptedPrompts prompts;
    TIEFunctions functions(prompts);
    EXPECT_EQ(functions.GetImageSize(dataFile(GetParam().file)),
              QSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(
    JpegBmpGif, GetImageSizeOfRealFiles,
    ::testing::Values(SizeCase{"testorig.jpg", 227, 149}, SizeCase{"testimgp.jpg", 227, 149},
                      SizeCase{"testimgari.jpg", 227, 149}, SizeCase{"testimggray.jpg", 227, 149},
                      SizeCase{"rgb24.bmp", 127, 64}, SizeCase{"pal8topdown.bmp", 127, 64},
                      SizeCase{"pal8os2.bmp", 127, 64}, SizeCase{"rgb32bf.bmp", 127, 64},
                      SizeCase{"pal4rle.bmp", 127, 64}, SizeCase{"welcome2.gif", 290, 48},
                      SizeCase{"fire.gif", 30, 60}, SizeCase{"solid2.gif", 640, 400},
                      SizeCase{"testimgint1_2.ppm", 0, 0}, SizeCase{"missing.jpg", 0, 0}));

class GetImageSizeOfMadeFiles : public ::testing::Test {
protected:
    QSize sizeOf(const QByteArray& bytes, const char* name = "made.bin") {
        const QString path = home.path() + "/" + name;
        writeAll(path, bytes);
        return functions.GetImageSize(path);
    }
    TempHome home;
    ScriptedPrompts prompts;
    TIEFunctions functions{prompts};
};

TEST_F(GetImageSizeOfMadeFiles, KnowsFormatsByContentNotByName) {
    const QString png = home.path() + "/picture.jpg";
    ASSERT_TRUE(QImage(40, 30, QImage::Format_RGB32).save(png, "PNG"));
    EXPECT_EQ(functions.GetImageSize(png), QSize(0, 0));
    EXPECT_EQ(sizeOf(readAll(dataFile("testorig.jpg")), "photo.gif"), QSize(227, 149));
    EXPECT_EQ(sizeOf(QByteArray()), QSize(0, 0));
}

TEST_F(GetImageSizeOfMadeFiles, EveryTruncationOfARealHeaderFailsCleanly) {
    for (const char* name : {"testorig.jpg", "rgb24.bmp", "welcome2.gif", "pal8os2.bmp"}) {
        const QByteArray whole = readAll(dataFile(name));
        const QSize full = functions.GetImageSize(dataFile(name));
        for (int length = 0; length < std::min<int>(whole.size(), 700); ++length) {
            const QSize size = sizeOf(whole.left(length));
            EXPECT_TRUE(size == QSize(0, 0) || size == full) << name << " cut at " << length;
        }
    }
}

TEST_F(GetImageSizeOfMadeFiles, HostileJpegSegmentsEndTheWalkWithoutASize) {
    const QByteArray soi("\xFF\xD8", 2);
    // A segment length pointing far beyond the end, a zero length, a scan before any frame.
    EXPECT_EQ(sizeOf(soi + QByteArray("\xFF\xE1\xFF\xFF", 4) + QByteArray(100, 'x')), QSize(0, 0));
    EXPECT_EQ(sizeOf(soi + QByteArray("\xFF\xE0\x00\x00", 4)), QSize(0, 0));
    EXPECT_EQ(sizeOf(soi + QByteArray("\xFF\xDA\x00\x08", 4) + QByteArray(8, '\0')), QSize(0, 0));
    // Fill bytes before a frame header are allowed; a zero width is not a size.
    const QByteArray frame("\xFF\xFF\xFF\xC2\x00\x0B\x08\x01\x2C\x02\x58\x01\x01\x11\x00", 15);
    EXPECT_EQ(sizeOf(soi + frame), QSize(600, 300));
    QByteArray zeroWidth = frame;
    zeroWidth[9] = 0;
    zeroWidth[10] = 0;
    EXPECT_EQ(sizeOf(soi + zeroWidth), QSize(0, 0));
}

TEST_F(GetImageSizeOfMadeFiles, BmpHeightSignAndBadDibHeaders) {
    QByteArray bmp = readAll(dataFile("rgb24.bmp"));
    ASSERT_GT(bmp.size(), 30);
    QByteArray badHeader = bmp;
    badHeader[14] = 8; // a DIB header size no bitmap has
    EXPECT_EQ(sizeOf(badHeader), QSize(0, 0));
    QByteArray negativeWidth = bmp;
    negativeWidth[21] = char(0xFF);
    EXPECT_EQ(sizeOf(negativeWidth), QSize(0, 0));
}

} // namespace

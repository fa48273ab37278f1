#include "ImageTestSupport.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "wallpaper/JpegLoader.h"
#include "wallpaper/TIEFunctions.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <random>

namespace {

class LoadFixture : public ::testing::Test {
protected:
    LoadFixture() {
        functions.OnErrorLog = [this](const QString& text) { log << text; };
    }
    QString path(const QString& name) const { return home.path() + "/" + name; }
    // A smooth photo-like picture, saved by Qt under the given name.
    QString makeJpeg(const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, width, height);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(image.rect(), gradient);
        painter.end();
        EXPECT_TRUE(image.save(path(name), "JPEG", 90));
        return path(name);
    }

    TempHome home;
    ScriptedPrompts prompts;
    TIEFunctions functions{prompts};
    QStringList log;
};

struct DivisorCase {
    int width, height, targetWidth, targetHeight, divisor;
};

class ScaleDivisor : public ::testing::TestWithParam<DivisorCase> {};

TEST_P(ScaleDivisor, IsTheLargestThatStillCoversTheTarget) {
    const DivisorCase& c = GetParam();
    EXPECT_EQ(JpegScaleDivisor(c.width, c.height, c.targetWidth, c.targetHeight), c.divisor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaleDivisor,
    ::testing::Values(DivisorCase{4000, 3000, 1024, 768, 2}, DivisorCase{4000, 3000, 500, 375, 8},
                      DivisorCase{4000, 3000, 501, 375, 4}, DivisorCase{4000, 3000, 1000, 750, 4},
                      DivisorCase{4000, 3000, 2000, 1500, 2}, DivisorCase{4000, 3000, 2001, 2, 1},
                      DivisorCase{227, 149, 2, 2, 8}));

struct ReferenceCase {
    int targetWidth, targetHeight;
    const char* reference;
    int tolerance;
};

class SizedDecode : public LoadFixture, public ::testing::WithParamInterface<ReferenceCase> {};

// The reference files are libjpeg-turbo's own decodes of testorig.jpg at 1/N
// scale; shrinking a full decode afterwards would not reproduce them.
TEST_P(SizedDecode, MatchesTheDecoderScaledReference) {
    QImage bitmap;
    ASSERT_TRUE(functions.LoadImageFile(bitmap, dataFile("testorig.jpg"), GetParam().targetWidth,
                                        GetParam().targetHeight));
    const QImage reference(dataFile(GetParam().reference));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    ASSERT_EQ(bitmap.size(), reference.size());
    EXPECT_LE(maxDifference(bitmap, reference), GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Scales, SizedDecode,
                         ::testing::Values(ReferenceCase{2, 2, "testimgint1_8.ppm", 0},
                                           ReferenceCase{50, 30, "testimgint1_4.ppm", 0},
                                           ReferenceCase{100, 60, "testimgint1_2.ppm", 0},
                                           ReferenceCase{200, 60, "testorig.ppm", 3},
                                           ReferenceCase{-1, -1, "testorig.ppm", 3},
                                           ReferenceCase{0, 0, "testorig.ppm", 3},
                                           ReferenceCase{1, 1000, "testorig.ppm", 3}));

TEST_F(LoadFixture, ALargePhotoForAScreenDecodesAtHalfSize) {
    const QString photo = makeJpeg("photo.jpg", 4000, 3000);
    QImage bitmap;
    ASSERT_TRUE(functions.LoadImageFile(bitmap, photo, 1024, 768));
    EXPECT_EQ(bitmap.size(), QSize(2000, 1500));
    ASSERT_TRUE(functions.LoadImageFile(bitmap, photo, -1, -1));
    EXPECT_EQ(bitmap.size(), QSize(4000, 3000));
}

TEST_F(LoadFixture, EveryJpegExtensionInAnyCaseTakesTheSizedLoad) {
    const QByteArray bytes = readAll(dataFile("testorig.jpg"));
    for (const char* name : {"a.JPG", "b.jpeg", "c.Jpe"}) {
        ASSERT_TRUE(writeAll(path(name), bytes));
        QImage bitmap;
        ASSERT_TRUE(functions.LoadImageFile(bitmap, path(name), 50, 30)) << name;
        EXPECT_EQ(bitmap.size(), QSize(57, 38)) << name;
    }
}

TEST_F(LoadFixture, OtherFormatsLoadInFullEvenWithATargetSize) {
    for (const char* name : {"rgb24.bmp", "welcome2.gif"}) {
        QImage bitmap;
        ASSERT_TRUE(functions.LoadImageFile(bitmap, dataFile(name), 4, 4)) << name;
        EXPECT_EQ(bitmap.size(), functions.GetImageSize(dataFile(name))) << name;
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    }
}

// 16-bit channels widen to 8 bits with slightly different rounding, and the
// references disagree with each other on RLE4, so that one is left out here.
TEST_F(LoadFixture, BmpSuiteVariantsMatchImageMagick) {
    for (const char* name :
         {"rgb24.bmp", "pal8topdown.bmp", "pal8os2.bmp", "rgb32bf.bmp", "rgb16-565.bmp"}) {
        const QString reference = path(QString(name) + ".ppm");
        ASSERT_TRUE(runConvert({dataFile(name), reference}));
        QImage bitmap;
        ASSERT_TRUE(functions.LoadImageFile(bitmap, dataFile(name), -1, -1)) << name;
        EXPECT_GE(psnr(bitmap, QImage(reference)), 35.0) << name;
    }
}

TEST_F(LoadFixture, AnAnimatedGifGivesItsFirstFrameAndTransparencyShowsWhite) {
    for (const char* name : {"fire.gif", "welcome2.gif", "x-trans.gif"}) {
        const QString reference = path(QString(name) + ".ppm");
        ASSERT_TRUE(
            runConvert({dataFile(name) + "[0]", "-background", "white", "-flatten", reference}));
        QImage bitmap;
        ASSERT_TRUE(functions.LoadImageFile(bitmap, dataFile(name), 0, 0)) << name;
        EXPECT_EQ(maxDifference(bitmap, QImage(reference)), 0) << name;
    }
    const QString second = path("fire-1.ppm");
    ASSERT_TRUE(
        runConvert({dataFile("fire.gif") + "[1]", "-background", "white", "-flatten", second}));
    QImage first;
    ASSERT_TRUE(functions.LoadImageFile(first, dataFile("fire.gif"), 0, 0));
    EXPECT_GT(maxDifference(first, QImage(second)), 0);
}

TEST_F(LoadFixture, PngTexturesLoadWithTransparentPixelsWhite) {
    QImage png(8, 6, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    png.setPixel(1, 1, qRgb(200, 10, 20));
    ASSERT_TRUE(png.save(path("texture.png")));
    QImage bitmap;
    ASSERT_TRUE(functions.LoadImageFile(bitmap, path("texture.png"), 0, 0));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(200, 10, 20));
}

TEST_F(LoadFixture, AnExifOrientationIsNeverApplied) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path("plain.jpg"), "JPEG"));
    // An Exif segment saying "turn by 90 degrees" right after the start marker.
    const QByteArray exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0",
                          32);
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(0)).append(char(exif.size() + 2)).append(exif);
    ASSERT_TRUE(writeAll(path("turned.jpg"), readAll(path("plain.jpg")).insert(2, segment)));
    QImageReader check(path("turned.jpg"));
    check.setAutoTransform(true);
    ASSERT_EQ(check.read().size(), QSize(40, 60)) << "the file carries no orientation";
    QImage bitmap;
    ASSERT_TRUE(functions.LoadImageFile(bitmap, path("turned.jpg"), 10, 10));
    EXPECT_EQ(bitmap.size(), QSize(15, 10));
    ASSERT_TRUE(functions.LoadImageFile(bitmap, path("turned.jpg"), -1, -1));
    EXPECT_EQ(bitmap.size(), QSize(60, 40));
}

TEST_F(LoadFixture, APictureOnePixelWideOrHighNeverLoads) {
    QImage thin(1, 50, QImage::Format_RGB32);
    thin.fill(Qt::blue);
    ASSERT_TRUE(thin.save(path("thin.jpg"), "JPEG"));
    ASSERT_TRUE(thin.transformed(QTransform().rotate(90)).save(path("flat.bmp"), "BMP"));
    QImage bitmap;
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("thin.jpg"), 10, 10));
    EXPECT_EQ(log, QStringList{"Invalid loaded image"});
    log.clear();
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("thin.jpg"), -1, -1));
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("flat.bmp"), 0, 0));
    EXPECT_EQ(log, (QStringList{"Unknown Extension", "Unknown Extension"}));
}

TEST_F(LoadFixture, FilesAreReadByTheirExtension) {
    ASSERT_TRUE(writeAll(path("picture.tif"), readAll(dataFile("rgb24.bmp"))));
    ASSERT_TRUE(writeAll(path("picture.bmp"), readAll(dataFile("testorig.jpg"))));
    QImage bitmap;
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("picture.tif"), -1, -1));
    EXPECT_EQ(log.last(), "Unknown Extension");
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("picture.bmp"), -1, -1));
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("missing.jpg"), 100, 100));
    EXPECT_FALSE(functions.LoadImageFile(bitmap, path("missing.gif"), -1, -1));
}

TEST_F(LoadFixture, TruncatedFilesFailToLoad) {
    for (const char* name : {"testorig.jpg", "testimgp.jpg", "testimgari.jpg", "rgb24.bmp",
                             "pal4rle.bmp", "x-trans.gif", "treescap-interlaced.gif"}) {
        const QByteArray whole = readAll(dataFile(name));
        const QString cut = path(QString("cut.") + QFileInfo(name).suffix());
        for (qsizetype length = 0; length + 3 < whole.size(); length += 211) {
            ASSERT_TRUE(writeAll(cut, whole.left(length)));
            QImage bitmap;
            EXPECT_FALSE(functions.LoadImageFile(bitmap, cut, -1, -1)) << name << " " << length;
            EXPECT_FALSE(functions.LoadImageFile(bitmap, cut, 20, 20)) << name << " " << length;
        }
    }
}

TEST_F(LoadFixture, CorruptedJpegsNeverCrash) {
    std::mt19937 random(7);
    for (const char* name : {"testorig.jpg", "testimgp.jpg"}) {
        const QByteArray whole = readAll(dataFile(name));
        for (int round = 0; round < 150; ++round) {
            QByteArray damaged = whole;
            for (int flips = 0; flips < 1 + round % 8; ++flips)
                damaged[random() % damaged.size()] = char(random());
            ASSERT_TRUE(writeAll(path("damaged.jpg"), damaged));
            QImage bitmap;
            if (functions.LoadImageFile(bitmap, path("damaged.jpg"), round % 2 ? 30 : -1, 20)) {
                EXPECT_TRUE(bitmap.width() >= 2 && bitmap.height() >= 2);
            }
        }
    }
}

class PixelCap : public LoadFixture {
protected:
    // Checks that a file whose header claims a huge picture is refused as too large.
    void expectRefused(const QString& file, int targetWidth, int targetHeight) {
        log.clear();
        QImage bitmap;
        EXPECT_FALSE(functions.LoadImageFile(bitmap, file, targetWidth, targetHeight)) << file;
        EXPECT_TRUE(log.join('|').contains("too large")) << log.join('|').toStdString();
    }
};

TEST_F(PixelCap, JpegHeadersBeyondTheCapAreRefusedBeforeDecoding) {
    QByteArray jpeg = readAll(dataFile("testorig.jpg"));
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(10001, jpeg.data() + frame + 5);
    qToBigEndian<quint16>(10001, jpeg.data() + frame + 7);
    ASSERT_TRUE(writeAll(path("huge.jpg"), jpeg));
    ASSERT_EQ(functions.GetImageSize(path("huge.jpg")), QSize(10001, 10001));
    expectRefused(path("huge.jpg"), -1, -1);
    expectRefused(path("huge.jpg"), 1920, 1080);
}

TEST_F(PixelCap, BmpAndGifHeadersBeyondTheCapAreRefused) {
    QByteArray bmp = readAll(dataFile("rgb24.bmp"));
    qToLittleEndian<qint32>(20000, bmp.data() + 18);
    qToLittleEndian<qint32>(10000, bmp.data() + 22);
    ASSERT_TRUE(writeAll(path("huge.bmp"), bmp));
    expectRefused(path("huge.bmp"), -1, -1);
    QByteArray gif = readAll(dataFile("solid2.gif"));
    qToLittleEndian<quint16>(60000, gif.data() + 6);
    qToLittleEndian<quint16>(60000, gif.data() + 8);
    ASSERT_TRUE(writeAll(path("huge.gif"), gif));
    expectRefused(path("huge.gif"), 0, 0);
}

} // namespace

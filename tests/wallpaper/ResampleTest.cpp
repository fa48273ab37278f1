#include "ImageTestSupport.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "wallpaper/TIEFunctions.h"

#include <sys/resource.h>

namespace {

struct FitCase {
    int imageWidth, imageHeight, boxWidth, boxHeight, width, height;
};

class FitSizeCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitSizeCases, OneSideMeetsTheBoxAndHalvesGoToEven) {
    const FitCase& c = GetParam();
    EXPECT_EQ(TIEFunctions::FitSize(c.imageWidth, c.imageHeight, c.boxWidth, c.boxHeight),
              QSize(c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitSizeCases,
    ::testing::Values(FitCase{1600, 1200, 1024, 768, 1024, 768},
                      FitCase{800, 600, 1280, 1024, 1280, 960},
                      FitCase{1280, 1024, 1024, 768, 960, 768}, FitCase{1000, 5, 500, 1000, 500, 2},
                      FitCase{3, 1, 1, 2, 1, 0}, FitCase{5, 1000, 1000, 500, 2, 500},
                      FitCase{4000, 3000, 1920, 1080, 1440, 1080}, FitCase{0, 600, 1024, 768, 0, 0},
                      FitCase{800, 0, 1024, 768, 0, 0}, FitCase{800, 600, 0, 768, 0, 0},
                      FitCase{800, 600, 1024, 0, 0, 0}));

class ResampleFixture : public ::testing::Test {
protected:
    ResampleFixture() {
        functions.OnErrorLog = [this](const QString& text) { log << text; };
    }
    static QImage photo() {
        return QImage(dataFile("testorig.ppm")).convertToFormat(QImage::Format_RGB32);
    }
    static QImage filled(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, (x * y) & 255));
        return image;
    }
    // ImageMagick's resize of the same picture to an exact size with the given filter.
    QImage reference(const QImage& source, int width, int height, const char* filter) {
        const QString in = home.path() + "/in.ppm", out = home.path() + "/out.ppm";
        EXPECT_TRUE(source.save(in));
        EXPECT_TRUE(runConvert(
            {in, "-filter", filter, "-resize", QString("%1x%2!").arg(width).arg(height), out}));
        return QImage(out);
    }

    TempHome home;
    ScriptedPrompts prompts;
    TIEFunctions functions{prompts};
    QStringList log;
};

struct FilterCase {
    int width, height, quality;
    const char* filter;
    double minimumPsnr;
};

class FilterAgainstImageMagick : public ResampleFixture,
                                 public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterAgainstImageMagick, MatchesAnIndependentResize) {
    const FilterCase& c = GetParam();
    QImage bitmap = photo();
    const QImage expected = reference(bitmap, c.width, c.height, c.filter);
    ASSERT_TRUE(functions.ResampleBitmap(bitmap, c.width, c.height, c.quality));
    ASSERT_EQ(bitmap.size(), QSize(c.width, c.height));
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_GE(psnr(bitmap, expected), c.minimumPsnr);
}

INSTANTIATE_TEST_SUITE_P(Filters, FilterAgainstImageMagick,
                         ::testing::Values(FilterCase{100, 66, 2, "Lanczos", 40.0},
                                           FilterCase{61, 37, 2, "Lanczos", 40.0},
                                           FilterCase{500, 320, 2, "Lanczos", 40.0},
                                           FilterCase{227, 80, 2, "Lanczos", 40.0},
                                           FilterCase{100, 149, 2, "Lanczos", 40.0},
                                           FilterCase{100, 66, 1, "Triangle", 40.0},
                                           FilterCase{500, 320, 1, "Triangle", 40.0}));

TEST_F(ResampleFixture, LanczosIsSharperThanTheLinearFilter) {
    QImage lanczos = photo(), linear = photo();
    const QImage expected = reference(photo(), 90, 59, "Lanczos");
    ASSERT_TRUE(functions.ResampleBitmap(lanczos, 90, 59, 2));
    ASSERT_TRUE(functions.ResampleBitmap(linear, 90, 59, 1));
    EXPECT_GT(psnr(lanczos, expected), psnr(linear, expected) + 3.0);
}

TEST_F(ResampleFixture, AFlatColourStaysExact) {
    QImage bitmap(301, 199, QImage::Format_RGB32);
    bitmap.fill(qRgb(17, 130, 250));
    for (const QSize size : {QSize(97, 61), QSize(640, 480), QSize(301, 50)}) {
        QImage copy = bitmap;
        ASSERT_TRUE(functions.ResampleBitmap(copy, size.width(), size.height(), 2));
        QImage flat(size, QImage::Format_RGB32);
        flat.fill(qRgb(17, 130, 250));
        EXPECT_EQ(maxDifference(copy, flat), 0);
    }
}

TEST_F(ResampleFixture, SmallTargetsAndOtherQualitiesTakeWholeSourcePixels) {
    const QImage source = filled(40, 30);
    for (const auto& [width, height, quality] : {std::tuple{4, 20, 2}, std::tuple{20, 3, 1},
                                                 std::tuple{17, 13, 0}, std::tuple{80, 60, 7}}) {
        QImage bitmap = source;
        ASSERT_TRUE(functions.ResampleBitmap(bitmap, width, height, quality));
        ASSERT_EQ(bitmap.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(bitmap.pixel(x, y),
                          source.pixel(int((x + 0.5) * 40 / width), int((y + 0.5) * 30 / height)))
                    << width << "x" << height << " at " << x << "," << y;
    }
}

TEST_F(ResampleFixture, TheSameOrAZeroSizeLeavesTheBitmapAlone) {
    QImage bitmap = filled(64, 48);
    const qint64 key = bitmap.cacheKey();
    EXPECT_TRUE(functions.ResampleBitmap(bitmap, 64, 48, 2));
    EXPECT_TRUE(functions.ResampleBitmap(bitmap, 0, 10, 2));
    EXPECT_TRUE(functions.ResampleBitmap(bitmap, 10, 0, 1));
    EXPECT_EQ(bitmap.cacheKey(), key);
    EXPECT_FALSE(functions.ResampleBitmap(bitmap, -5, 10, 2));
    EXPECT_FALSE(functions.ResampleBitmap(bitmap, 20000, 20000, 2));
    EXPECT_EQ(bitmap.cacheKey(), key);
}

// With too little memory for the filter's intermediate picture, the resize is
// repeated without a filter and still succeeds.
TEST_F(ResampleFixture, AFailedFilteredResizeIsRetriedWithoutAFilter) {
    QImage bitmap(6000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        std::fill(row, row + bitmap.width(), y % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(statm, nullptr);
    ASSERT_EQ(std::fscanf(statm, "%ld %ld", &pages, &resident), 2);
    std::fclose(statm);
    // Room for the 137 MB result but not for it and the intermediate picture.
    const rlim_t room = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (200u << 20);
    rlimit tight{room, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    const bool resized = functions.ResampleBitmap(bitmap, 5990, 5990, 2);
    setrlimit(RLIMIT_AS, &old);
    EXPECT_TRUE(resized);
    EXPECT_EQ(bitmap.size(), QSize(5990, 5990));
    // Unfiltered, so every row is still pure black or pure white.
    for (int y = 0; y < 40; ++y)
        EXPECT_TRUE(bitmap.pixel(7, y) == qRgb(0, 0, 0) ||
                    bitmap.pixel(7, y) == qRgb(255, 255, 255));
}

struct FitBitmapCase {
    int width, height;
    bool enlarge;
    int resultWidth, resultHeight;
};

class FitBitmapCases : public ResampleFixture,
                       public ::testing::WithParamInterface<FitBitmapCase> {};

TEST_P(FitBitmapCases, ShrinksLargerPicturesAndEnlargesOnlyWhenAsked) {
    const FitBitmapCase& c = GetParam();
    QImage bitmap = filled(c.width, c.height);
    const qint64 key = bitmap.cacheKey();
    ASSERT_TRUE(functions.FitBitmap(bitmap, 1024, 768, c.enlarge, 2));
    EXPECT_EQ(bitmap.size(), QSize(c.resultWidth, c.resultHeight));
    EXPECT_EQ(bitmap.cacheKey() == key, bitmap.size() == QSize(c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(Cases, FitBitmapCases,
                         ::testing::Values(FitBitmapCase{800, 600, false, 800, 600},
                                           FitBitmapCase{800, 600, true, 1024, 768},
                                           FitBitmapCase{1000, 10, false, 1024, 10},
                                           FitBitmapCase{1024, 768, true, 1024, 768},
                                           FitBitmapCase{1600, 1200, false, 1024, 768},
                                           FitBitmapCase{2000, 500, false, 1024, 256}));

} // namespace

#include "wallpaper/WallpaperComposer.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/TIEFunctions.h"
#include "wallpaper/X11RootWallpaper.h"

#include "FileSizeLimit.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "XRootWindow.h"
#include "XvfbServer.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>

namespace {

using S = WallpaperStyle;

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Red = 0x0000FF; // red in the lowest byte
constexpr TColor Blue = 0xFF0000;

struct DesktopCall {
    QString file;
    bool tile;
};

// The main window as composition sees it; records what reaches the desktop.
class FakeHost : public WallpaperHost {
public:
    WallpaperStyle ChosenWallpaperStyle() const override { return style; }
    int BackgroundStyle() const override { return backgroundStyle; }
    TColor BackgroundColor1() const override { return colour1; }
    TColor BackgroundColor2() const override { return colour2; }
    QString BackgroundFilename() const override { return texture; }
    QSize ScreenSize() const override { return screen; }
    void SetNewWallpaperSet() override { newWallpaperSet = true; }
    TIEFunctions& IEFunc() override { return images; }
    void SetDesktopWallpaper(const QString& file, bool tile) override {
        calls.push_back({file, tile});
        if (desktop)
            desktop(file, tile);
    }

    WallpaperStyle style = S::Center;
    int backgroundStyle = 0;
    TColor colour1 = Black;
    TColor colour2 = White;
    QString texture;
    QSize screen{1024, 768};
    bool newWallpaperSet = false;
    ScriptedPrompts prompts;
    TIEFunctions images{prompts};
    std::vector<DesktopCall> calls;
    std::function<void(const QString&, bool)> desktop;
};

class WallpaperComposerTest : public ::testing::Test {
protected:
    QString composed() const { return WallpaperComposer::ComposedWallpaperFileName(); }

    // A picture file of one colour; GIFs are made by ImageMagick, as Qt writes none.
    QString picture(const QString& name, QSize size, QColor colour) {
        const QString path = home.path() + "/" + name;
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        if (name.endsWith(".gif")) {
            const QString bmp = path + ".bmp";
            EXPECT_TRUE(image.save(bmp, "BMP"));
            EXPECT_EQ(QProcess::execute("/usr/bin/convert", {bmp, path}), 0);
        } else {
            EXPECT_TRUE(image.save(path, nullptr, 95));
        }
        return path;
    }

    QImage result() const { return QImage(composed()).convertToFormat(QImage::Format_RGB32); }

    void compose(const QString& file, bool newPicture = true) {
        composer.SetImageAsWP(file, newPicture);
    }

    TempHome home;
    FakeHost host;
    WallpaperComposer composer{host};
};

bool IsGreen(QRgb p) {
    return qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60;
}
bool IsBlue(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60;
}

// The smallest rectangle holding every pixel of the picture's colour.
QRect Found(const QImage& image, bool (*matches)(QRgb)) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (matches(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

int BmpBitCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(32);
    if (header.size() < 32 || !header.startsWith("BM"))
        return -1;
    return quint8(header[28]) | (quint8(header[29]) << 8);
}

QByteArray Digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

TEST_F(WallpaperComposerTest, TheComposedFileLivesInThePerUserWindowsFolder) {
    EXPECT_EQ(composed(), home.dataHome() + "/Vorlix/Windows/DGLS_WP.bmp");
}

struct PlainCase {
    const char* name;
    WallpaperStyle style;
    QSize picture;
    const char* file;
    QSize expected;
    bool tile;
};

class PlainStyleTest : public WallpaperComposerTest,
                       public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainStyleTest, ThePictureItselfBecomesTheFileAtItsFittedSize) {
    const PlainCase& c = GetParam();
    host.style = c.style;
    compose(picture(c.file, c.picture, Qt::green));
    EXPECT_EQ(QImageReader(composed()).size(), c.expected);
    EXPECT_EQ(BmpBitCount(composed()), 24);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].file, composed());
    EXPECT_EQ(host.calls[0].tile, c.tile);
    EXPECT_TRUE(host.newWallpaperSet);
    EXPECT_TRUE(host.prompts.shown().isEmpty());
}

const PlainCase PlainCases[] = {
    {"CentreKeepsASmallerPicture", S::Center, {800, 600}, "a.jpg", {800, 600}, false},
    {"StretchFillsTheScreen", S::Stretch, {800, 600}, "a.jpg", {1024, 768}, false},
    {"StretchKeepsTheAspect", S::Stretch, {1000, 500}, "a.jpg", {1024, 512}, false},
    {"CentreShrinksALargerPicture", S::Center, {1600, 1200}, "a.bmp", {1024, 768}, false},
    {"CentreShrinksAWidePicture", S::Center, {2048, 600}, "a.bmp", {1024, 300}, false},
    {"RandomIsCentreWithoutBackground", S::Random, {800, 600}, "a.gif", {800, 600}, false},
    {"TileIsCentreButTiled", S::Tile, {800, 600}, "a.gif", {800, 600}, true},
};

INSTANTIATE_TEST_SUITE_P(WithoutBackground, PlainStyleTest, ::testing::ValuesIn(PlainCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BackgroundCase {
    const char* name;
    WallpaperStyle style;
    QSize picture;
    const char* file;
    QRect placed;
    bool tile;
};

class BackgroundStyleTest : public WallpaperComposerTest,
                            public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(BackgroundStyleTest, ThePictureIsDrawnOnAScreenSizedGradient) {
    const BackgroundCase& c = GetParam();
    host.style = c.style;
    host.backgroundStyle = 1;
    host.colour1 = Red;
    host.colour2 = Blue;
    compose(picture(c.file, c.picture, Qt::green));
    const QImage image = result();
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_EQ(BmpBitCount(composed()), 24);
    EXPECT_EQ(Found(image, IsGreen), c.placed);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].tile, c.tile);
    EXPECT_TRUE(host.newWallpaperSet);
}

const BackgroundCase BackgroundCases[] = {
    {"CentreLargePictureCoversAll", S::Center, {1600, 1200}, "a.jpg", {0, 0, 1024, 768}, false},
    {"CentreSmallPictureInTheMiddle", S::Center, {400, 300}, "a.jpg", {312, 234, 400, 300}, false},
    {"CentreOddSizesTruncate", S::Center, {401, 301}, "a.bmp", {311, 233, 401, 301}, false},
    {"StretchFitsThePicture", S::Stretch, {200, 100}, "a.gif", {0, 128, 1024, 512}, false},
    {"TileComposesAsCentre", S::Tile, {400, 300}, "a.bmp", {312, 234, 400, 300}, true},
    {"RandomFirstDrawsOnTheBackground", S::Random, {400, 300}, "a.bmp", {0, 14, 400, 300}, false},
};

INSTANTIATE_TEST_SUITE_P(WithGradient, BackgroundStyleTest, ::testing::ValuesIn(BackgroundCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WallpaperComposerTest, GradientRunsRowByRowFromTheFirstColourToTheSecond) {
    host.backgroundStyle = 1;
    host.colour1 = Red;
    host.colour2 = Blue;
    compose(picture("a.bmp", {400, 300}, Qt::green));
    const QImage image = result();
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1023, 767), qRgb(0, 0, 255));
    int previousBlue = -1;
    for (int y = 0; y < 768; ++y) {
        const QRgb left = image.pixel(0, y);
        EXPECT_EQ(image.pixel(1023, y), left) << y;
        if (y < 234 || y >= 534) {
            EXPECT_EQ(image.pixel(500, y), left) << y;
        }
        EXPECT_EQ(qGreen(left), 0);
        EXPECT_EQ(qRed(left) + qBlue(left), 255) << y;
        EXPECT_GE(qBlue(left), previousBlue) << y;
        previousBlue = qBlue(left);
    }
    EXPECT_NEAR(qBlue(image.pixel(0, 384)), 128, 2);
}

TEST_F(WallpaperComposerTest, TextureIsTiledFromTheTopLeftUnderThePicture) {
    QImage texture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            texture.setPixel(x, y, qRgb(x * 3, 100 + y, 255 - x));
    host.texture = home.path() + "/texture.png";
    ASSERT_TRUE(texture.save(host.texture));
    host.backgroundStyle = 2;
    compose(picture("a.bmp", {400, 300}, Qt::green));
    const QImage image = result();
    ASSERT_EQ(image.size(), QSize(1024, 768));
    const QRect placed(312, 234, 400, 300);
    int wrong = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (image.pixel(x, y) !=
                (placed.contains(x, y) ? qRgb(0, 255, 0) : texture.pixel(x % 64, y % 48)))
                ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST_F(WallpaperComposerTest, TextureThatCannotBeReadLeavesTheCanvasWhite) {
    host.backgroundStyle = 2;
    host.texture = home.path() + "/missing.png";
    compose(picture("a.bmp", {400, 300}, Qt::green));
    const QImage image = result();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1023, 767), qRgb(255, 255, 255));
    EXPECT_EQ(Found(image, IsGreen), QRect(312, 234, 400, 300));
    EXPECT_TRUE(host.newWallpaperSet);
}

TEST_F(WallpaperComposerTest, TextureStyleWithoutAFilePaintsTheGradient) {
    host.backgroundStyle = 2;
    host.colour1 = Red;
    host.colour2 = Blue;
    compose(picture("a.bmp", {400, 300}, Qt::green));
    const QImage image = result();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 767), qRgb(0, 0, 255));
}

TEST_F(WallpaperComposerTest, RandomStylePilesPicturesIntoACollage) {
    host.style = S::Random;
    host.backgroundStyle = 1;
    host.colour1 = Red;
    host.colour2 = Red;
    compose(picture("first.bmp", {400, 300}, Qt::green));
    EXPECT_EQ(Found(result(), IsGreen), QRect(0, 14, 400, 300));

    // The next picture lands on the file just written, at the next two draws.
    compose(picture("second.jpg", {300, 200}, Qt::blue));
    const QImage image = result();
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_EQ(Found(image, IsGreen), QRect(0, 14, 400, 300));
    EXPECT_EQ(Found(image, IsBlue), QRect(623, 115, 300, 200));
    EXPECT_EQ(image.pixel(1000, 700), qRgb(255, 0, 0));
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(WallpaperComposerTest, OtherStylesStartAfreshAndDoNotDrawPositions) {
    host.backgroundStyle = 1;
    host.style = S::Random;
    compose(picture("first.bmp", {400, 300}, Qt::green));
    // Random without a background is the centre style: no collage, no draw.
    host.backgroundStyle = 0;
    compose(picture("second.bmp", {300, 200}, Qt::blue));
    EXPECT_EQ(QImageReader(composed()).size(), QSize(300, 200));
    host.backgroundStyle = 1;
    host.style = S::Center;
    compose(picture("third.bmp", {300, 200}, Qt::blue));
    EXPECT_EQ(Found(result(), IsGreen), QRect());
    // The centre file is the new collage's canvas; the draws go on from the second.
    host.style = S::Random;
    compose(picture("fourth.bmp", {400, 300}, Qt::green));
    EXPECT_EQ(Found(result(), IsGreen), QRect(537, 94, 400, 300));
}

TEST_F(WallpaperComposerTest, AfterTheScreenGrewTheCollageKeepsTheSmallerFile) {
    host.style = S::Random;
    host.backgroundStyle = 1;
    host.screen = {800, 600};
    compose(picture("first.bmp", {400, 300}, Qt::green));
    ASSERT_EQ(QImageReader(composed()).size(), QSize(800, 600));
    host.screen = {1024, 768};
    // Larger than the old canvas: negative ranges, drawn clipped over all of it.
    compose(picture("second.bmp", {900, 700}, Qt::blue));
    const QImage image = result();
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(Found(image, IsBlue), QRect(0, 0, 800, 600));
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(WallpaperComposerTest, EmptyFileNameDoesNothing) {
    compose("");
    EXPECT_FALSE(QFile::exists(composed()));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(host.newWallpaperSet);
}

TEST_F(WallpaperComposerTest, AnOldPictureSetsTheWallpaperWithoutTheNewFlag) {
    compose(picture("a.bmp", {300, 200}, Qt::green), false);
    EXPECT_EQ(host.calls.size(), 1u);
    EXPECT_FALSE(host.newWallpaperSet);
}

TEST_F(WallpaperComposerTest, UnreadablePictureWarnsOnlyWithoutBackgroundAndKeepsTheOldFile) {
    compose(picture("good.bmp", {300, 200}, Qt::green));
    const QByteArray before = Digest(composed());
    host.calls.clear();
    host.newWallpaperSet = false;
    const QString broken = home.path() + "/broken.jpg";
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF\xE0 truncated");
    }
    for (const int background : {0, 1}) {
        host.prompts.clear();
        host.backgroundStyle = background;
        compose(broken);
        EXPECT_TRUE(host.calls.empty());
        EXPECT_FALSE(host.newWallpaperSet);
        EXPECT_EQ(Digest(composed()), before);
        EXPECT_FALSE(QFile::exists(composed().chopped(4) + ".new.bmp"));
        const QStringList warnings{"An error was encountered while converting the image, " +
                                   broken + "!"};
        EXPECT_EQ(host.prompts.texts(), background == 0 ? warnings : QStringList());
    }
}

TEST_F(WallpaperComposerTest, ADesktopThatRefusesIsSwallowedAndNotCountedAsSet) {
    host.desktop = [](const QString&, bool) { throw EDesktopWallpaperError("no desktop"); };
    EXPECT_NO_THROW(compose(picture("a.bmp", {300, 200}, Qt::green)));
    EXPECT_EQ(host.calls.size(), 1u);
    EXPECT_FALSE(host.newWallpaperSet);
    EXPECT_TRUE(QFile::exists(composed()));
}

TEST_F(WallpaperComposerTest, ABrokenComposedFileStopsTheCollageUntilAnotherStyle) {
    host.style = S::Random;
    host.backgroundStyle = 1;
    {
        QFile file(composed());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a bitmap");
    }
    const QString green = picture("a.bmp", {300, 200}, Qt::green);
    compose(green);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(host.newWallpaperSet);
    host.style = S::Center;
    compose(green);
    EXPECT_EQ(QImageReader(composed()).size(), QSize(1024, 768));
    EXPECT_TRUE(host.newWallpaperSet);
}

TEST_F(WallpaperComposerTest, AFullDiskKeepsThePreviousWallpaperWhole) {
    host.backgroundStyle = 1;
    compose(picture("a.bmp", {300, 200}, Qt::green));
    const QByteArray before = Digest(composed());
    const QString next = picture("b.bmp", {300, 200}, Qt::blue);
    host.calls.clear();
    host.newWallpaperSet = false;
    {
        FileSizeLimit limit(100000);
        compose(next);
    }
    EXPECT_EQ(Digest(composed()), before);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(host.newWallpaperSet);
}

TEST_F(WallpaperComposerTest, TiledCompositionReachesTheRealX11RootWindow) {
    if (!XvfbServer::available())
        GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer server({640, 480});
    ASSERT_TRUE(server.started()) << server.error().toStdString();
    host.screen = {640, 480};
    host.style = S::Tile;
    host.desktop = [&](const QString& file, bool tile) {
        SetX11RootWallpaper(file, tile, server.display().toLocal8Bit());
    };
    QImage pattern(100, 80, QImage::Format_RGB32);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            pattern.setPixel(x, y, qRgb(x * 2, y * 3, 77));
    const QString file = home.path() + "/pattern.bmp";
    ASSERT_TRUE(pattern.save(file));
    compose(file);
    ASSERT_TRUE(host.newWallpaperSet);
    const QImage root = GrabRootWindow(server.display());
    ASSERT_EQ(root.size(), QSize(640, 480));
    int wrong = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (root.pixel(x, y) != pattern.pixel(x % 100, y % 80))
                ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(RootPixmapProperty(server.display(), "_XROOTPMAP_ID"));
}

TEST(WallpaperRandomTest, StartsAtZeroAndFollowsTheSequence) {
    WallpaperRandom random;
    EXPECT_EQ(random.State(), 0u);
    const int expected[] = {0, 31, 861, 202, 272, 671};
    for (const int value : expected)
        EXPECT_EQ(random.Draw(1000), value);
}

TEST(WallpaperRandomTest, ZeroAndNegativeRangesStayInTheirBoundsAndAdvance) {
    WallpaperRandom random;
    EXPECT_EQ(random.Draw(0), 0);
    EXPECT_EQ(random.State(), 1u);
    EXPECT_EQ(random.Draw(0), 0);
    EXPECT_EQ(random.State(), 134775814u);
    for (int i = 0; i < 1000; ++i) {
        const int value = random.Draw(-100);
        EXPECT_LE(value, 0);
        EXPECT_GT(value, -100);
    }
    WallpaperRandom wide;
    wide.Draw(1);
    EXPECT_LT(wide.Draw(0x7FFFFFFF), 0x7FFFFFFF);
}

} // namespace

#include "wallpaper/X11RootWallpaper.h"
#include "wallpaper/DesktopWallpaper.h"

#include "ScopedVariable.h"
#include "TempHome.h"
#include "XRootWindow.h"
#include "XvfbServer.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// A picture whose every pixel tells where it came from.
QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + 3 * y) % 256));
    return image;
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Counts root pixels that differ from the expected picture: the source
// pixel for (x, y), or black where there is none.
template <typename Source> int Mismatches(const QImage& root, Source source, int tolerance) {
    int bad = 0;
    for (int y = 0; y < root.height(); ++y)
        for (int x = 0; x < root.width(); ++x)
            if (!Near(root.pixel(x, y), source(x, y), tolerance))
                ++bad;
    return bad;
}

class X11RootWallpaperTest : public ::testing::Test {
protected:
    void start(QSize size = {640, 480}, int depth = 24) {
        if (!XvfbServer::available())
            GTEST_SKIP() << "Xvfb is not installed";
        server = std::make_unique<XvfbServer>(size, depth);
        ASSERT_TRUE(server->started()) << server->error().toStdString();
    }
    QString save(const QImage& image, const QString& name) {
        const QString path = home.path() + "/" + name;
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    void set(const QString& file, bool tile) {
        SetX11RootWallpaper(file, tile, server->display().toLocal8Bit());
    }

    TempHome home;
    std::unique_ptr<XvfbServer> server;
};

TEST_F(X11RootWallpaperTest, CentredPictureSitsInTheMiddleOnBlack) {
    start();
    const QImage picture = Pattern(101, 61);
    set(save(picture, "DGLS_WP.bmp"), false);
    const QImage root = GrabRootWindow(server->display());
    ASSERT_EQ(root.size(), QSize(640, 480));
    const QRect placed(269, 209, 101, 61); // (640 - 101) / 2, (480 - 61) / 2
    EXPECT_EQ(Mismatches(
                  root,
                  [&](int x, int y) {
                      return placed.contains(x, y) ? picture.pixel(x - placed.x(), y - placed.y())
                                                   : qRgb(0, 0, 0);
                  },
                  0),
              0);
    const auto published = RootPixmapProperty(server->display(), "_XROOTPMAP_ID");
    ASSERT_TRUE(published);
    EXPECT_EQ(RootPixmapProperty(server->display(), "ESETROOT_PMAP_ID"), published);
    EXPECT_TRUE(PixmapExists(server->display(), *published));
}

TEST_F(X11RootWallpaperTest, TiledPictureRepeatsFromTheTopLeftCorner) {
    start();
    const QImage picture = Pattern(100, 70);
    set(save(picture, "DGLS_WP.bmp"), true);
    const QImage root = GrabRootWindow(server->display());
    EXPECT_EQ(Mismatches(
                  root, [&](int x, int y) { return picture.pixel(x % 100, y % 70); }, 0),
              0);
}

TEST_F(X11RootWallpaperTest, APictureLargerThanTheScreenIsCutEvenlyWhenCentred) {
    start();
    const QImage picture = Pattern(700, 500);
    set(save(picture, "DGLS_WP.bmp"), false);
    const QImage root = GrabRootWindow(server->display());
    EXPECT_EQ(Mismatches(
                  root, [&](int x, int y) { return picture.pixel(x + 30, y + 10); }, 0),
              0);
}

TEST_F(X11RootWallpaperTest, SixteenBitServerGetsTheNearestColours) {
    start({320, 200}, 16);
    const QImage picture = Pattern(64, 40);
    set(save(picture, "DGLS_WP.bmp"), true);
    const QImage root = GrabRootWindow(server->display());
    EXPECT_EQ(Mismatches(
                  root, [&](int x, int y) { return picture.pixel(x % 64, y % 40); }, 8),
              0);
}

TEST_F(X11RootWallpaperTest, ANewWallpaperFreesThePixmapThePreviousOneLeftBehind) {
    start();
    set(save(Pattern(50, 50), "first.bmp"), false);
    const auto first = RootPixmapProperty(server->display(), "_XROOTPMAP_ID");
    ASSERT_TRUE(first);
    set(save(Pattern(60, 60), "second.bmp"), true);
    const auto second = RootPixmapProperty(server->display(), "_XROOTPMAP_ID");
    ASSERT_TRUE(second);
    EXPECT_NE(*first, *second);
    EXPECT_FALSE(PixmapExists(server->display(), *first));
    EXPECT_TRUE(PixmapExists(server->display(), *second));
}

TEST_F(X11RootWallpaperTest, SetDesktopWallpaperOnABareXServerPaintsTheRoot) {
    start();
    server->exportDisplay();
    ScopedVariable desktop("XDG_CURRENT_DESKTOP", std::nullopt);
    ScopedVariable session("DESKTOP_SESSION", std::nullopt);
    ScopedVariable sway("SWAYSOCK", std::nullopt);
    ScopedVariable forced("DAYGLASS_WALLPAPER_BACKEND", std::nullopt);
    const QImage picture = Pattern(40, 30);
    SetDesktopWallpaper(save(picture, "DGLS_WP.bmp"), true);
    const QImage root = GrabRootWindow(server->display());
    EXPECT_EQ(Mismatches(
                  root, [&](int x, int y) { return picture.pixel(x % 40, y % 30); }, 0),
              0);
}

TEST_F(X11RootWallpaperTest, FailuresRaise) {
    start();
    EXPECT_THROW(set(home.path() + "/missing.bmp", false), EDesktopWallpaperError);
    const QString garbage = home.path() + "/garbage.bmp";
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM not really a bitmap");
    }
    EXPECT_THROW(set(garbage, false), EDesktopWallpaperError);
    const QString good = save(Pattern(10, 10), "good.bmp");
    EXPECT_THROW(SetX11RootWallpaper(good, false, ":4095"), EDesktopWallpaperError);
    EXPECT_FALSE(RootPixmapProperty(server->display(), "_XROOTPMAP_ID"));
}

} // namespace

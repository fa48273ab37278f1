#include "ImageTestSupport.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "wallpaper/TIEFunctions.h"

namespace {

class BackgroundFixture : public ::testing::Test {
protected:
    static QImage canvas(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    static bool rowIs(const QImage& image, int y, QRgb colour) {
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
        return true;
    }
    QString path(const QString& name) const { return home.path() + "/" + name; }

    TempHome home;
    ScriptedPrompts prompts;
    TIEFunctions functions{prompts};
};

TEST(TColorConversion, RedIsTheLowestByte) {
    EXPECT_EQ(TColorToRgb(0x00FF0000), qRgb(0, 0, 255));
    EXPECT_EQ(TColorToRgb(0x000000FF), qRgb(255, 0, 0));
    EXPECT_EQ(TColorToRgb(0x00123456), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(RgbToTColor(qRgb(0x56, 0x34, 0x12)), 0x00123456u);
}

TEST_F(BackgroundFixture, TheGradientRunsFromTheFirstColourOnTopToTheSecondAtTheBottom) {
    QImage bitmap = canvas(7, 256);
    functions.FillBackground(bitmap, true, 0x00000000, 0x00FFFFFF, QString());
    for (int y = 0; y < 256; ++y)
        EXPECT_TRUE(rowIs(bitmap, y, qRgb(y, y, y))) << "row " << y;

    QImage tall = canvas(3, 600);
    // Red on top (0x0000FF), blue at the bottom (0xFF0000).
    functions.FillBackground(tall, true, 0x000000FF, 0x00FF0000, "ignored.png");
    EXPECT_TRUE(rowIs(tall, 0, qRgb(255, 0, 0)));
    EXPECT_TRUE(rowIs(tall, 599, qRgb(0, 0, 255)));
    int previousRed = 256;
    for (int y = 0; y < 600; ++y) {
        const QRgb colour = tall.pixel(0, y);
        EXPECT_TRUE(rowIs(tall, y, colour));
        EXPECT_LE(qRed(colour), previousRed);
        EXPECT_EQ(qRed(colour) + qBlue(colour), 255) << "row " << y;
        EXPECT_EQ(qGreen(colour), 0);
        previousRed = qRed(colour);
    }
    EXPECT_EQ(tall.pixel(0, 300), qRgb(127, 0, 128));
}

TEST_F(BackgroundFixture, EqualColoursGiveASolidFillAndNoTextureNameMeansColours) {
    QImage bitmap = canvas(50, 40);
    functions.FillBackground(bitmap, false, 0x00336699, 0x00336699, QString());
    for (int y = 0; y < 40; ++y)
        EXPECT_TRUE(rowIs(bitmap, y, qRgb(0x99, 0x66, 0x33)));
    QImage single = canvas(5, 1);
    functions.FillBackground(single, true, 0x000000FF, 0x00FF0000, QString());
    EXPECT_TRUE(rowIs(single, 0, qRgb(255, 0, 0)));
}

TEST_F(BackgroundFixture, ATextureIsTiledFromTheTopLeftAndClipped) {
    QImage tile(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            tile.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    ASSERT_TRUE(tile.save(path("texture.png")));
    QImage bitmap = canvas(1024, 768);
    functions.FillBackground(bitmap, false, 0, 0x00FFFFFF, path("texture.png"));
    // 11 columns and 8 rows of copies, the last of each clipped.
    for (const QPoint p : {QPoint(0, 0), QPoint(99, 99), QPoint(100, 0), QPoint(1023, 767),
                           QPoint(1000, 700), QPoint(517, 333), QPoint(1023, 0), QPoint(0, 767)})
        EXPECT_EQ(bitmap.pixel(p), tile.pixel(p.x() % 100, p.y() % 100)) << p.x() << "," << p.y();
    for (int y = 0; y < 768; y += 37)
        for (int x = 0; x < 1024; x += 13)
            ASSERT_EQ(bitmap.pixel(x, y), tile.pixel(x % 100, y % 100));
}

TEST_F(BackgroundFixture, RealTextureFilesTile) {
    for (const char* name : {"rgb24.bmp", "x-trans.gif", "testorig.jpg"}) {
        QImage texture;
        ASSERT_TRUE(functions.LoadImageFile(texture, dataFile(name), 0, 0));
        QImage bitmap = canvas(300, 200);
        ASSERT_TRUE(functions.TileTextureFile(bitmap, dataFile(name))) << name;
        EXPECT_EQ(bitmap.pixel(texture.width() + 3, texture.height() + 1), texture.pixel(3, 1))
            << name;
    }
}

TEST_F(BackgroundFixture, AFailedTextureLeavesTheBitmapAsItWas) {
    QImage bitmap = canvas(64, 64);
    functions.FillBackground(bitmap, false, 0, 0x00FFFFFF, path("missing.png"));
    for (int y = 0; y < 64; ++y)
        EXPECT_TRUE(rowIs(bitmap, y, qRgb(255, 255, 255)));
    EXPECT_FALSE(functions.TileTextureFile(bitmap, path("missing.png")));
}

TEST_F(BackgroundFixture, TilingWithAnEmptyTileFails) {
    QImage bitmap = canvas(10, 10);
    EXPECT_FALSE(functions.TileBitmap(bitmap, QImage()));
    EXPECT_TRUE(rowIs(bitmap, 0, qRgb(255, 255, 255)));
    QImage tile(3, 2, QImage::Format_RGB32);
    tile.fill(Qt::black);
    EXPECT_TRUE(functions.TileBitmap(bitmap, tile));
    EXPECT_TRUE(rowIs(bitmap, 9, qRgb(0, 0, 0)));
}

} // namespace

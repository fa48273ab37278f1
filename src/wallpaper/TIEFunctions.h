#pragma once

#include "platform/Prompts.h"
#include "wallpaper/TColor.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// The image utility component: loading, fitting, resampling, saving and
// background painting of bitmaps. Every operation catches its own failures
// and reports success as its result. Bitmaps are QImages; each operation
// hands back Format_RGB32.
class TIEFunctions {
public:
    explicit TIEFunctions(Prompts& prompts);

    // Receives the text of each caught failure; unassigned in the program.
    std::function<void(const QString& error)> OnErrorLog;

    // Full-size width and height read from a JPEG, BMP or GIF header without
    // decoding; (0, 0) when unreadable or another format.
    QSize GetImageSize(const QString& fileName) const;

    // Replaces the bitmap with the picture in the file. With a target larger
    // than 1 x 1 a JPEG is decoded at 1/8, 1/4 or 1/2 scale while that still
    // covers the target; otherwise at full size. GIFs give their first frame.
    bool LoadImageFile(QImage& bitmap, const QString& fileName, int targetWidth, int targetHeight);

    // The size that fits the image into the box keeping its aspect ratio,
    // one side meeting the box; (0, 0) when any value is 0.
    static QSize FitSize(int imageWidth, int imageHeight, int boxWidth, int boxHeight);

    // Resizes the bitmap: quality 2 Lanczos-3, 1 fast linear, else no filter.
    bool ResampleBitmap(QImage& bitmap, int newWidth, int newHeight, int quality);

    // Fits the bitmap into the box; a smaller one is enlarged only when asked.
    bool FitBitmap(QImage& bitmap, int boxWidth, int boxHeight, bool enlarge, int quality);

    // Writes the bitmap as an uncompressed 24-bit Windows bitmap.
    bool SaveBitmapFile(const QImage& bitmap, const QString& fileName);

    // Loads the source, fits it into the box (when it is larger, or always
    // with stretch) and saves it as the destination.
    bool ConvertImageFile(const QString& source, const QString& destination, int boxWidth,
                          int boxHeight, bool stretch, bool showError);

    // Paints the vertical two-colour gradient (first colour on the top row,
    // second on the bottom row), or tiles the texture file.
    void FillBackground(QImage& bitmap, bool useColours, TColor colour1, TColor colour2,
                        const QString& textureFileName);

    // Tiles the picture in the texture file over the bitmap from its top-left.
    bool TileTextureFile(QImage& bitmap, const QString& textureFileName);

    // Draws the tile at its own size across and down the target, clipped.
    bool TileBitmap(QImage& target, const QImage& tile);

private:
    bool LoadSizedJpeg(QImage& bitmap, const QString& fileName, int targetWidth, int targetHeight);
    bool LoadPlain(QImage& bitmap, const QString& fileName);
    void LogError(const QString& text) const;

    Prompts& m_prompts;
};

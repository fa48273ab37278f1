#include "wallpaper/TIEFunctions.h"

#include "wallpaper/BitmapFile.h"
#include "wallpaper/ImageHeader.h"
#include "wallpaper/ImageIntegrity.h"
#include "wallpaper/ImageLimits.h"
#include "wallpaper/JpegLoader.h"
#include "wallpaper/Resampler.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <exception>

namespace {

QString extensionOf(const QString& fileName) {
    return QFileInfo(fileName).suffix().toLower();
}

bool isJpegFileName(const QString& fileName) {
    const QString ext = extensionOf(fileName);
    return ext == "jpg" || ext == "jpeg" || ext == "jpe";
}

// The formats Qt reads for us, by extension; others are refused.
QByteArray qtFormatFor(const QString& fileName) {
    const QString ext = extensionOf(fileName);
    if (ext == "bmp" || ext == "dib")
        return "bmp";
    if (ext == "gif" || ext == "png")
        return ext.toLatin1();
    return {};
}

// Transparent pixels of GIF and PNG pictures show white.
QImage toOpaqueRgb32(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    if (opaque.isNull())
        return opaque;
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

QImage readWithQt(const QString& fileName, const QByteArray& format, QString& error) {
    QImageReader reader(fileName, format);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(int((MaxImagePixels * 4) >> 20) + 1);
    const QSize header = ReadImageHeaderSize(fileName);
    const QSize size = header.isValid() ? header : reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxImagePixels) {
        error = QStringLiteral("Picture too large: %1 x %2 pixels")
                    .arg(size.width())
                    .arg(size.height());
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString();
        return {};
    }
    if (!ImageDataComplete(fileName, format)) {
        error = QStringLiteral("The file ends before its picture data");
        return {};
    }
    return toOpaqueRgb32(image);
}

bool atLeastTwoByTwo(const QImage& image) {
    return image.width() >= 2 && image.height() >= 2;
}

void makeRgb32(QImage& bitmap) {
    if (!bitmap.isNull() && bitmap.format() != QImage::Format_RGB32)
        bitmap = toOpaqueRgb32(bitmap);
}

qint64 fileSizeOf(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() ? info.size() : -1;
}

} // namespace

TIEFunctions::TIEFunctions(Prompts& prompts) : m_prompts(prompts) {}

void TIEFunctions::LogError(const QString& text) const {
    if (OnErrorLog)
        OnErrorLog(text);
}

QSize TIEFunctions::GetImageSize(const QString& fileName) const {
    const QSize size = ReadImageHeaderSize(fileName);
    return size.isValid() ? size : QSize(0, 0);
}

bool TIEFunctions::LoadImageFile(QImage& bitmap, const QString& fileName, int targetWidth,
                                 int targetHeight) {
    try {
        if (targetWidth > 1 && targetHeight > 1 && isJpegFileName(fileName))
            return LoadSizedJpeg(bitmap, fileName, targetWidth, targetHeight);
        return LoadPlain(bitmap, fileName);
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool TIEFunctions::LoadSizedJpeg(QImage& bitmap, const QString& fileName, int targetWidth,
                                 int targetHeight) {
    QString error;
    QImage image = LoadJpegFile(fileName, targetWidth, targetHeight, error);
    if (image.isNull()) {
        LogError(error);
        return false;
    }
    bitmap = std::move(image);
    if (!atLeastTwoByTwo(bitmap)) {
        LogError(QStringLiteral("Invalid loaded image"));
        return false;
    }
    return true;
}

bool TIEFunctions::LoadPlain(QImage& bitmap, const QString& fileName) {
    bitmap = QImage(1, 1, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QString error;
    QImage image;
    if (isJpegFileName(fileName)) {
        image = LoadJpegFile(fileName, 0, 0, error);
    } else if (const QByteArray format = qtFormatFor(fileName); !format.isEmpty()) {
        image = readWithQt(fileName, format, error);
    }
    if (!error.isEmpty())
        LogError(error);
    if (image.isNull() || !atLeastTwoByTwo(image)) {
        LogError(QStringLiteral("Unknown Extension"));
        return false;
    }
    bitmap = std::move(image);
    return true;
}

QSize TIEFunctions::FitSize(int imageWidth, int imageHeight, int boxWidth, int boxHeight) {
    if (imageWidth == 0 || imageHeight == 0 || boxWidth == 0 || boxHeight == 0)
        return {0, 0};
    const double scale = double(imageWidth) / boxWidth > double(imageHeight) / boxHeight
                             ? double(boxWidth) / imageWidth
                             : double(boxHeight) / imageHeight;
    // nearbyint rounds an exact half to the even neighbour.
    return {int(std::nearbyint(imageWidth * scale)), int(std::nearbyint(imageHeight * scale))};
}

bool TIEFunctions::ResampleBitmap(QImage& bitmap, int newWidth, int newHeight, int quality) {
    if (bitmap.width() == newWidth && bitmap.height() == newHeight)
        return true;
    if (newWidth == 0 || newHeight == 0)
        return true;
    if (newWidth < 0 || newHeight < 0 || qint64(newWidth) * newHeight > MaxImagePixels) {
        LogError(QStringLiteral("Invalid size %1 x %2").arg(newWidth).arg(newHeight));
        return false;
    }
    ResampleFilter filter = ResampleFilter::None;
    if (newWidth >= 5 && newHeight >= 5 && quality == 1)
        filter = ResampleFilter::FastLinear;
    else if (newWidth >= 5 && newHeight >= 5 && quality == 2)
        filter = ResampleFilter::Lanczos3;
    try {
        QImage resized;
        try {
            resized = ResampleImage(bitmap, newWidth, newHeight, filter);
        } catch (const std::exception& e) {
            LogError(QString::fromLocal8Bit(e.what()));
        }
        if (resized.isNull() && filter != ResampleFilter::None)
            resized = ResampleImage(bitmap, newWidth, newHeight, ResampleFilter::None);
        if (resized.isNull()) {
            LogError(QStringLiteral("Cannot resample to %1 x %2").arg(newWidth).arg(newHeight));
            return false;
        }
        bitmap = std::move(resized);
        return true;
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool TIEFunctions::FitBitmap(QImage& bitmap, int boxWidth, int boxHeight, bool enlarge,
                             int quality) {
    const QSize fit = FitSize(bitmap.width(), bitmap.height(), boxWidth, boxHeight);
    if (!enlarge && bitmap.width() < fit.width() && bitmap.height() < fit.height())
        return true;
    return ResampleBitmap(bitmap, fit.width(), fit.height(), quality);
}

bool TIEFunctions::SaveBitmapFile(const QImage& bitmap, const QString& fileName) {
    try {
        const QFileInfo info(fileName);
        if (info.exists() && (!info.isWritable() || !(info.permissions() & QFile::WriteOwner)) &&
            !QFile::setPermissions(fileName, info.permissions() | QFile::WriteOwner)) {
            m_prompts.message(
                PromptKind::Warning,
                QStringLiteral(
                    "An error was encountered resetting the read-only tag on the file, %1.  ")
                    .arg(info.fileName()));
        }
        QString error;
        if (extensionOf(fileName) != "bmp" || !WriteBitmapFile(bitmap, fileName, error)) {
            if (!error.isEmpty())
                LogError(error);
            LogError(QStringLiteral("Error saving to ") + fileName);
            return false;
        }
        if (fileSizeOf(fileName) <= 0) {
            LogError(QStringLiteral("Null file created when saving to ") + fileName);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool TIEFunctions::ConvertImageFile(const QString& source, const QString& destination, int boxWidth,
                                    int boxHeight, bool stretch, bool showError) {
    if (source == destination)
        return true;
    bool converted = false;
    try {
        QImage bitmap;
        if (LoadImageFile(bitmap, source, -1, -1)) {
            if (boxWidth > 0 && boxHeight > 0 &&
                (stretch || bitmap.width() > boxWidth || bitmap.height() > boxHeight))
                FitBitmap(bitmap, boxWidth, boxHeight, stretch, 2);
            converted = SaveBitmapFile(bitmap, destination);
        }
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()));
    }
    if (!converted && showError)
        m_prompts.message(
            PromptKind::Warning,
            QStringLiteral("An error was encountered while converting the image, %1!").arg(source));
    return converted;
}

void TIEFunctions::FillBackground(QImage& bitmap, bool useColours, TColor colour1, TColor colour2,
                                  const QString& textureFileName) {
    if (!useColours && !textureFileName.isEmpty()) {
        TileTextureFile(bitmap, textureFileName);
        return;
    }
    makeRgb32(bitmap);
    bitmap.fill(TColorToRgb(colour1));
    if (colour1 == colour2 || bitmap.height() < 2)
        return;
    const QRgb top = TColorToRgb(colour1);
    const QRgb bottom = TColorToRgb(colour2);
    const int last = bitmap.height() - 1;
    const auto mix = [last](int a, int b, int y) {
        return (a * (last - y) + b * y + last / 2) / last;
    };
    for (int y = 1; y <= last; ++y) {
        const QRgb colour =
            qRgb(mix(qRed(top), qRed(bottom), y), mix(qGreen(top), qGreen(bottom), y),
                 mix(qBlue(top), qBlue(bottom), y));
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        std::fill(row, row + bitmap.width(), colour);
    }
}

bool TIEFunctions::TileTextureFile(QImage& bitmap, const QString& textureFileName) {
    QImage texture;
    if (!LoadImageFile(texture, textureFileName, 0, 0))
        return false;
    return TileBitmap(bitmap, texture);
}

bool TIEFunctions::TileBitmap(QImage& target, const QImage& tile) {
    if (tile.isNull() || tile.width() == 0 || tile.height() == 0)
        return false;
    try {
        makeRgb32(target);
        const QImage source = tile.format() == QImage::Format_RGB32 ? tile : toOpaqueRgb32(tile);
        if (source.isNull())
            return false;
        for (int y = 0; y < target.height(); ++y) {
            const uchar* in = source.constScanLine(y % source.height());
            uchar* out = target.scanLine(y);
            for (int x = 0; x < target.width(); x += source.width())
                std::memcpy(out + qsizetype(x) * 4, in,
                            size_t(std::min(source.width(), target.width() - x)) * 4);
        }
        return true;
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

#include "wallpaper/WallpaperComposer.h"

#include "platform/Folders.h"
#include "wallpaper/TIEFunctions.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <stdexcept>

namespace {

// The new composition is written beside the old one and moved over it only
// when complete, so a failure never leaves the desktop without its picture.
QString PartialFileName(const QString& composed) {
    return composed.chopped(4) + QStringLiteral(".new.bmp");
}

bool ReplaceFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    return !error;
}

} // namespace

QString WallpaperComposer::ComposedWallpaperFileName() {
    return AddTrailingBackslash(GetWindowsFolder()) + QStringLiteral("DGLS_WP.bmp");
}

void WallpaperComposer::SetImageAsWP(const QString& fileName, bool newPicture) {
    if (fileName.isEmpty())
        return;
    const QString composed = ComposedWallpaperFileName();
    const QString partial = PartialFileName(composed);
    try {
        const WallpaperStyle style = m_host.ChosenWallpaperStyle();
        Compose(fileName, partial, composed, style);
        if (!ReplaceFile(partial, composed))
            throw std::runtime_error("Cannot replace the composed wallpaper");
        m_host.SetDesktopWallpaper(composed, style == WallpaperStyle::Tile);
        if (newPicture)
            m_host.SetNewWallpaperSet();
    } catch (...) {
        QFile::remove(partial);
    }
}

void WallpaperComposer::Compose(const QString& fileName, const QString& target,
                                const QString& composed, WallpaperStyle style) {
    TIEFunctions& images = m_host.IEFunc();
    const QSize screen = m_host.ScreenSize();
    const bool stretch = style == WallpaperStyle::Stretch;
    QFile::remove(target);

    if (m_host.BackgroundStyle() == 0) {
        if (!images.ConvertImageFile(fileName, target, screen.width(), screen.height(), stretch,
                                     true))
            throw std::runtime_error("Convert Error");
        return;
    }

    if (screen.isEmpty())
        throw std::runtime_error("No screen");
    QImage canvas(screen, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (style == WallpaperStyle::Random && QFile::exists(composed)) {
        if (!images.LoadImageFile(canvas, composed, -1, -1))
            throw std::runtime_error("Cannot read the composed wallpaper");
    } else {
        images.FillBackground(canvas, m_host.BackgroundStyle() == 1, m_host.BackgroundColor1(),
                              m_host.BackgroundColor2(), m_host.BackgroundFilename());
    }

    QImage picture;
    if (!images.LoadImageFile(picture, fileName, screen.width(), screen.height()))
        throw std::runtime_error("Er");
    images.FitBitmap(picture, screen.width(), screen.height(), stretch, 2);

    int x = 0;
    int y = 0;
    if (style == WallpaperStyle::Random) {
        x = m_random.Draw(canvas.width() - picture.width());
        y = m_random.Draw(canvas.height() - picture.height());
    } else {
        x = (canvas.width() - picture.width()) / 2;
        y = (canvas.height() - picture.height()) / 2;
    }
    {
        QPainter painter(&canvas);
        painter.drawImage(x, y, picture);
    }
    if (!images.SaveBitmapFile(canvas, target))
        throw std::runtime_error("Cannot write the composed wallpaper");
}

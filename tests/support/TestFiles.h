#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The whole file, or empty when it cannot be read.
inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes bytes as they stand, making the folder first; false when it cannot.
inline bool writeRaw(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Settings.dat as a save of the defaults writes it, with the image folder given.
inline QByteArray defaultSettingsText(const QString& imageFolder) {
    return "[Settings]\r\n"
           "BackgroundStyle=0\r\n"
           "BackgroundFilename=\r\n"
           "BackgroundColor1=clBlack\r\n"
           "BackgroundColor2=$00404040\r\n"
           "CheckTime=8\r\n"
           "CheckMethod=1\r\n"
           "DownloadFromAll=False\r\n"
           "OnlyFirstFile=True\r\n"
           "NoWallpaperChanging=False\r\n"
           "TrayIcon=True\r\n"
           "OnlyRecent=True\r\n"
           "KeepImage=50\r\n"
           "ActiveNetConnection=True\r\n"
           "SaveFolder=" +
           imageFolder.toUtf8() +
           "\r\n"
           "MinXSize=130\r\n"
           "MinYSize=130\r\n"
           "MinFileSize=12288\r\n"
           "StretchWP=False\r\n"
           "CenterWP=True\r\n"
           "TileWP=False\r\n"
           "RandomWP=False\r\n"
           "CurrentSite=-1\r\n";
}

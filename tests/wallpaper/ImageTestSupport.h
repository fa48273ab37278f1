#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}

inline QString dataFile(const char* name) {
    return QString(DAYGLASS_TEST_DATA) + "/wallpaper/" + name;
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Peak signal-to-noise ratio of two same-sized pictures over red, green and blue.
inline double psnr(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 0.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0.0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int d[3] = {qRed(p[col]) - qRed(q[col]), qGreen(p[col]) - qGreen(q[col]),
                              qBlue(p[col]) - qBlue(q[col])};
            sum += d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        }
    }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// The largest difference of any channel of any pixel.
inline int maxDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// Runs ImageMagick's convert; false when it is missing or fails.
inline bool runConvert(const QStringList& arguments) {
    QProcess process;
    process.start("/usr/bin/convert", arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

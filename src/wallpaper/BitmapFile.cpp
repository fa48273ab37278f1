#include "wallpaper/BitmapFile.h"

#include <QSaveFile>
#include <QtEndian>
#include <vector>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;

void put16(uchar* p, quint16 v) {
    qToLittleEndian(v, p);
}
void put32(uchar* p, quint32 v) {
    qToLittleEndian(v, p);
}

} // namespace

bool WriteBitmapFile(const QImage& image, const QString& fileName, QString& error) {
    if (image.isNull()) {
        error = QStringLiteral("No picture to save");
        return false;
    }
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    const qint64 rowBytes = (qint64(rgb.width()) * 3 + 3) & ~qint64(3);
    const qint64 pixelBytes = rowBytes * rgb.height();
    if (pixelBytes + FileHeaderSize + InfoHeaderSize > 0xFFFFFFFFll) {
        error = QStringLiteral("Picture too large for a bitmap file");
        return false;
    }
    uchar header[FileHeaderSize + InfoHeaderSize] = {};
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, quint32(pixelBytes + sizeof header));
    put32(header + 10, sizeof header);
    uchar* info = header + FileHeaderSize;
    put32(info, InfoHeaderSize);
    put32(info + 4, quint32(rgb.width()));
    put32(info + 8, quint32(rgb.height()));
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 20, quint32(pixelBytes));

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    bool ok = file.write(reinterpret_cast<const char*>(header), sizeof header) == sizeof header;
    std::vector<uchar> row(size_t(rowBytes), 0);
    for (int y = rgb.height() - 1; ok && y >= 0; --y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = row.data();
        for (int x = 0; x < rgb.width(); ++x, out += 3) {
            out[0] = uchar(qBlue(in[x]));
            out[1] = uchar(qGreen(in[x]));
            out[2] = uchar(qRed(in[x]));
        }
        ok = file.write(reinterpret_cast<const char*>(row.data()), rowBytes) == rowBytes;
    }
    if (!ok || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

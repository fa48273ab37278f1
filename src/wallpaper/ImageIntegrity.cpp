#include "wallpaper/ImageIntegrity.h"

#include <QFile>
#include <QtEndian>

namespace {

// Bounds-checked reading over a mapped file.
class Bytes {
public:
    Bytes(const uchar* data, qint64 size) : m_data(data), m_size(size) {}
    bool has(qint64 pos, qint64 count) const {
        return pos >= 0 && count >= 0 && pos <= m_size - count;
    }
    int at(qint64 pos) const { return m_data[pos]; }
    quint16 le16(qint64 pos) const { return qFromLittleEndian<quint16>(m_data + pos); }
    qint32 le32(qint64 pos) const { return qFromLittleEndian<qint32>(m_data + pos); }
    qint64 size() const { return m_size; }

private:
    const uchar* m_data;
    qint64 m_size;
};

// Walks RLE4/RLE8 codes: complete at the end-of-bitmap code, or once every row ended.
bool rleComplete(const Bytes& in, qint64 pos, int height, bool fourBit) {
    int rows = 0;
    while (in.has(pos, 2)) {
        const int count = in.at(pos), code = in.at(pos + 1);
        pos += 2;
        if (count > 0)
            continue;
        if (code == 0 && ++rows >= height)
            return true;
        if (code == 1)
            return true;
        if (code == 2)
            pos += 2;
        else if (code >= 3) {
            const qint64 bytes = fourBit ? (code + 1) / 2 : code;
            pos += (bytes + 1) & ~qint64(1);
        }
    }
    return false;
}

bool bmpComplete(const Bytes& in) {
    if (!in.has(0, 30))
        return false;
    const qint64 offset = quint32(in.le32(10));
    const qint32 headerSize = in.le32(14);
    qint64 width, height;
    int bits, compression = 0;
    if (headerSize == 12) {
        width = in.le16(18);
        height = in.le16(20);
        bits = in.le16(24);
    } else {
        if (!in.has(0, 34))
            return false;
        width = in.le32(18);
        height = qAbs(qint64(in.le32(22)));
        bits = in.le16(28);
        compression = in.le32(30);
    }
    if (compression == 1 || compression == 2)
        return rleComplete(in, offset, int(height), compression == 2);
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return in.has(offset, rowBytes * height);
}

// Skips data sub-blocks; returns the position after the terminator, or -1.
qint64 skipSubBlocks(const Bytes& in, qint64 pos) {
    while (in.has(pos, 1)) {
        const int length = in.at(pos);
        if (length == 0)
            return pos + 1;
        pos += 1 + length;
    }
    return -1;
}

qint64 colourTableBytes(int flags) {
    return (flags & 0x80) ? 3 * (qint64(2) << (flags & 7)) : 0;
}

bool gifComplete(const Bytes& in) {
    if (!in.has(0, 13))
        return false;
    qint64 pos = 13 + colourTableBytes(in.at(10));
    while (in.has(pos, 1)) {
        const int introducer = in.at(pos);
        if (introducer == 0x21) {
            pos = in.has(pos, 2) ? skipSubBlocks(in, pos + 2) : -1;
        } else if (introducer == 0x2C) {
            if (!in.has(pos, 11))
                return false;
            pos = skipSubBlocks(in, pos + 11 + colourTableBytes(in.at(pos + 9)));
            return pos > 0;
        } else {
            return false;
        }
        if (pos < 0)
            return false;
    }
    return false;
}

} // namespace

bool ImageDataComplete(const QString& fileName, const QByteArray& format) {
    if (format != "bmp" && format != "gif")
        return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return false;
    const uchar* data = file.map(0, file.size());
    if (!data)
        return false;
    const Bytes in(data, file.size());
    return format == "bmp" ? bmpComplete(in) : gifComplete(in);
}

#include "wallpaper/ImageHeader.h"

#include <QFile>
#include <array>
#include <cstdint>

namespace {

// Reads fixed-size pieces of a file at given offsets; a short read fails.
class HeaderReader {
public:
    explicit HeaderReader(const QString& fileName) : m_file(fileName) {
        m_open = m_file.open(QIODevice::ReadOnly);
    }
    bool isOpen() const { return m_open; }

    template <size_t N> bool read(qint64 offset, std::array<uint8_t, N>& out) {
        if (offset < 0 || offset > m_file.size() - qint64(N) || !m_file.seek(offset))
            return false;
        return m_file.read(reinterpret_cast<char*>(out.data()), N) == qint64(N);
    }

private:
    QFile m_file;
    bool m_open = false;
};

int le16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
int be16(const uint8_t* p) {
    return (p[0] << 8) | p[1];
}
int32_t le32(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                   (uint32_t(p[3]) << 24));
}

QSize validSize(qint64 width, qint64 height) {
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return {};
    return QSize(int(width), int(height));
}

bool isStartOfFrame(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

QSize jpegSize(HeaderReader& in) {
    qint64 pos = 2;
    // Each pass moves forward by at least one byte, so the walk ends at the end of the file.
    for (;;) {
        std::array<uint8_t, 2> marker{};
        if (!in.read(pos, marker) || marker[0] != 0xFF)
            return {};
        if (marker[1] == 0xFF) {
            ++pos;
            continue;
        }
        const uint8_t code = marker[1];
        pos += 2;
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7))
            continue;
        if (code == 0xD9 || code == 0xDA || code == 0xD8 || code == 0x00)
            return {};
        std::array<uint8_t, 2> length{};
        if (!in.read(pos, length) || be16(length.data()) < 2)
            return {};
        if (isStartOfFrame(code)) {
            std::array<uint8_t, 5> frame{};
            if (be16(length.data()) < 7 || !in.read(pos + 2, frame))
                return {};
            return validSize(be16(frame.data() + 3), be16(frame.data() + 1));
        }
        pos += be16(length.data());
    }
}

QSize bmpSize(HeaderReader& in) {
    std::array<uint8_t, 12> info{};
    if (!in.read(14, info))
        return {};
    const int32_t headerSize = le32(info.data());
    if (headerSize == 12)
        return validSize(le16(info.data() + 4), le16(info.data() + 6));
    if (headerSize < 16)
        return {};
    const qint64 height = le32(info.data() + 8);
    return validSize(le32(info.data() + 4), height < 0 ? -height : height);
}

} // namespace

QSize ReadImageHeaderSize(const QString& fileName) {
    HeaderReader in(fileName);
    std::array<uint8_t, 10> start{};
    if (!in.isOpen() || !in.read(0, start))
        return {};
    if (start[0] == 0xFF && start[1] == 0xD8)
        return jpegSize(in);
    if (start[0] == 'B' && start[1] == 'M')
        return bmpSize(in);
    if (start[0] == 'G' && start[1] == 'I' && start[2] == 'F' && start[3] == '8' &&
        (start[4] == '7' || start[4] == '9') && start[5] == 'a')
        return validSize(le16(start.data() + 6), le16(start.data() + 8));
    return {};
}

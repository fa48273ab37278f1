#include "wallpaper/JpegLoader.h"

#include "wallpaper/ImageLimits.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

namespace {

// Progressive files with more scans than this are hostile: each scan costs a
// full pass over the picture.
constexpr int MaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool truncated;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    manager->base.format_message(cinfo, manager->message);
    std::longjmp(manager->escape, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    // A file that ends early would otherwise decode with its missing part grey.
    if (level < 0 && manager->base.msg_code == JWRN_JPEG_EOF)
        manager->truncated = true;
}

void checkScans(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number <= MaxScans)
        return;
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(manager->message, sizeof manager->message, "More than %d scans", MaxScans);
    std::longjmp(manager->escape, 1);
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    std::vector<JSAMPLE> cmykRow;
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

void cmykToRgb32(const JSAMPLE* cmyk, uchar* out, int width, bool inverted) {
    auto* pixels = reinterpret_cast<QRgb*>(out);
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        pixels[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Everything between setjmp and the end lives in objects made before it, so
// the jump skips no destructor.
bool decode(Decompressor& d, FILE* file, int targetWidth, int targetHeight, QImage& image,
            QString& error) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    cinfo.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = errorExit;
    d.errors.base.emit_message = emitMessage;
    if (setjmp(d.errors.escape)) {
        error = QString::fromLatin1(d.errors.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = long(MaxDecodeBytes);
    d.progress.progress_monitor = checkScans;
    cinfo.progress = &d.progress;
    jpeg_stdio_src(&cinfo, file);
    jpeg_save_markers(&cinfo, JPEG_APP0 + 14, 16);
    jpeg_read_header(&cinfo, TRUE);

    if (qint64(cinfo.image_width) * cinfo.image_height > MaxImagePixels) {
        error = QStringLiteral("Picture too large: %1 x %2 pixels")
                    .arg(cinfo.image_width)
                    .arg(cinfo.image_height);
        return false;
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom =
        (targetWidth > 1 && targetHeight > 1)
            ? unsigned(JpegScaleDivisor(int(cinfo.image_width), int(cinfo.image_height),
                                        targetWidth, targetHeight))
            : 1;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    bool adobeInverted = false;
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 14 && marker->data_length >= 5 &&
            std::memcmp(marker->data, "Adobe", 5) == 0)
            adobeInverted = true;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
#else
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_XRGB;
#endif
    jpeg_start_decompress(&cinfo);

    image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        error = QStringLiteral("Out of memory");
        return false;
    }
    if (cmyk)
        d.cmykRow.resize(size_t(cinfo.output_width) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        JSAMPROW row = cmyk ? d.cmykRow.data() : image.scanLine(y);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break;
        if (cmyk)
            cmykToRgb32(d.cmykRow.data(), image.scanLine(y), image.width(), adobeInverted);
        if (d.errors.truncated)
            break;
    }
    if (d.errors.truncated || cinfo.output_scanline < cinfo.output_height) {
        error = QStringLiteral("Premature end of JPEG file");
        return false;
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

int JpegScaleDivisor(int storedWidth, int storedHeight, int targetWidth, int targetHeight) {
    for (int divisor : {8, 4, 2})
        if (storedWidth / divisor >= targetWidth && storedHeight / divisor >= targetHeight)
            return divisor;
    return 1;
}

QImage LoadJpegFile(const QString& fileName, int targetWidth, int targetHeight, QString& error) {
    std::unique_ptr<FILE, FileCloser> file(
        std::fopen(QFile::encodeName(fileName).constData(), "rb"));
    if (!file) {
        error = QStringLiteral("Cannot open ") + fileName;
        return {};
    }
    QImage image;
    auto decompressor = std::make_unique<Decompressor>();
    if (!decode(*decompressor, file.get(), targetWidth, targetHeight, image, error))
        return {};
    return image;
}

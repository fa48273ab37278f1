#include "wallpaper/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Weights are fixed-point with this many fraction bits; they fit int16 for
// the pairwise multiply-add, and each row of weights sums exactly to one.
constexpr int Precision = 14;
constexpr int One = 1 << Precision;
constexpr uint32_t OpaqueAlpha = 0xFF000000u;

double sinc(double x) {
    if (x == 0.0)
        return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double lanczos3(double x) {
    return std::abs(x) < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
}
double triangle(double x) {
    x = std::abs(x);
    return x < 1.0 ? 1.0 - x : 0.0;
}

// For every output position: the first input position and the weights of the
// input positions from there on.
struct WeightTable {
    std::vector<int> start;
    std::vector<int> count;
    std::vector<int16_t> weights;
    int stride = 0;
};

WeightTable makeWeights(int inSize, int outSize, ResampleFilter filter) {
    const double support1 = filter == ResampleFilter::Lanczos3 ? 3.0 : 1.0;
    const double scale = double(inSize) / outSize;
    const double filterScale = std::max(scale, 1.0);
    const double support = support1 * filterScale;
    WeightTable table;
    table.stride = int(std::ceil(support)) * 2 + 1;
    table.start.resize(size_t(outSize));
    table.count.resize(size_t(outSize));
    table.weights.assign(size_t(outSize) * size_t(table.stride), 0);
    std::vector<double> w(size_t(table.stride));
    for (int out = 0; out < outSize; ++out) {
        const double center = (out + 0.5) * scale;
        const int first = std::max(int(center - support + 0.5), 0);
        const int last = std::min(int(center + support + 0.5), inSize);
        const int n = std::min(last - first, table.stride);
        double total = 0.0;
        for (int i = 0; i < n; ++i) {
            const double x = (first + i - center + 0.5) / filterScale;
            w[size_t(i)] = filter == ResampleFilter::Lanczos3 ? lanczos3(x) : triangle(x);
            total += w[size_t(i)];
        }
        int16_t* q = &table.weights[size_t(out) * size_t(table.stride)];
        int sum = 0, largest = 0;
        for (int i = 0; i < n; ++i) {
            q[i] = int16_t(std::lround(w[size_t(i)] / (total != 0.0 ? total : 1.0) * One));
            sum += q[i];
            if (q[i] > q[largest])
                largest = i;
        }
        if (n > 0)
            q[largest] = int16_t(q[largest] + One - sum);
        table.start[size_t(out)] = first;
        table.count[size_t(out)] = n;
    }
    return table;
}

inline uint8_t clampToByte(int32_t v) {
    return uint8_t(std::clamp(v >> Precision, 0, 255));
}

#if defined(__SSE2__)

inline __m128i pairWeights(int16_t a, int16_t b) {
    return _mm_set1_epi32(int32_t(uint16_t(a)) | (int32_t(b) * 65536));
}

// Two neighbouring weights as one 32-bit lane, as madd wants them.
inline __m128i weightPair(const int16_t* w) {
    int32_t pair;
    std::memcpy(&pair, w, sizeof pair);
    return _mm_set1_epi32(pair);
}

// Two pixels widened to 16 bits, channels interleaved: b0 b1 g0 g1 r0 r1 x0 x1.
inline __m128i interleavePixels(__m128i twoPixels16) {
    return _mm_unpacklo_epi16(twoPixels16, _mm_srli_si128(twoPixels16, 8));
}

void resampleRowsHorizontally(const QImage& src, QImage& dst, const WeightTable& t) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i round = _mm_set1_epi32(One / 2);
    const int outWidth = dst.width();
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(y));
        auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(y));
        for (int x = 0; x < outWidth; ++x) {
            const uint32_t* p = in + t.start[size_t(x)];
            const int16_t* w = &t.weights[size_t(x) * size_t(t.stride)];
            const int n = t.count[size_t(x)];
            __m128i acc = round;
            int i = 0;
            for (; i + 3 < n; i += 4) {
                const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
                const __m128i lo = interleavePixels(_mm_unpacklo_epi8(px, zero));
                const __m128i hi = interleavePixels(_mm_unpackhi_epi8(px, zero));
                acc = _mm_add_epi32(acc, _mm_madd_epi16(lo, weightPair(w + i)));
                acc = _mm_add_epi32(acc, _mm_madd_epi16(hi, weightPair(w + i + 2)));
            }
            if (i + 1 < n) {
                const __m128i px = _mm_unpacklo_epi8(
                    _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + i)), zero);
                acc = _mm_add_epi32(acc, _mm_madd_epi16(interleavePixels(px), weightPair(w + i)));
                i += 2;
            }
            if (i < n) {
                const __m128i px = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(p[i])), zero);
                acc = _mm_add_epi32(
                    acc, _mm_madd_epi16(_mm_unpacklo_epi16(px, zero), pairWeights(w[i], 0)));
            }
            acc = _mm_srai_epi32(acc, Precision);
            acc = _mm_packs_epi32(acc, acc);
            out[x] = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(acc, acc))) | OpaqueAlpha;
        }
    }
}

// Adds two rows of four pixels, weighted by the pair ww, to the accumulators.
inline void accumulateRows(__m128i (&acc)[4], __m128i a, __m128i b, __m128i ww) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = _mm_unpacklo_epi8(a, b);
    const __m128i hi = _mm_unpackhi_epi8(a, b);
    acc[0] = _mm_add_epi32(acc[0], _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), ww));
    acc[1] = _mm_add_epi32(acc[1], _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), ww));
    acc[2] = _mm_add_epi32(acc[2], _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), ww));
    acc[3] = _mm_add_epi32(acc[3], _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), ww));
}

void resampleColumns(const QImage& src, QImage& dst, const WeightTable& t) {
    const __m128i round = _mm_set1_epi32(One / 2);
    const __m128i alpha = _mm_set1_epi32(int(OpaqueAlpha));
    const int width = dst.width();
    const qsizetype stride = src.bytesPerLine();
    for (int y = 0; y < dst.height(); ++y) {
        const uchar* first = src.constScanLine(t.start[size_t(y)]);
        const int16_t* w = &t.weights[size_t(y) * size_t(t.stride)];
        const int n = t.count[size_t(y)];
        auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(y));
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            __m128i acc[4] = {round, round, round, round};
            const uchar* p = first + qsizetype(x) * 4;
            int i = 0;
            for (; i + 1 < n; i += 2, p += 2 * stride)
                accumulateRows(acc, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + stride)),
                               weightPair(w + i));
            if (i < n)
                accumulateRows(acc, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                               _mm_setzero_si128(), pairWeights(w[i], 0));
            const __m128i low = _mm_packs_epi32(_mm_srai_epi32(acc[0], Precision),
                                                _mm_srai_epi32(acc[1], Precision));
            const __m128i high = _mm_packs_epi32(_mm_srai_epi32(acc[2], Precision),
                                                 _mm_srai_epi32(acc[3], Precision));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                             _mm_or_si128(_mm_packus_epi16(low, high), alpha));
        }
        for (; x < width; ++x) {
            int32_t acc[3] = {One / 2, One / 2, One / 2};
            const uchar* p = first + qsizetype(x) * 4;
            for (int i = 0; i < n; ++i, p += stride)
                for (int c = 0; c < 3; ++c)
                    acc[c] += w[i] * p[c];
            out[x] = uint32_t(clampToByte(acc[0])) | (uint32_t(clampToByte(acc[1])) << 8) |
                     (uint32_t(clampToByte(acc[2])) << 16) | OpaqueAlpha;
        }
    }
}

#else

void resampleRowsHorizontally(const QImage& src, QImage& dst, const WeightTable& t) {
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = 0; x < dst.width(); ++x) {
            const QRgb* p = in + t.start[size_t(x)];
            const int16_t* w = &t.weights[size_t(x) * size_t(t.stride)];
            int32_t r = One / 2, g = One / 2, b = One / 2;
            for (int i = 0; i < t.count[size_t(x)]; ++i) {
                r += w[i] * qRed(p[i]);
                g += w[i] * qGreen(p[i]);
                b += w[i] * qBlue(p[i]);
            }
            out[x] = qRgb(clampToByte(r), clampToByte(g), clampToByte(b));
        }
    }
}

void resampleColumns(const QImage& src, QImage& dst, const WeightTable& t) {
    for (int y = 0; y < dst.height(); ++y) {
        const int16_t* w = &t.weights[size_t(y) * size_t(t.stride)];
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = 0; x < dst.width(); ++x) {
            int32_t r = One / 2, g = One / 2, b = One / 2;
            for (int i = 0; i < t.count[size_t(y)]; ++i) {
                const QRgb p =
                    reinterpret_cast<const QRgb*>(src.constScanLine(t.start[size_t(y)] + i))[x];
                r += w[i] * qRed(p);
                g += w[i] * qGreen(p);
                b += w[i] * qBlue(p);
            }
            out[x] = qRgb(clampToByte(r), clampToByte(g), clampToByte(b));
        }
    }
}

#endif

QImage resampleNearest(const QImage& src, int width, int height) {
    QImage dst(width, height, QImage::Format_RGB32);
    if (dst.isNull())
        return dst;
    std::vector<int> column(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        column[size_t(x)] = int((int64_t(x) * 2 + 1) * src.width() / (int64_t(width) * 2));
    for (int y = 0; y < height; ++y) {
        const int sy = int((int64_t(y) * 2 + 1) * src.height() / (int64_t(height) * 2));
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = in[column[size_t(x)]] | OpaqueAlpha;
    }
    return dst;
}

QImage horizontalPass(const QImage& src, int width, ResampleFilter filter) {
    QImage dst(width, src.height(), QImage::Format_RGB32);
    if (!dst.isNull())
        resampleRowsHorizontally(src, dst, makeWeights(src.width(), width, filter));
    return dst;
}

QImage verticalPass(const QImage& src, int height, ResampleFilter filter) {
    QImage dst(src.width(), height, QImage::Format_RGB32);
    if (!dst.isNull())
        resampleColumns(src, dst, makeWeights(src.height(), height, filter));
    return dst;
}

double taps(int inSize, int outSize, ResampleFilter filter) {
    const double support = filter == ResampleFilter::Lanczos3 ? 3.0 : 1.0;
    return 2.0 * support * std::max(1.0, double(inSize) / outSize);
}

} // namespace

QImage ResampleImage(const QImage& source, int width, int height, ResampleFilter filter) {
    if (width <= 0 || height <= 0 || source.isNull())
        return {};
    const QImage src = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    if (filter == ResampleFilter::None)
        return resampleNearest(src, width, height);
    const bool sameWidth = width == src.width();
    const bool sameHeight = height == src.height();
    if (sameWidth && sameHeight)
        return src.copy();
    if (sameWidth)
        return verticalPass(src, height, filter);
    if (sameHeight)
        return horizontalPass(src, width, filter);
    // Pick the order that does less work; a row-pass output costs about three
    // times a column-pass output per tap, since columns share their weights.
    const double rowCost = 3.0 * taps(src.width(), width, filter);
    const double columnCost = taps(src.height(), height, filter);
    const double rowsFirst =
        double(src.height()) * width * rowCost + double(height) * width * columnCost;
    const double columnsFirst =
        double(height) * src.width() * columnCost + double(height) * width * rowCost;
    if (rowsFirst <= columnsFirst) {
        const QImage middle = horizontalPass(src, width, filter);
        return middle.isNull() ? middle : verticalPass(middle, height, filter);
    }
    const QImage middle = verticalPass(src, height, filter);
    return middle.isNull() ? middle : horizontalPass(middle, width, filter);
}

#pragma once

#include <QImage>

enum class ResampleFilter { None, FastLinear, Lanczos3 };

// A separable resize of a Format_RGB32 image: Lanczos with three lobes, a
// triangle ("fast linear") filter, or nearest pixels without a filter. The
// kernels widen when shrinking, so a reduction is antialiased. Returns a null
// image when memory runs out or a size is not positive.
QImage ResampleImage(const QImage& source, int width, int height, ResampleFilter filter);

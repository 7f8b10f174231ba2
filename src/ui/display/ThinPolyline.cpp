#include "ui/display/ThinPolyline.h"

#include "ui/widgets/Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Raster {
    QRgb colour;
    uchar* bits;
    qsizetype stride;
    long long width;
    long long height;

    void Plot(long long x, long long y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
    }

    // Steps t = 0 ... n-1 along the longer axis; the other coordinate is rounded to the
    // nearest pixel, a tie toward the end of the segment. Only the steps whose major
    // coordinate lies inside the image are taken.
    void Segment(QPoint a, QPoint b) const {
        const long long dx = b.x() - a.x();
        const long long dy = b.y() - a.y();
        const bool steep = std::llabs(dy) > std::llabs(dx);
        const long long n = std::max(std::llabs(dx), std::llabs(dy));
        if (n == 0) return;
        const long long start = steep ? a.y() : a.x();
        const long long step = (steep ? dy : dx) > 0 ? 1 : -1;
        const long long size = steep ? height : width;
        // Range of t with 0 <= start + t * step < size.
        long long first = 0;
        long long end = n;
        if (step > 0) {
            first = std::max(first, -start);
            end = std::min(end, size - start);
        } else {
            first = std::max(first, start - (size - 1));
            end = std::min(end, start + 1);
        }
        const long long minorStart = steep ? a.x() : a.y();
        const long long minorDelta = steep ? dx : dy;
        const long long sign = minorDelta < 0 ? -1 : 1;
        // The offset t * |delta| / n rounded, halves away from zero (toward the end),
        // kept as a quotient and a remainder of (2 t |delta| + n) / 2n.
        const long long twice = 2 * std::llabs(minorDelta);
        const long long denominator = 2 * n;
        long long numerator = first * twice + n;
        long long offset = numerator / denominator;
        long long remainder = numerator % denominator;
        for (long long t = first; t < end; ++t) {
            const long long major = start + t * step;
            const long long minor = minorStart + sign * offset;
            if (steep) {
                Plot(minor, major);
            } else {
                Plot(major, minor);
            }
            remainder += twice;
            if (remainder >= denominator) {  // |delta| <= n: at most one carry
                remainder -= denominator;
                ++offset;
            }
        }
    }
};

}  // namespace

void DrawThinPolyline(QImage& image, const std::vector<QPoint>& points, std::uint32_t bgr) {
    if (points.size() < 2 || image.isNull()) return;
    const Raster raster{QColorOfBgr(bgr).rgb(), image.bits(), image.bytesPerLine(), image.width(), image.height()};
    for (std::size_t i = 1; i < points.size(); ++i) raster.Segment(points[i - 1], points[i]);
}

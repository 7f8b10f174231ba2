#include "ui/display/Mywave.h"

#include "ui/display/ColumnReduction.h"
#include "ui/display/ThinPolyline.h"
#include "ui/widgets/TickLabel.h"

#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {


QString Label(float value) { return QString::fromStdString(TickLabel(value)); }

// Truncation of an extended-precision pixel position. Extended arithmetic and its
// conversion to an integer are slow on every sample of a trace, so the double
// estimate decides whenever it lies clearly inside a pixel; only a value within a
// hair of a whole number (or out of range) is worked out exactly.
template <typename Exact>
int TruncPixelFast(double estimate, Exact exact) {
    if (estimate > -1e6 && estimate < 1e6) {
        const auto whole = static_cast<long long>(estimate);
        const double fraction = std::fabs(estimate - static_cast<double>(whole));
        if (fraction > 1e-6 && fraction < 1.0 - 1e-6) return static_cast<int>(whole);
    }
    return TruncPixel(exact());
}

}  // namespace

TMyWave::TMyWave(QWidget* parent) : ImageControl(400, 200, parent) {
    setMouseTracking(true);
}

TMyWave::~TMyWave() = default;




int TMyWave::PixelY(float value) const {
    const double estimate = OriginY - static_cast<double>(value) / VValueY * UnitLenY;
    return TruncPixelFast(estimate, [&] {
        return static_cast<long double>(OriginY) -
               static_cast<long double>(value) / VValueY * static_cast<long double>(UnitLenY);
    });
}

void TMyWave::_round_number(float value, char* text) {
    const std::string label = TickLabel(value);
    std::memcpy(text, label.c_str(), std::min<std::size_t>(label.size() + 1, 13));
    text[12] = '\0';
}


void TMyWave::DrawScale() {
    Canvas& c = canvas();
    const int ax = UnitLenX * NGridX;
    const int ay = UnitLenY * NGridY;
    const auto line = [&c](int x1, int y1, int x2, int y2) {
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    c.pen.width = 2;
    line(OriginX, OriginY, OriginX + ax, OriginY);
    line(OriginX, OriginY, OriginX, OriginY - ay);
    if (!PlusOnly) line(OriginX, OriginY, OriginX, OriginY + ay);
    for (int i = 1; i <= NGridX; ++i) {
        const int x = OriginX + i * UnitLenX;
        line(x, OriginY - 5, x, OriginY + 5);
        const QString text = Label(static_cast<float>(i * VValueX + SValueX));
        c.TextOut(x - c.TextWidth(text) / 2, OriginY + 5, text);
    }
    const auto yTick = [&](int y, float value) {
        line(OriginX, y, OriginX + 5, y);
        const QString text = Label(value);
        c.TextOut(OriginX - c.TextWidth(text) - 5, y - c.TextHeight(text) / 2, text);
    };
    for (int i = 1; i <= NGridY; ++i) yTick(OriginY - i * UnitLenY, static_cast<float>(i * VValueY + SValueY));
    if (!PlusOnly)
        for (int i = 1; i <= NGridY; ++i) yTick(OriginY + i * UnitLenY, static_cast<float>(-SValueY - i * VValueY));
    c.pen.width = 1;
    if (SubX != 0) {
        const int d = UnitLenX / SubX;
        for (int i = 0; i < NGridX; ++i)
            for (int j = 1; j < SubX; ++j) {
                const int x = OriginX + i * UnitLenX + j * d;
                line(x, OriginY - 3, x, OriginY + 3);
            }
    }
    if (SubY != 0) {
        const int d = UnitLenY / SubY;
        for (int i = 0; i < NGridY; ++i)
            for (int j = 1; j < SubY; ++j) {
                const int up = OriginY - i * UnitLenY - j * d;
                line(OriginX, up, OriginX + 3, up);
                if (PlusOnly) continue;
                const int down = OriginY + i * UnitLenY + j * d;
                line(OriginX, down, OriginX + 3, down);
            }
    }
    const int spaceHeight = c.TextHeight(QStringLiteral(" "));
    c.TextOut(OriginX + 3, OriginY + 5, QString::fromStdString(GeneralText(SValueX)));
    const QString originY = QString::fromStdString(GeneralText(SValueY));
    c.TextOut(OriginX - 5 - c.TextWidth(originY), OriginY - spaceHeight / 2, originY);
    const int titleY = PlusOnly ? OriginY + spaceHeight + 10 : OriginY + ay - spaceHeight;
    c.TextOut(OriginX + ax / 2 - c.TextWidth(Title) / 2, titleY, Title);
    c.TextOut(OriginX + ax - c.TextWidth(UnitX) / 2, OriginY + spaceHeight + 10, UnitX);
    c.TextOut(OriginX - c.TextWidth(UnitY) - 5, OriginY - ay - spaceHeight - 5, UnitY);
    update();
}

void TMyWave::DrawWave1(int count, const float* samples, float dt) {
    Canvas& c = canvas();
    const int ax = UnitLenX * NGridX;
    // Estimates by multiplication; the exact extended forms settle the close cases.
    const double pixelsPerSample = static_cast<double>(dt) / VValueX * UnitLenX;
    const double pixelsPerValue = static_cast<double>(UnitLenY) / VValueY;
    const auto row = [&](int i) {
        return TruncPixelFast(OriginY - samples[i] * pixelsPerValue, [&] {
            return static_cast<long double>(OriginY) -
                   static_cast<long double>(samples[i]) / VValueY * static_cast<long double>(UnitLenY);
        });
    };
    const auto column = [&](int i) {
        return TruncPixelFast(i * pixelsPerSample, [&] {
            return static_cast<long double>(i) * dt / VValueX * static_cast<long double>(UnitLenX);
        });
    };
    // A thin solid line in copy mode is drawn by our own raster, whose segments light
    // start-inclusive, end-exclusive runs, and may then skip the samples that only
    // retrace a column. An inverting pen or a dash pattern would show the difference.
    const bool reducible =
        c.pen.mode == Canvas::PenMode::Copy && c.pen.style == Canvas::PenStyle::Solid && c.pen.width <= 1;
    std::vector<QPoint> points;
    std::vector<int> kept;
    const auto flush = [&](int first, int last, int dx) {
        if (first > last) return;
        kept.clear();
        if (reducible) {
            AppendColumnSamples(samples, first, last, kept);
        } else {
            for (int i = first; i <= last; ++i) kept.push_back(i);
        }
        for (const int i : kept) points.emplace_back(OriginX + dx, row(i));
    };
    // The first sample of the next column after sample `from` (in column dx): found
    // from an estimate and settled with the exact column of its neighbours, so that a
    // long record costs a few column computations per pixel, not one per sample.
    const bool estimable = pixelsPerSample > 1e-9 && std::isfinite(pixelsPerSample);
    const auto nextColumnStart = [&](int from, int dx) {
        int j = from + 1;
        if (estimable) {
            const double estimate = std::ceil((dx + 1) / pixelsPerSample) - 1.0;
            j = static_cast<int>(std::clamp(estimate, static_cast<double>(from + 1), static_cast<double>(count)));
            while (j - 1 > from && column(j - 1) > dx) --j;
        }
        while (j < count && column(j) <= dx) ++j;
        return j;
    };
    // The first sample sits at the origin whatever its time; the others follow their
    // time until one lies past the end of the axis.
    int runStart = 0;
    int runColumn = 0;
    int i = 1;
    while (i < count) {
        const int dx = column(i);
        if (dx > ax) break;
        if (dx != runColumn) {
            flush(runStart, i - 1, runColumn);
            runStart = i;
            runColumn = dx;
        }
        i = nextColumnStart(i, dx);
    }
    flush(runStart, i - 1, runColumn);
    if (reducible) {
        DrawThinPolyline(c.image(), points, c.pen.color);
        c.MoveTo(points.back().x(), points.back().y());
    } else {
        c.MoveTo(points.front().x(), points.front().y());
        c.PolylineTo(std::vector<QPoint>(points.begin() + 1, points.end()));
    }
    update();
}

void TMyWave::DrawWave(int count, const float* samples, int step, int pixelStep) {
    Canvas& c = canvas();
    const int right = OriginX + UnitLenX * NGridX;
    c.MoveTo(OriginX, PixelY(samples[0]));
    std::vector<QPoint> points;
    int x = OriginX;
    for (int i = step; i < count && step > 0; i += step) {
        x += pixelStep;
        if (x > right) break;
        points.emplace_back(x, PixelY(samples[i]));
    }
    c.PolylineTo(points);
    update();
}


void TMyWave::Marker(int x, int y, int type, int size) {
    Canvas& c = canvas();
    const int r = size;
    const auto line = [&c](int x1, int y1, int x2, int y2) {
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    const int base = TruncPixel(y + r / 2.0L);
    switch (type) {
        case 0: c.Ellipse(x - r, y - r, x + r, y + r); break;
        case 1:
            c.Polygon({{x, y - r}, {x - r, base}, {x + r, base}});
            c.MoveTo(x, y - r);
            c.LineTo(x - r, base);
            c.LineTo(x + r, base);
            c.LineTo(x, y - r);
            break;
        case 2:
            c.FillRect(x - r, y - r, x + r, y + r);
            c.MoveTo(x - r, y - r);
            c.LineTo(x - r, y + r);
            c.LineTo(x + r, y + r);
            c.LineTo(x + r, y - r);
            c.LineTo(x - r, y - r);
            break;
        case 3:
            c.Polygon({{x, y - r}, {x - r, y}, {x, y + r}, {x + r, y}});
            c.MoveTo(x, y - r);
            c.LineTo(x - r, y);
            c.LineTo(x, y + r);
            c.LineTo(x + r, y);
            c.LineTo(x, y - r);
            break;
        case 4:
            line(x - r, y - r, x + r, y + r);
            line(x + r, y - r, x - r, y + r);
            break;
        case 5:
            line(x, y - r, x, y + r);
            line(x + r, y, x - r, y);
            break;
        default: break;
    }
}

void TMyWave::PlotWave(int count, const float* samples, int step, int interval, int type, int size) {
    if (interval < 1 || step < 1) return;
    const int right = OriginX + UnitLenX * NGridX;
    for (int k = 0, i = 0; i < count; ++k, i += step) {
        const int x = OriginX + k;
        if (x > right) break;
        if (k % interval == 0) Marker(x, PixelY(samples[i]), type, size);
    }
    update();
}

void TMyWave::PlotWave1(int count, const float* samples, float dt, int type, int size) {
    for (int i = 0; i < count; ++i) {
        const int x = TruncPixel(OriginX + static_cast<long double>(i) * dt / VValueX * UnitLenX);
        Marker(x, PixelY(samples[i]), type, size);
    }
    update();
}


namespace {

// The canvas pixel under the pointer: on a scaled screen the position falls inside
// a pixel, so it is cut down to that pixel rather than rounded to the next.
QPoint CanvasPixel(const QMouseEvent* event) {
    return QPoint(static_cast<int>(std::floor(event->position().x())), static_cast<int>(std::floor(event->position().y())));
}

}  // namespace

void TMyWave::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = CanvasPixel(event);
    emit mouseMoved(at.x(), at.y());
}

void TMyWave::mousePressEvent(QMouseEvent* event) {
    const QPoint at = CanvasPixel(event);
    emit mousePressed(event->button(), at.x(), at.y());
}

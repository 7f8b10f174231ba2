#include "ui/analysis/SpectrumDrawing.h"

#include "core/display/CurveExtremes.h"
#include "ui/analysis/SpectrumPlot.h"
#include "ui/components/Mygraph.h"
#include "ui/display/GraphProcedure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kOriginX = 70;
constexpr int kOriginY = 410;
constexpr int kFrameWidth = 540;
constexpr int kFrameHeight = 370;
constexpr int kMaxDecades = 6;
constexpr int kLegendColumns = 2;
constexpr int kLegendColumnWidth = 280;
constexpr std::uint32_t kYellow = 0x00FFFF;  // 0x00BBGGRR
constexpr std::uint32_t kOlive = 0x008080;   // the yellow trace's colour where the ground is white

// Empty plots keep the usual span of their axis.
DecadeRange DefaultX(SpectrumKind kind) {
    return kind == SpectrumKind::Response || kind == SpectrumKind::RotD ? DecadeRange{-2, 3} : DecadeRange{-1, 3};
}

// The graph keeps its scale in single precision: decades beyond its range would start at 0 or infinity.
DecadeRange InFloatRange(DecadeRange range) {
    constexpr int kLowest = -36;
    constexpr int kHighest = 36;
    range.first = std::clamp(range.first, kLowest, kHighest - range.count);
    return range;
}

void SetAxes(TMyGraph& graph, const LogBox& box) {
    graph.LinearX = false;
    graph.LinearY = false;
    graph.NGridX = box.x.count;
    graph.NGridY = box.y.count;
    graph.SValueX = static_cast<float>(std::pow(10.0, box.x.first));
    graph.SValueY = static_cast<float>(std::pow(10.0, box.y.first));
    graph.VValueX = 10.0f;
    graph.VValueY = 10.0f;
    graph.OriginX = kOriginX;
    graph.OriginY = kOriginY;
    graph.WidthX = kFrameWidth;
    graph.HeightY = kFrameHeight;
    graph.SubAxis = true;
    graph.OverWrite = false;
    graph.LeftScale = true;
}

void DrawPiece(TMyGraph& graph, const Polyline& piece) {
    const std::vector<float> x(piece.x.begin(), piece.x.end());
    const std::vector<float> y(piece.y.begin(), piece.y.end());
    graph.DrawGraph(static_cast<int>(x.size()), x.data(), y.data());
}

// Long records give far more points than pixel columns: the extremes of each column
// draw the same, and only they are cut at the frame and drawn.
void DrawCurve(TMyGraph& graph, const SpectrumCurve& curve, const LogBox& box) {
    const double pixelsPerDecade = static_cast<double>(kFrameWidth / box.x.count);
    const Polyline reduced = KeepColumnExtremes(curve.x, curve.y, pixelsPerDecade);
    for (const Polyline& piece : ClipToBox(reduced.x, reduced.y, box)) DrawPiece(graph, piece);
}

bool Inside(const LogBox& box, double x, double y) {
    const auto in = [](const DecadeRange& r, double v) {
        return v > 0.0 && std::log10(v) >= r.first && std::log10(v) <= r.first + r.count;
    };
    return in(box.x, x) && in(box.y, y);
}

void DrawPeakMark(TMyGraph& graph, const SpectrumCurve& curve, const LogBox& box) {
    if (!curve.peakX || !Inside(box, *curve.peakX, curve.peakY)) return;
    Canvas& c = graph.canvas();
    const float x = static_cast<float>(*curve.peakX);
    const float y = static_cast<float>(curve.peakY);
    c.brush.style = Canvas::BrushStyle::Clear;
    graph.PlotGraph(1, &x, &y, 0, 5);
    c.brush.style = Canvas::BrushStyle::Solid;
}

// The curves of one channel differ by their line: solid, dashed, dotted, then thick.
void SetPen(Canvas& c, const SpectrumCurve& curve) {
    constexpr Canvas::PenStyle kStyles[4] = {Canvas::PenStyle::Solid, Canvas::PenStyle::Dash, Canvas::PenStyle::Dot,
                                             Canvas::PenStyle::Solid};
    const int variant = std::clamp(curve.variant, 0, 3);
    c.pen.color = ChannelColour(curve.channel);
    c.pen.style = kStyles[variant];
    // One pixel wide but for the fourth: wider pens are stroked as filled outlines, far slower for noisy curves.
    c.pen.width = variant == 3 ? 2 : 1;
}

void DrawLegend(TMyGraph& graph, const SpectrumPlot& plot) {
    Canvas& c = graph.canvas();
    const int h = c.TextHeight(QStringLiteral("A"));
    const int top = kOriginY + 5 + static_cast<int>(2.5 * h);
    for (int i = 0; i < static_cast<int>(plot.curves.size()); ++i) {
        const int x = kOriginX + (i % kLegendColumns) * kLegendColumnWidth;
        const int y = top + (i / kLegendColumns) * (h + 1);
        SetPen(c, plot.curves[i]);
        c.MoveTo(x, y + h / 2);
        c.LineTo(x + 24, y + h / 2);
        c.pen.width = 1;
        c.pen.style = Canvas::PenStyle::Solid;
        c.fontColor = ChannelColour(plot.curves[i].channel);
        c.TextOut(x + 30, y, plot.curves[i].name);
    }
    c.fontColor = 0x000000;
    c.pen.color = 0x000000;
}

}  // namespace

std::uint32_t ChannelColour(int channel) {
    const std::uint32_t colour = kTraceColours[static_cast<std::size_t>(std::max(channel, 0)) % kTraceColours.size()];
    return colour == kYellow ? kOlive : colour;
}

LogBox AxesOf(const SpectrumPlot& plot) {
    // The decades depend only on the smallest and largest positive value of each curve.
    std::vector<double> xs;
    std::vector<double> ys;
    for (const SpectrumCurve& curve : plot.curves) {
        const tremvix::PositiveBounds b = tremvix::PositiveBoundsOf(curve.x, curve.y);
        // Nothing counted leaves the bounds infinite: no value from this curve.
        for (const double v : {b.lowX, b.highX}) if (std::isfinite(v)) xs.push_back(v);
        for (const double v : {b.lowY, b.highY}) if (std::isfinite(v)) ys.push_back(v);
    }
    return {InFloatRange(DecadesCovering(xs, kMaxDecades).value_or(DefaultX(plot.kind))),
            InFloatRange(DecadesCovering(ys, kMaxDecades, true).value_or(DecadeRange{0, 3}))};
}

void DrawSpectrumPlot(TMyGraph& graph, const SpectrumPlot& plot) {
    const LogBox box = AxesOf(plot);
    SetAxes(graph, box);
    graph.TitleX = plot.titleX;
    graph.TitleY = plot.titleY;
    graph.DrawWaku();
    Canvas& c = graph.canvas();
    for (int i = 0; i < static_cast<int>(plot.curves.size()); ++i) {
        const SpectrumCurve& curve = plot.curves[i];
        SetPen(c, curve);
        DrawCurve(graph, curve, box);
        c.pen.style = Canvas::PenStyle::Solid;
        c.pen.width = 1;
        DrawPeakMark(graph, curve, box);
    }
    c.pen.color = 0x000000;
    DrawLegend(graph, plot);
    graph.update();
}

#include "ui/analysis/LongPeriodPlot.h"

#include "ui/components/Mygraph.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kOriginX = 52;
constexpr int kOriginY = 206;
constexpr int kBands = 7;
constexpr int kBandWidth = 46;
constexpr int kFrameHeight = 180;
constexpr int kMaxDecades = 5;
constexpr double kBoundaries[4] = {5.0, 15.0, 50.0, 100.0};

void SetAxes(TMyGraph& graph, const DecadeRange& decades) {
    graph.LinearX = true;
    graph.LinearY = false;
    graph.NGridX = kBands;
    graph.NGridY = decades.count;
    graph.SValueX = 1.0f;
    graph.VValueX = 1.0f;
    graph.SubX = 5;  // the 0.2 s steps of the periods
    graph.SValueY = static_cast<float>(std::pow(10.0, decades.first));
    graph.VValueY = 10.0f;
    graph.OriginX = kOriginX;
    graph.OriginY = kOriginY;
    graph.WidthX = kBands * kBandWidth;
    graph.HeightY = kFrameHeight;
    graph.SubAxis = false;
    graph.OverWrite = false;
    graph.LeftScale = true;
    graph.TitleX = QStringLiteral("周期 (s)");
    graph.TitleY = QStringLiteral("Sva (cm/s)");
}

// Dashed lines across the frame with the class they begin at their right end; from the
// top down, a label that would touch the one above it moves down (50 and 100 cm/s lie
// close on five decades).
void DrawBoundaries(TMyGraph& graph) {
    Canvas& c = graph.canvas();
    const int right = kOriginX + kBands * kBandWidth;
    c.pen.color = kLongPeriodBoundaryColour;
    c.fontColor = kLongPeriodBoundaryColour;
    c.brush.style = Canvas::BrushStyle::Clear;
    int below = 0;  // the bottom of the label above
    for (int k = 3; k >= 0; --k) {
        const std::optional<int> y = graph.PixelY(static_cast<float>(kBoundaries[k]));
        if (!y) continue;
        c.pen.style = Canvas::PenStyle::Dash;
        c.MoveTo(kOriginX, *y);
        c.LineTo(right, *y);
        const QString label = QStringLiteral("階級%1").arg(k + 1);
        const int top = std::max(*y - c.TextHeight(label) / 2, below);
        c.TextOut(right + 4, top, label);
        below = top + c.TextHeight(label);
    }
    c.pen.style = Canvas::PenStyle::Solid;
    c.brush.style = Canvas::BrushStyle::Solid;
    c.fontColor = 0x000000;
}

void DrawCurve(TMyGraph& graph, const tremvix::LongPeriodResult& result, const DecadeRange& decades) {
    const float bottom = static_cast<float>(std::pow(10.0, decades.first));
    std::vector<float> x;
    std::vector<float> y;
    for (const tremvix::LongPeriodRow& row : result.rows) {
        x.push_back(static_cast<float>(row.period));
        y.push_back(std::max(static_cast<float>(row.sva), bottom));
    }
    Canvas& c = graph.canvas();
    c.pen.color = kLongPeriodCurveColour;
    c.pen.width = 2;
    graph.DrawGraph(static_cast<int>(x.size()), x.data(), y.data());
    c.pen.width = 1;
    c.brush.color = kLongPeriodCurveColour;
    graph.PlotGraph(static_cast<int>(x.size()), x.data(), y.data(), 0, 2);
    c.brush.color = 0xFFFFFF;
    c.pen.color = 0x000000;
}

}  // namespace

DecadeRange LongPeriodDecades(const tremvix::LongPeriodResult& result) {
    std::vector<double> values{1.0, 1000.0};
    for (const tremvix::LongPeriodRow& row : result.rows) values.push_back(row.sva);
    return DecadesCovering(values, kMaxDecades).value_or(DecadeRange{0, 3});
}

void DrawLongPeriodPlot(TMyGraph& graph, const tremvix::LongPeriodResult* result) {
    const DecadeRange decades = result ? LongPeriodDecades(*result) : DecadeRange{0, 3};
    SetAxes(graph, decades);
    graph.DrawWaku();
    DrawBoundaries(graph);
    if (result) DrawCurve(graph, *result, decades);
    graph.update();
}

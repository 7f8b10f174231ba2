#include "ui/survey/EventMap.h"

#include "core/map/JapanMap.h"
#include "ui/components/Mymap.h"
#include "ui/survey/Coastline.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr std::uint32_t kCoastColor = 0x904000;  // a dark blue (0x00BBGGRR)
constexpr std::uint32_t kNoClassColor = 0x808080;
constexpr std::uint32_t kSelectedColor = 0x0000E0;
constexpr int kMarkSize = 3;

TMyMap::ScreenPoint Screen(const TMyMap& map, const QPointF& p) {
    return map.scr_position(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
}

void DrawCoast(TMyMap& map, const Coastline& coast) {
    Canvas& c = map.canvas();
    c.pen.color = kCoastColor;
    c.pen.width = 1;
    c.brush.style = Canvas::BrushStyle::Clear;
    std::vector<QPoint> screen;
    for (const MapLine& line : coast.lines) {
        if (line.points.size() < 2) continue;
        screen.clear();
        for (std::size_t k = 1; k < line.points.size(); ++k) {
            const TMyMap::ScreenPoint s = Screen(map, line.points[k]);
            screen.emplace_back(s.x, s.y);
        }
        const TMyMap::ScreenPoint start = Screen(map, line.points.front());
        c.MoveTo(start.x, start.y);
        c.PolylineTo(screen);
    }
}

QString LegendTitle(tremvix::MarkScheme scheme) {
    switch (scheme) {
        case tremvix::MarkScheme::Intensity: return QStringLiteral("震度階級（計測震度）");
        case tremvix::MarkScheme::LongPeriod: return QStringLiteral("長周期地震動階級");
        case tremvix::MarkScheme::Pga: return QStringLiteral("水平 PGA（大きい方）");
    }
    return {};
}

void DrawLegend(TMyMap& map, const std::vector<StationMark>& marks, tremvix::MarkScheme scheme) {
    const std::vector<tremvix::LegendEntry>& legend = tremvix::Legend(scheme);
    std::vector<int> counts(legend.size() + 1, 0);
    for (const StationMark& mark : marks) ++counts[mark.cls ? static_cast<std::size_t>(*mark.cls) : legend.size()];
    Canvas& c = map.canvas();
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    c.font = font;
    const int line = 16;
    const int left = map.SCX + 6;
    const int top = map.SCY + 6;
    const int rows = static_cast<int>(legend.size()) + 2;
    c.pen.color = 0x000000;
    c.pen.width = 1;
    c.brush.color = 0xFFFFFF;
    c.brush.style = Canvas::BrushStyle::Solid;
    c.Rectangle(left, top, left + 150, top + rows * line + 8);
    c.TextOut(left + 6, top + 4, LegendTitle(scheme));
    for (std::size_t k = 0; k <= legend.size(); ++k) {
        const int y = top + 4 + static_cast<int>(k + 1) * line;
        const int cx = left + 12;
        const int cy = y + line / 2 - 1;
        c.pen.color = 0x000000;
        if (k < legend.size()) {
            c.brush.color = legend[k].color;
            c.brush.style = Canvas::BrushStyle::Solid;
            c.Ellipse(cx - kMarkSize, cy - kMarkSize, cx + kMarkSize + 1, cy + kMarkSize + 1);
        } else {
            c.pen.color = kNoClassColor;
            c.MoveTo(cx - 3, cy - 3), c.LineTo(cx + 4, cy + 4);
            c.MoveTo(cx + 3, cy - 3), c.LineTo(cx - 4, cy + 4);
        }
        c.brush.color = 0xFFFFFF;
        const QString label = k < legend.size() ? QString::fromStdString(legend[k].label) : QStringLiteral("値なし");
        c.TextOut(left + 24, y, label);
        const QString count = QString::number(counts[k]);
        c.TextOut(left + 144 - c.TextWidth(count), y, count);
    }
}

// A map without its coastline says why, at the frame's foot, rather than pass for one.
void DrawCoastError(TMyMap& map, const Coastline& coast) {
    if (coast.error.isEmpty()) return;
    Canvas& c = map.canvas();
    const std::uint32_t textColor = c.fontColor;
    c.fontColor = 0x0000C0;
    c.brush.color = 0xFFFFFF;
    c.brush.style = Canvas::BrushStyle::Solid;
    c.TextOut(map.SCX + 6, map.SCY + map.SCH - 20, QStringLiteral("海岸線なし：") + coast.error);
    c.fontColor = textColor;
}

}  // namespace

void SetUpEventMap(TMyMap& map) {
    const tremvix::GraticuleNodes table = tremvix::JapanGraticule();
    TMyMap::SetGraticule(table.latitudeCount, table.longitudeCount, table.nodes);
    map.resize(kEventMapWidth, kEventMapHeight);
    map.setFixedSize(kEventMapWidth, kEventMapHeight);
    map.SCX = 48;
    map.SCY = 28;
    map.SCW = 500;
    map.SCH = 480;
    // 123° E at 24° N on the left edge, 24° N on the central meridian at the bottom.
    const tremvix::MapPosition southWest = tremvix::JapanMapPosition(24.0, 123.0);
    map.MPX = static_cast<int>(std::lround(southWest.x));
    map.MPY = 60;
    map.MPH = 2400;
    map.Division = 1;
    map.LetterSize = 12;
}

std::vector<std::optional<QPoint>> DrawEventMap(TMyMap& map, const Coastline& coast, const std::vector<StationMark>& marks,
                                                tremvix::MarkScheme scheme, std::optional<std::size_t> selected) {
    map.Clear(0xFFFFFF);
    const std::int32_t counts[TMyMap::kPolylines] = {};
    const std::int32_t* const lines[TMyMap::kPolylines] = {};
    map.map_draw(counts, lines);  // the width of the view in map units
    map.grid_draw();
    DrawCoast(map, coast);  // over the graticule, which is black
    std::vector<std::optional<QPoint>> positions(marks.size());
    for (std::size_t k = 0; k < marks.size(); ++k)
        if (const auto at = map.origin_scr(marks[k].lon, marks[k].lat);
            at && at->x >= map.SCX && at->x < map.SCX + map.SCW && at->y >= map.SCY && at->y < map.SCY + map.SCH)
            positions[k] = QPoint(at->x, at->y);
    std::vector<std::size_t> order(marks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return marks[a].cls.value_or(-1) < marks[b].cls.value_or(-1);
    });
    const std::vector<tremvix::LegendEntry>& legend = tremvix::Legend(scheme);
    Canvas& c = map.canvas();
    for (const std::size_t k : order) {
        const StationMark& mark = marks[k];
        c.pen.width = 1;
        c.pen.color = mark.cls ? 0x000000 : kNoClassColor;
        c.brush.style = Canvas::BrushStyle::Solid;
        c.brush.color = mark.cls ? legend[static_cast<std::size_t>(*mark.cls)].color : kNoClassColor;
        map.MarkPlot(mark.lon, mark.lat, kMarkSize, mark.cls ? 0 : 4);
    }
    if (selected && *selected < marks.size() && positions[*selected]) {
        c.pen.color = kSelectedColor;
        c.pen.width = 3;
        c.brush.style = Canvas::BrushStyle::Clear;
        map.MarkPlot(marks[*selected].lon, marks[*selected].lat, kMarkSize + 5, 0);
    }
    // Marks near the edge must not spill over the frame and the labels.
    map.outer_clear();
    map.degree_write();
    DrawLegend(map, marks, scheme);
    DrawCoastError(map, coast);
    map.update();
    return positions;
}

std::optional<std::size_t> MarkNear(const std::vector<std::optional<QPoint>>& positions, QPoint at, int reach) {
    std::optional<std::size_t> nearest;
    long best = static_cast<long>(reach) * reach;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        if (!positions[k]) continue;
        const long dx = positions[k]->x() - at.x();
        const long dy = positions[k]->y() - at.y();
        if (dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            nearest = k;
        }
    }
    return nearest;
}

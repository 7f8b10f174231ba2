#include "ui/components/Mymap.h"


#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kWestEdge = 12200;
constexpr int kSouthEdge = 2400;

struct Graticule {
    int latitudes = 0;
    int longitudes = 0;
    std::int32_t nodes[TMyMap::kLatitudeRows][TMyMap::kLongitudeNodes][2] = {};
};

// One table for every map, as the maps of a program all show the same region.
Graticule& Table() {
    static Graticule table;
    return table;
}

struct Node {
    long double x;
    long double y;
};

Node NodeAt(int r, int c) {
    const auto& n = Table().nodes[r][c];
    return {static_cast<long double>(n[0]), static_cast<long double>(n[1])};
}

// Map units are plain integers; far-off or undefined values are held at the int range.
int TruncInt(long double value) {
    constexpr long double kLimit = 2.0e9L;
    if (std::isnan(value)) return 0;
    if (value > kLimit) return static_cast<int>(kLimit);
    if (value < -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(value);
}

std::optional<int> TruncFinite(long double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return TruncPixel(value);
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

QFont LabelFont(int size) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(std::max(size, 1));
    return font;
}

QString DegreeText(int degrees) { return QString::number(degrees) + QStringLiteral("゜"); }

int EvenUp(int degrees) { return degrees % 2 == 0 ? degrees : degrees + 1; }
int EvenDown(int degrees) { return degrees % 2 == 0 ? degrees : degrees - 1; }

// Minutes of arc in the degrees × 100 + minutes form.
int GeoOf(long double degrees, int cellStart) {
    const long double whole = std::trunc(degrees);
    return TruncInt((degrees - whole) * 60.0L + whole * 100.0L + cellStart);
}

}  // namespace

TMyMap::TMyMap(QWidget* parent) : ImageControl(400, 400, parent) {
}

TMyMap::~TMyMap() = default;

void TMyMap::SetGraticule(int latitudeCount, int longitudeCount, const std::int32_t nodes[14][16][2]) {
    Graticule& table = Table();
    table = Graticule{};
    latitudeCount = std::clamp(latitudeCount, 0, kLatitudeRows);
    longitudeCount = std::clamp(longitudeCount, 0, kLongitudeNodes);
    if (latitudeCount == 0 || longitudeCount == 0 || !nodes) return;
    std::memcpy(table.nodes, nodes, sizeof table.nodes);
    table.latitudes = latitudeCount;
    table.longitudes = longitudeCount;
}

int TMyMap::LatitudeCount() { return Table().latitudes; }
int TMyMap::LongitudeCount() { return Table().longitudes; }




TMyMap::ScreenPoint TMyMap::scr_position(int mapX, int mapY, bool* inside) const {
    const long double x = static_cast<long double>(SCW) / MPW * (static_cast<long double>(mapX) - MPX) + SCX;
    const long double y =
        -static_cast<long double>(SCH) / MPH * (static_cast<long double>(mapY) - MPY) + SCY + SCH;
    const ScreenPoint p{TruncPixel(x), TruncPixel(y)};
    if (inside) *inside = p.x >= 0 && p.x < image().width() && p.y >= 0 && p.y < image().height();
    return p;
}

TMyMap::MapPoint TMyMap::map_position(int x, int y) const {
    const long double mx = (static_cast<long double>(x) - SCX) * MPW / SCW + MPX;
    const long double my = (static_cast<long double>(SCH) + SCY - y) * MPH / SCH + MPY;
    return {TruncInt(mx), TruncInt(my)};
}

std::optional<TMyMap::MapPoint> TMyMap::graticule_position(int lon, int lat) const {
    const Graticule& g = Table();
    // West of 122° or south of 24° there is no cell (integer division would fold those
    // positions back into the first one).
    if (lon < kWestEdge || lat < kSouthEdge) return std::nullopt;
    int c = (lon - kWestEdge) / 200;
    int r = (lat - kSouthEdge) / 200;
    if (c >= g.longitudes || r >= g.latitudes) return std::nullopt;
    long double u = (lon - kWestEdge) / 100 - 2 * c + (lon % 100) / 60.0L;
    long double t = (lat - kSouthEdge) / 100 - 2 * r + (lat % 100) / 60.0L;
    // On the last meridian or parallel of the table the cell before it answers; beyond
    // that line the table knows nothing.
    if (c == g.longitudes - 1) {
        if (u != 0.0L || c == 0) return std::nullopt;
        --c;
        u = 2.0L;
    }
    if (r == g.latitudes - 1) {
        if (t != 0.0L || r == 0) return std::nullopt;
        --r;
        t = 2.0L;
    }
    const auto& n = g.nodes;
    const double du = static_cast<double>(u);
    const double dt = static_cast<double>(t);
    double result[2];
    for (int k = 0; k < 2; ++k) {
        const double lower = ((2.0 - du) * n[r][c][k] + du * n[r][c + 1][k]) * 0.5;
        const double upper = ((2.0 - du) * n[r + 1][c][k] + du * n[r + 1][c + 1][k]) * 0.5;
        result[k] = ((2.0 - dt) * lower + dt * upper) * 0.5;
    }
    return MapPoint{TruncInt(result[0]), TruncInt(result[1])};
}

std::optional<TMyMap::ScreenPoint> TMyMap::origin_scr(int lon, int lat) const {
    const std::optional<MapPoint> m = graticule_position(lon, lat);
    if (!m) return std::nullopt;
    return scr_position(m->x, m->y);
}

int TMyMap::area_check(int x1, int y1, int x2, int y2, int px, int py) {
    // A vertical edge has no "above"; points left of it count as above, right of it as
    // below, so that a rectangular cell holds its own points.
    if (x1 == x2) {
        if (px == x1) return 0;
        return px < x1 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    const long double slope = (static_cast<long double>(y2) - y1) / (static_cast<long double>(x2) - x1);
    return TruncInt(static_cast<long double>(py) - y1 - slope * (static_cast<long double>(px) - x1));
}

std::optional<TMyMap::GeoPoint> TMyMap::scr_map(int x, int y) const {
    const Graticule& g = Table();
    if (g.latitudes < 2 || g.longitudes < 2) return std::nullopt;
    const MapPoint p = map_position(x, y);
    const auto& n = g.nodes;
    int row = -1;
    int col = -1;
    for (int r = 0; r + 1 < g.latitudes && row < 0; ++r)
        for (int c = 0; c + 1 < g.longitudes; ++c)
            if (n[r][c][0] <= p.x && p.x < n[r + 1][c + 1][0] && n[r][c + 1][1] <= p.y && p.y < n[r + 1][c][1]) {
                row = r;
                col = c;
                break;
            }
    if (row < 0) return std::nullopt;
    {
        const auto& a = n[row][col];
        const auto& b = n[row][col + 1];
        const auto& cc = n[row + 1][col + 1];
        const auto& d = n[row + 1][col];
        if (area_check(a[0], a[1], b[0], b[1], p.x, p.y) < 0)
            --row;
        else if (area_check(b[0], b[1], cc[0], cc[1], p.x, p.y) < 0)
            ++col;
        else if (area_check(cc[0], cc[1], d[0], d[1], p.x, p.y) > 0)
            ++row;
        else if (area_check(d[0], d[1], a[0], a[1], p.x, p.y) > 0)
            --col;
    }
    if (row < 0 || col < 0 || row + 1 >= g.latitudes || col + 1 >= g.longitudes) return std::nullopt;
    const Node a = NodeAt(row, col);
    const Node b = NodeAt(row, col + 1);
    const Node d = NodeAt(row + 1, col);
    const double dx = static_cast<double>(p.x - a.x);
    const double dy = static_cast<double>(p.y - a.y);
    const double theta1 = std::atan(static_cast<double>((a.y - b.y) / (b.x - a.x)));
    const double theta2 = std::atan(static_cast<double>((d.x - a.x) / (d.y - a.y)));
    double east = std::cos(theta1) * dx - std::sin(theta1) * dy;
    double north = std::sin(theta2) * dx + std::cos(theta2) * dy;
    // Edge lengths in 64 bits: large map units must not wrap around.
    const std::int64_t ex = n[row][col + 1][0] - static_cast<std::int64_t>(n[row][col][0]);
    const std::int64_t ey = n[row][col + 1][1] - static_cast<std::int64_t>(n[row][col][1]);
    const std::int64_t nx = n[row + 1][col][0] - static_cast<std::int64_t>(n[row][col][0]);
    const std::int64_t ny = n[row + 1][col][1] - static_cast<std::int64_t>(n[row][col][1]);
    const std::int64_t eastLength = ex * ex + ey * ey;
    const std::int64_t northLength = nx * nx + ny * ny;
    if (eastLength == 0 || northLength == 0) return std::nullopt;
    east = east / std::sqrt(static_cast<double>(eastLength)) * 2.0;
    north = north / std::sqrt(static_cast<double>(northLength)) * 2.0;
    if (!std::isfinite(east) || !std::isfinite(north)) return std::nullopt;
    return GeoPoint{GeoOf(east, kWestEdge + 200 * col), GeoOf(north, kSouthEdge + 200 * row)};
}

std::optional<TMyMap::ScreenPoint> TMyMap::lon_cross(int lon, int y) const {
    const Graticule& g = Table();
    std::optional<ScreenPoint> p1;
    std::optional<ScreenPoint> p2;
    for (int r = 0; r + 1 < g.latitudes; ++r) {
        p1 = origin_scr(lon, kSouthEdge + 200 * r);
        p2 = origin_scr(lon, kSouthEdge + 200 * (r + 1));
        if (!p1 || !p2) return std::nullopt;
        if (p2->y <= y && y < p1->y) break;
    }
    if (!p1 || !p2) return std::nullopt;
    const double slope = static_cast<double>(p2->y - p1->y) / static_cast<double>(p2->x - p1->x);
    const std::optional<int> x = TruncFinite((y - p1->y) / slope + p1->x);
    if (!x) return std::nullopt;
    const std::optional<GeoPoint> geo = scr_map(*x, y);
    if (!geo) return std::nullopt;
    return origin_scr(geo->lon, geo->lat);
}

std::optional<TMyMap::ScreenPoint> TMyMap::lat_cross(int lat, int x) const {
    const Graticule& g = Table();
    std::optional<ScreenPoint> p1;
    std::optional<ScreenPoint> p2;
    for (int c = 0; c + 1 < g.longitudes; ++c) {
        p1 = origin_scr(kWestEdge + 200 * c, lat);
        p2 = origin_scr(kWestEdge + 200 * (c + 1), lat);
        if (!p1 || !p2) return std::nullopt;
        if (p1->x <= x && x < p2->x) break;
    }
    if (!p1 || !p2) return std::nullopt;
    const std::optional<int> y = TruncFinite(static_cast<double>(x - p1->x) * (p2->y - p1->y) /
                                                 static_cast<double>(p2->x - p1->x) +
                                             p1->y);
    if (!y) return std::nullopt;
    const std::optional<GeoPoint> geo = scr_map(x, *y);
    if (!geo) return std::nullopt;
    return origin_scr(geo->lon, geo->lat);
}

void TMyMap::Polyline(const std::vector<MapPoint>& points) {
    if (points.empty()) return;
    Canvas& c = canvas();
    const ScreenPoint start = scr_position(points.front().x, points.front().y);
    c.MoveTo(start.x, start.y);
    std::vector<QPoint> screen;
    screen.reserve(points.size());
    for (std::size_t i = 1; i < points.size(); ++i) {
        const ScreenPoint s = scr_position(points[i].x, points[i].y);
        screen.emplace_back(s.x, s.y);
    }
    c.PolylineTo(screen);
}

void TMyMap::map_draw(const std::int32_t counts[20], const std::int32_t* const lines[20]) {
    if (SCH != 0) MPW = TruncInt(static_cast<long double>(SCW) * MPH / SCH);
    Canvas& c = canvas();
    c.pen.color = PenColor;
    c.pen.width = PenWidth;
    c.brush.style = Canvas::BrushStyle::Clear;
    if (!counts || !lines) return;
    for (int p = 0; p < kPolylines; ++p) {
        if (counts[p] <= 0 || !lines[p]) continue;
        std::vector<MapPoint> points;
        points.reserve(static_cast<std::size_t>(counts[p]) + 1);
        for (int i = 0; i < counts[p]; ++i) points.push_back({lines[p][2 * i], lines[p][2 * i + 1]});
        points.push_back(points.front());
        Polyline(points);
    }
}

// Parallels (rows) or meridians (columns), each cell divided `Division` times.
void TMyMap::GridLines(bool parallels) {
    const Graticule& g = Table();
    Canvas& c = canvas();
    const int lines = parallels ? g.latitudes : g.longitudes;
    const int along = parallels ? g.longitudes : g.latitudes;
    const auto node = [&](int line, int i) { return parallels ? NodeAt(line, i) : NodeAt(i, line); };
    const auto through = [&](int line, double f, std::uint32_t color) {
        c.pen.color = color;
        std::vector<MapPoint> points;
        for (int i = 0; i < along; ++i) {
            const Node here = node(line, i);
            const Node next = line + 1 < lines ? node(line + 1, i) : here;
            points.push_back({TruncInt((1.0 - f) * here.x + f * next.x), TruncInt((1.0 - f) * here.y + f * next.y)});
        }
        Polyline(points);
    };
    for (int line = 0; line + 1 < lines; ++line)
        for (int k = 0; k < Division; ++k) through(line, static_cast<double>(k) / Division, k == 0 ? kBlack : DivColor);
    through(lines - 1, 0.0, kBlack);
}

void TMyMap::grid_draw() {
    const Graticule& g = Table();
    if (Division != 0 && g.latitudes > 0 && g.longitudes > 0) {
        canvas().pen.width = 1;
        GridLines(true);
        GridLines(false);
    }
    outer_clear();
}

void TMyMap::outer_clear() {
    Canvas& c = canvas();
    const int w = image().width();
    const int h = image().height();
    c.pen.mode = Canvas::PenMode::Copy;
    c.brush.color = kWhite;
    c.brush.style = Canvas::BrushStyle::Solid;
    c.FillRect(0, 0, w, SCY - 1);
    c.FillRect(0, 0, SCX - 1, h);
    c.FillRect(SCX + SCW, 0, w, h);
    c.FillRect(0, SCY + SCH, w, h);
    c.pen.color = kBlack;
    c.pen.width = 2;
    c.MoveTo(SCX, SCY);
    c.LineTo(SCX + SCW, SCY);
    c.LineTo(SCX + SCW, SCY + SCH);
    c.LineTo(SCX, SCY + SCH);
    c.LineTo(SCX, SCY);
}

void TMyMap::LongitudeLabels(int edgeY, bool bottom) {
    Canvas& c = canvas();
    const int w = image().width();
    std::optional<int> first;
    std::optional<int> last;
    for (int off = 0; off <= w && !first; off += 10)
        if (const auto geo = scr_map(SCX + off, edgeY)) first = EvenUp(geo->lon / 100);
    for (int off = 0; off <= w && !last; off += 10)
        if (const auto geo = scr_map(SCX + SCW - off, edgeY)) last = EvenDown(geo->lon / 100);
    if (!first || !last) return;
    const int textHeight = c.TextHeight(QStringLiteral("0"));
    for (int degrees = *first; degrees <= *last; degrees += 2) {
        const auto at = lon_cross(degrees * 100, edgeY);
        if (!at || at->x <= SCX || at->x > SCX + SCW) continue;
        const QString text = DegreeText(degrees);
        const int y = bottom ? SCY + SCH + 5 : SCY - textHeight - 5;
        c.TextOut(at->x - c.TextWidth(text) / 2, y, text);
    }
}

void TMyMap::LatitudeLabels(int edgeX, bool right) {
    Canvas& c = canvas();
    const int h = image().height();
    std::optional<int> first;
    std::optional<int> last;
    for (int off = 0; off <= h && !first; off += 10)
        if (const auto geo = scr_map(edgeX, SCY + SCH - off)) first = EvenUp(geo->lat / 100);
    for (int off = 0; off <= h && !last; off += 10)
        if (const auto geo = scr_map(edgeX, SCY + off)) last = EvenDown(geo->lat / 100);
    if (!first || !last) return;
    const int textHeight = c.TextHeight(QStringLiteral("0"));
    for (int degrees = *first; degrees <= *last; degrees += 2) {
        const auto at = lat_cross(degrees * 100, edgeX);
        if (!at || at->y < SCY || at->y > SCY + SCH) continue;
        const QString text = DegreeText(degrees);
        const int x = right ? SCX + SCW + 5 : SCX - 5 - c.TextWidth(text);
        c.TextOut(x, at->y - textHeight / 2, text);
    }
}

void TMyMap::degree_write() {
    if (Division == 0) return;
    canvas().font = LabelFont(LetterSize);
    LongitudeLabels(SCY + SCH, true);
    LongitudeLabels(SCY, false);
    LatitudeLabels(SCX + SCW, true);
    LatitudeLabels(SCX, false);
}

void TMyMap::MapDraw(const std::int32_t counts[20], const std::int32_t* const lines[20]) {
    map_draw(counts, lines);
    grid_draw();
    degree_write();
    update();
}

void TMyMap::MarkPlot(int lon, int lat, int size, int type) {
    if (lon < 12200 || lon > 15200 || lat < 2400 || lat > 5000) return;
    const std::optional<ScreenPoint> at = origin_scr(lon, lat);
    if (!at) return;
    Canvas& c = canvas();
    const int x = at->x;
    const int y = at->y;
    const int s = size;
    const auto outline = [&c](const std::vector<QPoint>& corners) {
        c.MoveTo(corners.front().x(), corners.front().y());
        for (std::size_t i = 1; i < corners.size(); ++i) c.LineTo(corners[i].x(), corners[i].y());
        c.LineTo(corners.front().x(), corners.front().y());
    };
    const int base = TruncPixel(y + s / 2.0L);
    switch (type) {
        case 0: c.Ellipse(x - s, y - s, x + s, y + s); break;
        case 1: {
            const std::vector<QPoint> corners{{x, y - s}, {x - s, base}, {x + s, base}};
            c.Polygon(corners);
            outline(corners);
            break;
        }
        case 2:
            c.FillRect(x - s, y - s, x + s, y + s);
            outline({{x - s, y - s}, {x - s, y + s}, {x + s, y + s}, {x + s, y - s}});
            break;
        case 3: {
            const std::vector<QPoint> corners{{x, y - s}, {x - s, y}, {x, y + s}, {x + s, y}};
            c.Polygon(corners);
            outline(corners);
            break;
        }
        case 4:
            Line(c, x - s, y - s, x + s, y + s);
            Line(c, x + s, y - s, x - s, y + s);
            break;
        case 5:
            Line(c, x, y - s, x, y + s);
            Line(c, x + s, y, x - s, y);
            break;
        default: break;
    }
    update();
}


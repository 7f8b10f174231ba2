#include "ui/components/Mygraph.h"

#include "core/export/PngEncoder.h"
#include "ui/base/Dialogs.h"
#include "ui/widgets/TickLabel.h"

#include <QFile>
#include <QMouseEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;


// The label of a division value: the rounding rule, or the fixed-point format when one is set.
QString LabelOf(float value, const std::string* format) {
    if (format && !format->empty()) return QString::fromStdString(graph::FormattedLabel(*format, value));
    return QString::fromStdString(TickLabel(value, true));
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

}  // namespace

TMyGraph::TMyGraph(QWidget* parent) : ImageControl(300, 300, parent) {
}

TMyGraph::~TMyGraph() = default;




// A division count below 1 leaves no division to measure; such a frame has no grid.
int TMyGraph::DivisionWidth() const { return NGridX > 0 ? WidthX / NGridX : 0; }
int TMyGraph::DivisionHeight() const { return NGridY > 0 ? HeightY / NGridY : 0; }

graph::Axis TMyGraph::AxisX() const { return {OriginX, DivisionWidth(), 1, LinearX, SValueX, VValueX}; }
graph::Axis TMyGraph::AxisY() const { return {OriginY, DivisionHeight(), -1, LinearY, SValueY, VValueY}; }

std::optional<int> TMyGraph::PixelX(float value) const {
    if (NGridX < 1) return std::nullopt;
    return graph::AxisPixel(AxisX(), value);
}

std::optional<int> TMyGraph::PixelY(float value) const {
    if (NGridY < 1) return std::nullopt;
    return graph::AxisPixel(AxisY(), value);
}

std::optional<double> TMyGraph::ValueAtX(int x) const {
    const int gx = DivisionWidth();
    if (gx < 1) return std::nullopt;
    const long double divisions = static_cast<long double>(x - OriginX) / gx;
    const long double value = LinearX ? SValueX + divisions * VValueX
                                      : SValueX * std::pow(static_cast<long double>(VValueX), divisions);
    if (!std::isfinite(value) || (!LinearX && (SValueX <= 0.0f || VValueX <= 0.0f))) return std::nullopt;
    return static_cast<double>(value);
}

bool TMyGraph::InsideFrame(int x, int y) const {
    return x >= OriginX && x <= OriginX + NGridX * DivisionWidth() && y <= OriginY &&
           y >= OriginY - NGridY * DivisionHeight();
}

void TMyGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
    ImageControl::mouseMoveEvent(event);
}

void TMyGraph::_round_number(float value, char* text) {
    const std::string label = TickLabel(value, true);
    std::memcpy(text, label.c_str(), std::min<std::size_t>(label.size() + 1, 13));
    text[12] = '\0';
}

int TMyGraph::sub_scale(float value, char* format) {
    std::string text;
    const int sub = graph::SubScale(value, text);
    if (!text.empty()) std::memcpy(format, text.c_str(), text.size() + 1);
    return sub;
}

bool TMyGraph::zero_string(const char* text) { return graph::ZeroString(text); }

// A logarithmic axis starting at 0 has no labels to give; the user is told, and the rest
// of the frame is still drawn.
bool TMyGraph::LogStartMissing(bool linear, float start, const char* text, const char* caption) {
    if (linear || start != 0.0f) return false;
    Dialogs::MessageBox(QString::fromUtf8(text), QString::fromUtf8(caption), 0);
    return true;
}

void TMyGraph::DrawWaku() { DrawFrame(Labels::Rounded); }
void TMyGraph::DrawWakuN() { DrawFrame(Labels::Formatted); }

void TMyGraph::DrawFrame(Labels labels) {
    Canvas& c = canvas();
    c.brush.color = kWhite;
    c.brush.style = Canvas::BrushStyle::Solid;
    if (!OverWrite) c.FillRect(0, 0, width(), height());
    const bool noLabelsX = LogStartMissing(LinearX, SValueX, "X Logarithmic Scale can not be determind.", "X Scale Error");
    const bool noLabelsY = LogStartMissing(LinearY, SValueY, "Y Logarithmic Scale can not be determind.", "Y Scale Error");
    if (NGridX > 0 && NGridY > 0) {
        std::string formatX;
        std::string formatY;
        if (labels == Labels::Formatted) SubX = graph::SubScale(VValueX, formatX);
        DrawVerticalLines(noLabelsX ? nullptr : &formatX);
        if (labels == Labels::Formatted) SubY = graph::SubScale(VValueY, formatY);
        DrawHorizontalLines(noLabelsY ? nullptr : &formatY);
        DrawTitles();
    }
    c.pen.style = Canvas::PenStyle::Solid;
    update();
}

// `format` null: no labels; empty: labels by the rounding rule.
void TMyGraph::DrawVerticalLines(const std::string* format) {
    Canvas& c = canvas();
    const int gx = DivisionWidth();
    const int top = OriginY - NGridY * DivisionHeight();
    for (int r = 0; r <= NGridX; ++r) {
        const int x = OriginX + r * gx;
        c.pen.color = kBlack;
        c.pen.style = Canvas::PenStyle::Solid;
        c.pen.width = (r == 0 || r == NGridX) ? 2 : 1;
        Line(c, x, OriginY, x, top);
        c.pen.width = 1;
        if (format) {
            const QString label = LabelOf(graph::DivisionValue(LinearX, SValueX, VValueX, r), format);
            c.TextOut(InsidePicture(x - c.TextWidth(label) / 2, c.TextWidth(label)), OriginY + 5, label);
        }
        if (r == NGridX) break;
        c.pen.style = Canvas::PenStyle::Dot;
        const auto minor = [&](int mx) {
            if (SubAxis) {
                Line(c, mx, OriginY, mx, top);
            } else {
                c.pen.style = Canvas::PenStyle::Solid;
                Line(c, mx, OriginY, mx, OriginY - 7);
            }
        };
        if (LinearX) {
            for (int j = 1; j < SubX; ++j) minor(x + j * gx / SubX);
        } else {
            for (int j = 1; j <= 4; ++j) minor(TruncPixel(x + std::log10(2.0L * j) * gx));
        }
    }
}

void TMyGraph::DrawHorizontalLines(const std::string* format) {
    Canvas& c = canvas();
    const int gy = DivisionHeight();
    const int right = OriginX + NGridX * DivisionWidth();
    for (int r = 0; r <= NGridY; ++r) {
        const int y = OriginY - r * gy;
        c.pen.color = kBlack;
        c.pen.style = Canvas::PenStyle::Solid;
        c.pen.width = (r == 0 || r == NGridY) ? 2 : 1;
        Line(c, OriginX, y, right, y);
        c.pen.width = 1;
        if (format) {
            const QString label = LabelOf(graph::DivisionValue(LinearY, SValueY, VValueY, r), format);
            const int x = LeftScale ? OriginX - c.TextWidth(label) - 10 : OriginX + WidthX + 5;
            c.TextOut(InsidePicture(x, c.TextWidth(label)), y - c.TextHeight(label) / 2, label);
        }
        if (r == NGridY) break;
        c.pen.style = Canvas::PenStyle::Dot;
        const auto minor = [&](int my) {
            if (SubAxis) {
                Line(c, OriginX, my, right, my);
            } else {
                c.pen.style = Canvas::PenStyle::Solid;
                Line(c, OriginX, my, OriginX + 7, my);
            }
        };
        if (LinearY) {
            for (int j = 1; j < SubY; ++j) minor(y - j * gy / SubY);
        } else {
            for (int j = 1; j <= 4; ++j) minor(TruncPixel(y - std::log10(2.0L * j) * gy));
        }
    }
}

// A label wider than the room beside the frame is moved in rather than cut at the picture's edge.
int TMyGraph::InsidePicture(int left, int textWidth) const {
    return std::max(0, std::min(left, image().width() - textWidth));
}

void TMyGraph::DrawTitles() {
    Canvas& c = canvas();
    const int h = c.TextHeight(QStringLiteral("A"));
    c.TextOut(OriginX + WidthX / 2 - c.TextWidth(TitleX) / 2, TruncPixel(OriginY + 1.4L * h), TitleX);
    const int titleY = TruncPixel((OriginY - HeightY) - 1.3L * h);
    const int titleX = LeftScale ? OriginX + 10 : OriginX + WidthX - c.TextWidth(TitleY) - 5;
    c.TextOut(titleX, titleY, TitleY);
}

void TMyGraph::DrawGraph(int count, const float* x, const float* y) {
    if (count <= 0 || !x || !y) return;
    Canvas& c = canvas();
    std::vector<QPoint> points;
    for (int i = 0; i < count; ++i) {
        const std::optional<int> px = PixelX(x[i]);
        const std::optional<int> py = PixelY(y[i]);
        if (!px || !py) continue;
        if (i == 0)
            c.MoveTo(*px, *py);
        else
            points.emplace_back(*px, *py);
    }
    c.PolylineTo(points);
    update();
}

void TMyGraph::Marker(int x, int y, int type, int size) {
    Canvas& c = canvas();
    const int r = size;
    const int half = (r + 1) / 2;
    const auto outline = [&c](const std::vector<QPoint>& corners) {
        c.MoveTo(corners.front().x(), corners.front().y());
        for (std::size_t i = 1; i < corners.size(); ++i) c.LineTo(corners[i].x(), corners[i].y());
        c.LineTo(corners.front().x(), corners.front().y());
    };
    switch (type) {
        case 0: c.Ellipse(x - r, y - r, x + r, y + r); break;
        case 1: {
            const std::vector<QPoint> corners{{x, y - r}, {x - r, y + half}, {x + r, y + half}};
            c.Polygon(corners);
            outline(corners);
            break;
        }
        case 2:
            c.FillRect(x - half, y - half, x + half, y + half);
            outline({{x - half, y - half}, {x - half, y + half}, {x + half, y + half}, {x + half, y - half}});
            break;
        case 3: {
            const std::vector<QPoint> corners{{x, y - half}, {x - half, y}, {x, y + half}, {x + half, y}};
            c.Polygon(corners);
            outline(corners);
            break;
        }
        case 4:
            Line(c, x - r, y - r, x + r, y + r);
            Line(c, x + r, y - r, x - r, y + r);
            break;
        case 5:
            Line(c, x, y - r, x, y + r);
            Line(c, x + r, y, x - r, y);
            break;
        default: break;
    }
}

void TMyGraph::Markers(int count, const float* x, const float* y, int type, int size, int every, bool solidMarkers) {
    if (count <= 0 || !x || !y || every <= 0) return;
    Canvas& c = canvas();
    const int right = OriginX + WidthX;
    for (long long i = 0; i < count; i += every) {
        const std::optional<int> px = PixelX(x[i]);
        if (!px) continue;
        if (*px > right) break;
        const std::optional<int> py = PixelY(y[i]);
        if (!py) continue;
        const Canvas::PenStyle style = c.pen.style;
        if (solidMarkers) c.pen.style = Canvas::PenStyle::Solid;
        Marker(*px, *py, type, size);
        c.pen.style = style;
    }
    update();
}

void TMyGraph::PlotGraph(int count, const float* x, const float* y, int type, int size) {
    Markers(count, x, y, type, size, 1, false);
}

void TMyGraph::SkipGraph(int count, const float* x, const float* y, int type, int size, int every) {
    // A negative step counts as its size: the points are taken in the same order.
    Markers(count, x, y, type, size, every == INT_MIN ? INT_MAX : std::abs(every), true);
}

void TMyGraph::XScaleUnit(int count, const float* values) {
    if (!values) count = 0;
    if (const auto scale = graph::ChooseScale(count, values, NGridX, LinearX)) {
        SValueX = scale->start;
        VValueX = scale->step;
    }
}

void TMyGraph::YScaleUnit(int count, const float* values) {
    if (!values) count = 0;
    if (const auto scale = graph::ChooseScale(count, values, NGridY, LinearY)) {
        SValueY = scale->start;
        VValueY = scale->step;
    }
}

namespace {
void TellNegativeOnLog() {
    Dialogs::MessageBox(QStringLiteral("負のデータを対数目盛りでは表せません"), QStringLiteral("目盛り設定エラー"),
                        Dialogs::kOkExclamation);
}
}  // namespace

void TMyGraph::XScaleUnit1(int count, const float* values) {
    if (!values) count = 0;
    bool negative = false;
    const auto scale = graph::ChooseSignedScale(count, values, NGridX, LinearX, negative);
    if (negative && !LinearX) TellNegativeOnLog();
    if (!scale) return;
    SValueX = scale->start;
    VValueX = scale->step;
    NGridX = scale->divisions;
}

void TMyGraph::YScaleUnit1(int count, const float* values) {
    if (!values) count = 0;
    bool negative = false;
    const auto scale = graph::ChooseSignedScale(count, values, NGridY, LinearY, negative);
    if (negative && !LinearY) TellNegativeOnLog();
    if (!scale) return;
    SValueY = scale->start;
    VValueY = scale->step;
    NGridY = scale->divisions;
}

bool TMyGraph::Save_PNG(const QString& fileName) {
    const QImage rgb = image().copy(0, 0, width(), height()).convertToFormat(QImage::Format_RGB888);
    const std::filesystem::path target(QFile::encodeName(fileName).toStdString());
    const tremvix::SaveResult result =
        tremvix::WritePngFile(target, rgb.width(), rgb.height(), rgb.constBits(), static_cast<int>(rgb.bytesPerLine()));
    if (result.ok) return true;
    Dialogs::MessageBox(QStringLiteral("PNG ファイルを保存できませんでした") + QString(5, QChar(0x3000)) +
                            QStringLiteral("\n") + QString::fromStdString(result.error),
                        QStringLiteral("保存エラー"), Dialogs::kOkExclamation);
    return false;
}

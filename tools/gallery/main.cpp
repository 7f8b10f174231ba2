// tremvix-components: the component library with demonstration data, for people to look at.
// Usage: tremvix-components [GRATICULE.csv]

#include "ui/components/GraticuleFile.h"
#include "ui/components/Matgrid.h"
#include "ui/components/Mygraph.h"
#include "ui/components/Mymap.h"
#include "ui/components/Tkbtn.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Spectrum {
    std::vector<float> frequency;
    std::vector<float> amplitude;
};

// Fourier amplitude of a recorded acceleration as it typically looks: a ground peak near
// 2.5 Hz, a slope on both sides and some scatter (a fixed pseudo-random sequence).
Spectrum DemoSpectrum(double from, double to, int count) {
    Spectrum s;
    std::uint32_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        const double f = from * std::pow(to / from, static_cast<double>(i) / (count - 1));
        const double ratio = f / 2.5;
        const double resonance = 1.0 / std::sqrt(std::pow(1.0 - ratio * ratio, 2) + std::pow(2.0 * 0.08 * ratio, 2));
        const double shape = std::pow(f / (f + 0.4), 2) * std::exp(-f / 18.0);
        seed = seed * 1664525u + 1013904223u;
        const double scatter = 0.85 + 0.3 * (seed >> 8) / 16777216.0;
        s.frequency.push_back(static_cast<float>(f));
        s.amplitude.push_back(static_cast<float>(40.0 * resonance * shape * scatter + 0.2));
    }
    return s;
}

QWidget* Captioned(const QString& caption, QWidget* content) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(content);
    layout->addStretch();
    return box;
}

// Both graphs share their size and frame.
TMyGraph* FramedGraph() {
    auto* graph = new TMyGraph;
    graph->setFixedSize(380, 320);
    graph->OriginX = 55;
    graph->OriginY = 270;
    graph->WidthX = 300;
    graph->HeightY = 230;
    return graph;
}

TMyGraph* LinearGraph(const Spectrum& s) {
    TMyGraph* graph = FramedGraph();
    graph->TitleX = QStringLiteral("振動数 [Hz]");
    graph->TitleY = QStringLiteral("フーリエ振幅 [gal·s]");
    std::vector<float> fx;
    std::vector<float> fy;
    for (std::size_t i = 0; i < s.frequency.size(); ++i)
        if (s.frequency[i] <= 10.0f) {
            fx.push_back(s.frequency[i]);
            fy.push_back(s.amplitude[i]);
        }
    const int n = static_cast<int>(fx.size());
    graph->XScaleUnit(n, fx.data());
    graph->YScaleUnit(n, fy.data());
    graph->DrawWakuN();
    graph->canvas().pen.color = 0xC04000;
    graph->DrawGraph(n, fx.data(), fy.data());
    graph->canvas().pen.color = 0x0000C0;
    graph->canvas().brush.color = 0x0000FF;
    graph->SkipGraph(n, fx.data(), fy.data(), 1, 3, 25);
    return graph;
}

TMyGraph* LogGraph(const Spectrum& s) {
    TMyGraph* graph = FramedGraph();
    graph->LinearX = false;
    graph->LinearY = false;
    graph->NGridX = 3;
    graph->NGridY = 4;
    graph->TitleX = QStringLiteral("振動数 [Hz]");
    graph->TitleY = QStringLiteral("フーリエ振幅 [gal·s]");
    const int n = static_cast<int>(s.frequency.size());
    graph->SValueX = 0.1f;
    graph->VValueX = 10.0f;
    graph->YScaleUnit(n, s.amplitude.data());
    graph->DrawWaku();
    graph->canvas().pen.color = 0x208000;
    graph->DrawGraph(n, s.frequency.data(), s.amplitude.data());
    graph->canvas().pen.color = 0x800000;
    graph->canvas().brush.color = 0xFFC080;
    graph->SkipGraph(n, s.frequency.data(), s.amplitude.data(), 0, 3, 40);
    return graph;
}

int Geo(double degrees) {
    const int whole = static_cast<int>(degrees);
    return whole * 100 + static_cast<int>(std::lround((degrees - whole) * 60.0));
}

// Rough outlines of the four main islands, in decimal degrees east and north.
const std::vector<std::vector<std::pair<double, double>>>& Islands() {
    static const std::vector<std::vector<std::pair<double, double>>> islands = {
        {{140.0, 41.4}, {141.2, 41.8}, {141.6, 42.6}, {143.3, 42.0}, {145.0, 43.0}, {145.4, 43.3}, {145.3, 44.3},
         {143.7, 44.1}, {141.9, 45.5}, {141.6, 45.2}, {141.7, 44.2}, {141.4, 43.2}, {140.4, 43.3}, {139.8, 42.6}},
        {{141.5, 41.4}, {142.0, 39.6}, {141.5, 38.3}, {141.0, 37.0}, {140.6, 36.2}, {140.9, 35.7}, {139.8, 35.0},
         {139.1, 35.1}, {138.8, 34.6}, {137.0, 34.6}, {136.8, 34.3}, {136.0, 33.5}, {135.1, 33.9}, {135.3, 34.6},
         {134.2, 34.6}, {133.0, 34.3}, {132.0, 33.9}, {130.9, 34.0}, {131.4, 34.4}, {132.6, 35.5}, {134.0, 35.5},
         {135.4, 35.5}, {136.0, 35.7}, {136.8, 37.3}, {137.3, 36.9}, {138.5, 37.4}, {139.5, 38.5}, {140.0, 39.9},
         {140.0, 40.6}, {140.9, 41.2}},
        {{132.5, 33.3}, {132.9, 32.8}, {133.2, 33.4}, {134.2, 33.2}, {134.7, 33.9}, {134.3, 34.3}, {133.5, 34.4},
         {132.8, 33.9}},
        {{130.9, 33.9}, {131.7, 33.6}, {131.9, 32.5}, {131.3, 31.4}, {130.7, 31.0}, {130.2, 31.3}, {130.4, 32.2},
         {129.8, 32.6}, {129.7, 33.2}, {130.3, 33.6}},
    };
    return islands;
}

TMyMap* DemoMap(bool haveTable) {
    auto* map = new TMyMap;
    map->setFixedSize(430, 430);
    map->SCX = 55;
    map->SCY = 35;
    map->SCW = 330;
    map->SCH = 350;
    // 128°–146° east, 30°–46° north on the shipped table (480 × 600 map units per degree).
    map->MPX = 6 * 480;
    map->MPY = 6 * 600;
    map->MPH = 16 * 600;
    map->Division = 2;
    map->LetterSize = 13;
    map->Clear(0xFFF8F0);
    std::vector<std::vector<std::int32_t>> lines;
    for (const auto& island : Islands()) {
        std::vector<std::int32_t> points;
        for (const auto& [lon, lat] : island)
            if (const auto m = map->graticule_position(Geo(lon), Geo(lat))) {
                points.push_back(m->x);
                points.push_back(m->y);
            }
        lines.push_back(points);
    }
    std::int32_t counts[TMyMap::kPolylines] = {};
    const std::int32_t* pointers[TMyMap::kPolylines] = {};
    for (std::size_t p = 0; p < lines.size(); ++p) {
        counts[p] = static_cast<std::int32_t>(lines[p].size() / 2);
        pointers[p] = lines[p].data();
    }
    map->PenColor = 0x604020;
    map->MapDraw(counts, pointers);
    if (!haveTable) return map;
    const struct {
        int lon, lat, type;
        std::uint32_t color;
    } marks[] = {{13946, 3541, 0, 0x0000FF}, {13530, 3441, 2, 0x00A000}, {14121, 4303, 1, 0xFF0000},
                 {13024, 3335, 3, 0x00A0FF}, {14052, 3816, 4, 0x800080}, {13655, 3510, 5, 0x000000}};
    for (const auto& m : marks) {
        map->canvas().pen.color = m.color;
        map->canvas().pen.width = 2;
        map->canvas().brush.style = Canvas::BrushStyle::Solid;
        map->canvas().brush.color = m.color;
        map->MarkPlot(m.lon, m.lat, 5, m.type);
    }
    return map;
}

TMatGrid* DemoMatrix() {
    auto* grid = new TMatGrid;
    grid->setFixedSize(430, 150);
    grid->setDefaultColWidth(80);
    // Correlation of four channels, row-major with a stride of 4.
    const float data[] = {1.000f, 0.842f, -0.127f, 0.315f, 0.842f, 1.000f, -0.093f, 0.288f,
                          -0.127f, -0.093f, 1.000f, 0.611f, 0.315f, 0.288f, 0.611f, 1.000f};
    grid->Display(data, 4, 4, 4, "%8.3f");
    return grid;
}

QImage DemoPicture() {
    QImage picture(120, 40, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 120, 40);
    gradient.setColorAt(0.0, QColor(40, 90, 180));
    gradient.setColorAt(1.0, QColor(140, 210, 250));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 160), 2));
    for (int x = -40; x < 160; x += 12) painter.drawLine(x, 40, x + 40, 0);
    return picture;
}

QWidget* DemoButtons() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    auto* picture = new TTkBtn;
    picture->setFixedSize(160, 48);
    picture->BevelWidth = 2;
    picture->Caption = QStringLiteral("絵のボタン");
    picture->Set_Picture(DemoPicture());
    auto* plain = new TTkBtn;
    plain->setFixedSize(160, 48);
    plain->BevelWidth = 2;
    plain->BorderWidth = 2;
    plain->BevelInner = TTkBtn::Bevel::Lowered;
    plain->Caption = QStringLiteral("Plain panel");
    layout->addWidget(picture);
    layout->addWidget(plain);
    layout->addStretch();
    return box;
}

std::string GraticulePath(int argc, char** argv) {
    if (argc > 1) return argv[1];
    return std::string(TREMVIX_GALLERY_EXAMPLES) + "/graticule_japan.csv";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::string error;
    const bool haveTable = LoadGraticuleFile(GraticulePath(argc, argv), &error);
    if (!haveTable) std::fprintf(stderr, "tremvix-components: %s\n", error.c_str());

    const Spectrum spectrum = DemoSpectrum(0.1, 50.0, 400);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tremvix components"));
    auto* grid = new QGridLayout(&window);
    grid->addWidget(Captioned(QStringLiteral("TMyGraph: linear axes, DrawWakuN"), LinearGraph(spectrum)), 0, 0);
    grid->addWidget(Captioned(QStringLiteral("TMyGraph: logarithmic axes, DrawWaku"), LogGraph(spectrum)), 0, 1);
    grid->addWidget(Captioned(QStringLiteral("TMyMap: shipped graticule, outlines and marks"), DemoMap(haveTable)), 0, 2, 2, 1);
    grid->addWidget(Captioned(QStringLiteral("TMatGrid: %8.3f"), DemoMatrix()), 1, 0);
    grid->addWidget(Captioned(QStringLiteral("TTkBtn: with and without a picture"), DemoButtons()), 1, 1);
    window.move(0, 0);
    window.show();
    return app.exec();
}

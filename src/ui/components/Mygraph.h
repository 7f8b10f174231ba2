#pragma once

#include "ui/widgets/ImageControl.h"

#include "ui/components/GraphArithmetic.h"
#include "ui/widgets/Canvas.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

// An x-y graph: a frame with a grid, linear or logarithmic axes with labels and titles,
// and data drawn as a line or as markers. Owns a picture of its own size.
class TMyGraph : public ImageControl {
    Q_OBJECT
public:
    explicit TMyGraph(QWidget* parent = nullptr);
    ~TMyGraph() override;

    int NGridX = 4;
    int NGridY = 4;
    int WidthX = 250;
    int HeightY = 250;
    int OriginX = 35;
    int OriginY = 270;
    bool LinearX = true;
    bool LinearY = true;
    float SValueX = 0.0f;
    float SValueY = 0.0f;
    float VValueX = 5.0f;
    float VValueY = 10.0f;
    bool SubAxis = true;
    bool OverWrite = false;
    bool LeftScale = true;
    int SubX = 5;
    int SubY = 5;
    QString TitleX = QStringLiteral("TitleX [unit]");
    QString TitleY = QStringLiteral("TitleY [unit]");

    void DrawWaku();
    void DrawWakuN();
    void DrawGraph(int count, const float* x, const float* y);
    void PlotGraph(int count, const float* x, const float* y, int type, int size);
    void SkipGraph(int count, const float* x, const float* y, int type, int size, int every);
    void XScaleUnit(int count, const float* values);
    void YScaleUnit(int count, const float* values);
    void XScaleUnit1(int count, const float* values);
    void YScaleUnit1(int count, const float* values);
    // False (after telling the user) when the file could not be written.
    bool Save_PNG(const QString& fileName);

    // Tick label of `value` into `text` (at least 13 bytes).
    static void _round_number(float value, char* text);
    // Minor division count of a division value; writes its label format into `format`
    // (at least 8 bytes) unless the value is not positive.
    static int sub_scale(float value, char* format);
    static bool zero_string(const char* text);


    // Pixel of a data value on the current x or y axis; none where it has no position.
    std::optional<int> PixelX(float value) const;
    std::optional<int> PixelY(float value) const;
    // The x value at a pixel column (the inverse of PixelX); none where the axis places nothing.
    std::optional<double> ValueAtX(int x) const;
    // Whether a pixel lies inside the frame, edges included.
    bool InsideFrame(int x, int y) const;

signals:
    // The pointer moved over the graph, at this pixel of the picture.
    void mouseMoved(int x, int y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    enum class Labels { Rounded, Formatted };
    void DrawFrame(Labels labels);
    void DrawVerticalLines(const std::string* format);
    void DrawHorizontalLines(const std::string* format);
    void DrawTitles();
    int InsidePicture(int left, int textWidth) const;
    bool LogStartMissing(bool linear, float start, const char* text, const char* caption);
    void Marker(int x, int y, int type, int size);
    void Markers(int count, const float* x, const float* y, int type, int size, int every, bool solidMarkers);
    graph::Axis AxisX() const;
    graph::Axis AxisY() const;
    int DivisionWidth() const;
    int DivisionHeight() const;
};

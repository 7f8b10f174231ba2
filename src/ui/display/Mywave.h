#pragma once

#include "ui/widgets/Canvas.h"
#include "ui/widgets/ImageControl.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

// The waveform canvas: an image control that owns an off-screen picture of its own
// size, draws a time-history scale around an origin and polylines of samples on it.
class TMyWave : public ImageControl {
    Q_OBJECT
public:
    explicit TMyWave(QWidget* parent = nullptr);
    ~TMyWave() override;

    std::int32_t OriginX = 50;
    std::int32_t OriginY = 100;
    std::int32_t UnitLenX = 100;
    std::int32_t UnitLenY = 25;
    std::int32_t NGridX = 3;
    std::int32_t NGridY = 2;
    std::int32_t SubX = 5;
    std::int32_t SubY = 2;
    bool PlusOnly = false;
    float SValueX = 0.0f;
    float SValueY = 0.0f;
    float VValueX = 1.0f;
    float VValueY = 10.0f;
    QString Title = QStringLiteral("Sample Wave");
    QString UnitX = QStringLiteral("[sec]");
    QString UnitY = QStringLiteral("[cm]");

    void DrawScale();
    void DrawWave1(int count, const float* samples, float dt);
    void DrawWave(int count, const float* samples, int step, int pixelStep);
    void PlotWave(int count, const float* samples, int step, int interval, int type, int size);
    void PlotWave1(int count, const float* samples, float dt, int type, int size);
    // Writes the tick label of `value` into `text` (at least 13 bytes).
    static void _round_number(float value, char* text);

    // Pixel row of a sample value on the current scale.
    int PixelY(float value) const;

signals:
    void mouseMoved(int x, int y);
    void mousePressed(Qt::MouseButton button, int x, int y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Marker(int x, int y, int type, int size);
};

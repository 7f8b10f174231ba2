#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <vector>

// A one-pixel solid polyline in copy mode, drawn the way the platform's line drawing
// does: every segment lights its pixels from its start up to, not including, its end,
// so the last point of the polyline stays unlit. Pixels outside the image are skipped,
// and so is the work for them, however far away a point lies.
void DrawThinPolyline(QImage& image, const std::vector<QPoint>& points, std::uint32_t bgr);

#pragma once

#include "ui/widgets/Canvas.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>

// An image control: a widget that owns an off-screen picture of its own size, made
// when it is first drawn on, and shows it. The drawing components build on it.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    ImageControl(int width, int height, QWidget* parent);

    // The picture, pixel for pixel.
    const QImage& image() const;
    Canvas& canvas();
    // Brush to `color`, then the whole picture filled with it (0x00BBGGRR).
    void Clear(std::uint32_t color);
    // The whole picture on the clipboard as a bitmap.
    void Copy();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void EnsurePicture() const;

    mutable QImage picture_;
    mutable std::optional<Canvas> canvas_;
};

#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

// The drawing surface of the canvas components: an off-screen image with a pen, a
// brush, a font and a pen position, drawn aliased. Colours are 0x00BBGGRR values.
class Canvas {
public:
    enum class PenMode { Copy, Xor, NotXor };
    enum class PenStyle { Solid, Dot, Dash };
    enum class BrushStyle { Solid, Clear };

    struct Pen {
        std::uint32_t color = 0x000000;
        int width = 1;
        PenMode mode = PenMode::Copy;
        PenStyle style = PenStyle::Solid;
    };
    struct Brush {
        std::uint32_t color = 0xFFFFFF;
        BrushStyle style = BrushStyle::Solid;
    };

    explicit Canvas(QImage& image);

    Pen pen;
    Brush brush;
    QFont font;
    std::uint32_t fontColor = 0x000000;

    void MoveTo(int x, int y) { position_ = QPoint(x, y); }
    void LineTo(int x, int y);
    QPoint PenPos() const { return position_; }
    // A polyline from the pen position through the points, in one pass.
    void PolylineTo(const std::vector<QPoint>& points);
    void FillRect(int left, int top, int right, int bottom);  // with the brush, right/bottom excluded
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<QPoint>& points);
    // Text with its top-left corner at (x, y), on an opaque background of the brush colour
    // unless the brush is clear. Leaves the pen position at the end of the text.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    void Draw(const QImage& picture, const QRect& target);

    QImage& image() { return image_; }

private:
    void BeginPen(QPainter& painter) const;
    void BeginBrush(QPainter& painter) const;

    QImage& image_;
    QPoint position_;
};

QColor QColorOfBgr(std::uint32_t bgr);

// Pixel positions: truncated toward zero after clamping, so that huge or infinite
// values can never overflow an int (not-a-number lands at the far bottom).
int TruncPixel(long double value);

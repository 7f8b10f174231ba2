#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

class QPainter;
class TTkBtn;

// The picture property: an image that repaints its button whenever it is assigned.
class RepaintingImage : public QImage {
public:
    explicit RepaintingImage(TTkBtn& owner) : owner_(owner) {}
    RepaintingImage(const RepaintingImage&) = delete;
    RepaintingImage& operator=(const RepaintingImage& other) { return *this = static_cast<const QImage&>(other); }
    RepaintingImage& operator=(const QImage& picture);

private:
    TTkBtn& owner_;
};

// A panel that paints a picture stretched over its face, with the panel's bevels, border
// and caption on top, and that looks pressed while the left mouse button is held on it.
class TTkBtn : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Lowered, Raised };

    explicit TTkBtn(QWidget* parent = nullptr);

    // The panel's own properties.
    Bevel BevelOuter = Bevel::Raised;
    Bevel BevelInner = Bevel::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    QString Caption;
    Qt::Alignment Alignment = Qt::AlignHCenter;
    std::uint32_t Color = 0xF0F0F0;           // face (button face)
    std::uint32_t HighlightColor = 0xFFFFFF;  // light edges of a bevel
    std::uint32_t ShadowColor = 0x808080;     // dark edges of a bevel

    // The picture; an empty one makes the button a plain panel. Assigning it repaints.
    RepaintingImage PictureImg{*this};
    void Set_Picture(const QImage& picture);

    // Paints the face as shown, into any device of the button's size.
    void Paint(QPainter& painter) const;
    // The face as an image of the button's size.
    QImage image() const;

    void MouseDown(Qt::MouseButton button);
    void MouseUp(Qt::MouseButton button);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#include "ui/survey/EventMapView.h"

#include "ui/survey/Coastline.h"

#include <QMouseEvent>

EventMapView::EventMapView(QWidget* parent) : TMyMap(parent) {
    SetUpEventMap(*this);
    Redraw();
}

void EventMapView::Show(std::vector<StationMark> marks, tremvix::MarkScheme scheme) {
    marks_ = std::move(marks);
    scheme_ = scheme;
    if (selected_ && *selected_ >= marks_.size()) selected_.reset();
    Redraw();
}

void EventMapView::SetSelected(std::optional<std::size_t> mark) {
    if (mark == selected_) return;
    selected_ = mark;
    Redraw();
}

std::optional<QPoint> EventMapView::PositionOf(std::size_t mark) const {
    return mark < positions_.size() ? positions_[mark] : std::nullopt;
}

void EventMapView::Redraw() { positions_ = DrawEventMap(*this, ProgramCoastline(), marks_, scheme_, selected_); }

void EventMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return TMyMap::mousePressEvent(event);
    if (const std::optional<std::size_t> mark = MarkNear(positions_, event->position().toPoint())) emit MarkClicked(*mark);
}

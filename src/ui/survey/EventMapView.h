#pragma once

#include "core/survey/SurveyMarks.h"
#include "ui/components/Mymap.h"
#include "ui/survey/EventMap.h"

#include <optional>
#include <vector>

// The event map in a window: the stations' marks drawn on a TMyMap, and a click near
// a mark told as that mark's index.
class EventMapView : public TMyMap {
    Q_OBJECT
public:
    explicit EventMapView(QWidget* parent = nullptr);

    // The marks with their classes in `scheme`.
    void Show(std::vector<StationMark> marks, tremvix::MarkScheme scheme);
    tremvix::MarkScheme Scheme() const { return scheme_; }
    void SetSelected(std::optional<std::size_t> mark);
    std::optional<std::size_t> Selected() const { return selected_; }
    const std::vector<StationMark>& Marks() const { return marks_; }
    // Where mark k is on the picture (nothing when it lies outside the map).
    std::optional<QPoint> PositionOf(std::size_t mark) const;
    void Redraw();

signals:
    void MarkClicked(std::size_t mark);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<StationMark> marks_;
    std::vector<std::optional<QPoint>> positions_;
    tremvix::MarkScheme scheme_ = tremvix::MarkScheme::Intensity;
    std::optional<std::size_t> selected_;
};

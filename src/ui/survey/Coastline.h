#pragma once

#include "core/map/GeoJsonLines.h"

#include <QPointF>
#include <QString>

#include <vector>

// The coastlines the event map draws, in the map's units (see core/map/JapanMap.h).
struct MapLine {
    std::vector<QPointF> points;  // map x, map y
    bool closed = false;          // an island or a lake: filled
};
struct Coastline {
    std::vector<MapLine> lines;
    QString error;  // set: no coastline could be read (the map is drawn without one)
};

// Lines given in degrees, projected for the map.
Coastline ProjectCoastline(const tremvix::GeoJsonLines& lines);

// The coastline file that comes with the program (Natural Earth's 1:50m coastline):
// looked for in share/tremvix beside the program's folder (the build tree and an
// installed prefix alike), then in the folder the program was installed to.
QString CoastlineFilePath();
Coastline ReadCoastlineFile(const QString& path);
// The coastline of the program, read once.
const Coastline& ProgramCoastline();

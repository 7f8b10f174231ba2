#include "ui/survey/Coastline.h"

#include "core/map/JapanMap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointF>

namespace {

const char* const kFileName = "coastline-japan-50m.geojson";

}  // namespace

Coastline ProjectCoastline(const tremvix::GeoJsonLines& lines) {
    Coastline coast;
    coast.error = QString::fromStdString(lines.error);
    for (const tremvix::GeoLine& line : lines.lines) {
        MapLine projected;
        projected.closed = line.closed;
        projected.points.reserve(line.points.size());
        for (const tremvix::GeoPoint& p : line.points) {
            const tremvix::MapPosition at = tremvix::JapanMapPosition(p.latitude, p.longitude);
            projected.points.emplace_back(at.x, at.y);
        }
        coast.lines.push_back(std::move(projected));
    }
    return coast;
}

QString CoastlineFilePath() {
    const QStringList folders = {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tremvix"),
                                 QStringLiteral(TREMVIX_DATA_DIR)};
    for (const QString& folder : folders) {
        const QString path = QDir::cleanPath(folder + QLatin1Char('/') + QLatin1String(kFileName));
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

Coastline ReadCoastlineFile(const QString& path) {
    if (path.isEmpty()) return {{}, QStringLiteral("%1 が見つかりません").arg(QLatin1String(kFileName))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, QStringLiteral("%1 を開けません").arg(path)};
    const QByteArray bytes = file.readAll();
    return ProjectCoastline(tremvix::ReadGeoJsonLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

const Coastline& ProgramCoastline() {
    static const Coastline coast = ReadCoastlineFile(CoastlineFilePath());
    return coast;
}

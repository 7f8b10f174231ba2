#include "ui/export/GraphExport.h"

#include "core/export/PngEncoder.h"
#include "ui/display/Mywave.h"

#include <QClipboard>
#include <QGuiApplication>

QImage GraphSnapshot(const TMyWave& canvas) { return canvas.image().copy(); }

void CopyGraphToClipboard(const TMyWave& canvas) { QGuiApplication::clipboard()->setImage(GraphSnapshot(canvas)); }

tremvix::SaveResult SaveGraphPng(const TMyWave& canvas, const QString& file) {
    const QImage rgb = GraphSnapshot(canvas).convertToFormat(QImage::Format_RGB888);
    return tremvix::WritePngFile(std::filesystem::path(file.toStdString()), rgb.width(), rgb.height(), rgb.constBits(),
                                 static_cast<int>(rgb.bytesPerLine()));
}

#include "ui/analysis/AnalysisExport.h"

#include "core/export/PngEncoder.h"

#include <QFile>

#include <cstdio>

namespace {

std::filesystem::path PathOf(const QString& name) { return std::filesystem::path(QFile::encodeName(name).toStdString()); }

}  // namespace

tremvix::SaveResult SaveBytes(const QString& name, const QByteArray& bytes) {
    return tremvix::WriteFileAtomically(PathOf(name), [&bytes](std::FILE* file) {
        return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file) ==
               static_cast<std::size_t>(bytes.size());
    });
}

tremvix::SaveResult SaveImagePng(const QImage& image, const QString& name) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return tremvix::WritePngFile(PathOf(name), rgb.width(), rgb.height(), rgb.constBits(),
                                 static_cast<int>(rgb.bytesPerLine()));
}

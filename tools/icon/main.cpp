// tremvix-icon OUTDIR: writes the application icon in the freedesktop icon theme
// layout: OUTDIR/hicolor/NxN/apps/org.tremvix.Tremvix.png for the usual sizes and
// OUTDIR/hicolor/scalable/apps/org.tremvix.Tremvix.svg, all drawn by the program's
// own logo code.
#include "ui/app/Logo.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
const char* const kName = "org.tremvix.Tremvix";

bool WritePng(const QString& root, int size) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    return QDir().mkpath(folder) && TremvixIcon(size).save(QStringLiteral("%1/%2.png").arg(folder, kName), "PNG");
}

bool WriteSvg(const QString& root) {
    const QString folder = root + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(folder)) return false;
    QFile file(QStringLiteral("%1/%2.svg").arg(folder, kName));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(TremvixIconSvg().toUtf8()) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tremvix-icon OUTDIR\n");
        return 2;
    }
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : kSizes)
        if (!WritePng(root, size)) {
            std::fprintf(stderr, "tremvix-icon: cannot write the %d-pixel icon under %s\n", size, argv[1]);
            return 1;
        }
    if (!WriteSvg(root)) {
        std::fprintf(stderr, "tremvix-icon: cannot write the SVG icon under %s\n", argv[1]);
        return 1;
    }
    return 0;
}

#pragma once

#include "cli/CommandLine.h"
#include "core/export/PngEncoder.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

struct CliResult {
    int status = -1;  // -1: the program crashed or did not end
    QByteArray out;
    QByteArray err;
};

// The real program, as a shell would start it: no display, no platform chosen.
inline CliResult RunProgram(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TREMVIX_BINARY), arguments);
    if (!process.waitForFinished(120000)) return {};
    CliResult result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// The command line called in this process.
inline CliResult RunInProcess(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = tremvix::cli::RunCommandLine(arguments, out, err);
    return {status, QByteArray::fromStdString(out.str()), QByteArray::fromStdString(err.str())};
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rows of a CSV output without quoting (numbers only), split at LF.
inline std::vector<std::vector<std::string>> CsvRows(const QByteArray& text) {
    std::vector<std::vector<std::string>> rows;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty()) continue;
        std::vector<std::string> fields;
        for (const QByteArray& field : line.split(',')) fields.push_back(field.toStdString());
        rows.push_back(std::move(fields));
    }
    return rows;
}

// Pixels of a PNG file, decoded: width, height and RGB rows.
struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    bool operator==(const DecodedPng&) const = default;
};

inline DecodedPng DecodePng(const QString& path) {
    DecodedPng png;
    if (!tremvix::DecodePngFile(path.toStdString(), png.width, png.height, png.rgb)) return {};
    return png;
}

// How many pixels differ, for a readable failure.
inline int DifferingPixels(const DecodedPng& a, const DecodedPng& b) {
    if (a.rgb.size() != b.rgb.size()) return -1;
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3)
        if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ++count;
    return count;
}

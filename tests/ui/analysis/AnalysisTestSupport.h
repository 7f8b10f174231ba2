#pragma once

#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <span>
#include <vector>

// A standard data file of the given columns: ids, point names, units, samples.
inline QByteArray StandardText(const QStringList& ids, const QStringList& names, const QStringList& units,
                               const std::vector<std::vector<double>>& columns) {
    QByteArray text = ids.join(',').toUtf8() + "\r\n" + names.join(',').toUtf8() + "\r\n";
    QStringList memos;
    for (int c = 0; c < ids.size(); ++c) memos << QStringLiteral("M%1").arg(c + 1);
    text += memos.join(',').toUtf8() + "\r\n" + units.join(',').toUtf8() + "\r\n";
    for (std::size_t i = 0; i < columns.front().size(); ++i) {
        for (std::size_t c = 0; c < columns.size(); ++c)
            text += (c ? "," : "") + QByteArray::number(columns[c][i], 'g', 9);
        text += "\r\n";
    }
    return text;
}

// n samples of a sine of amplitude a and frequency f (Hz) sampled every dt, plus a
// decaying burst at `burst` Hz so that spectra have a clear shape.
inline std::vector<double> Wave(int n, double dt, double a, double f, double burst = 0.0) {
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i * dt;
        x[i] = a * std::sin(2.0 * M_PI * f * t);
        if (burst > 0.0) x[i] += 3.0 * a * std::exp(-0.5 * t) * std::sin(2.0 * M_PI * burst * t);
    }
    return x;
}

// A PEER record in g of the samples, DT as the file states it (".0030"), of the
// component `azimuth` ("090", "UP").
inline QByteArray At2Text(const std::vector<double>& g, const char* dt, const char* azimuth = "090") {
    QByteArray text = "PEER NGA STRONG MOTION DATABASE RECORD\r\nTest Event, 1/2/2003, Test Station, " + QByteArray(azimuth) +
                      "\r\n"
                      "ACCELERATION TIME SERIES IN UNITS OF G\r\nNPTS=  " +
                      QByteArray::number(static_cast<int>(g.size())) + ", DT=   " + dt + " SEC\r\n";
    for (std::size_t i = 0; i < g.size(); ++i) {
        text += "  " + QByteArray::number(g[i], 'E', 7);
        if (i % 5 == 4 || i + 1 == g.size()) text += "\r\n";
    }
    return text;
}

// CSV or tab-separated text split into rows of fields (no quoting needed by the tests).
inline std::vector<QStringList> Rows(const QString& text, const QString& lineEnd, QChar separator) {
    std::vector<QStringList> rows;
    for (const QString& line : text.split(lineEnd, Qt::SkipEmptyParts)) rows.push_back(line.split(separator));
    return rows;
}

inline double Number(const QString& field) {
    const QByteArray bytes = field.toLatin1();
    double value = std::nan("");
    std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    return value;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Pixels of one 0x00BBGGRR colour inside a rectangle of a picture.
inline int PixelsOf(const QImage& image, std::uint32_t bgr, const QRect& area) {
    const QRgb wanted = qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
    return n;
}

class AnalysisTest : public FormsTest {
protected:
    // Transfers the marked rows of `path`; `clear` empties the loaded channels first.
    void Transfer(const QString& path, std::initializer_list<int> rows, bool clear = true) {
        Scan(path);
        Mark(rows);
        SetData->CheckBox1->setChecked(clear);
        SetData->CheckBox2->setChecked(false);
        SetData->Button4->click();
        QCoreApplication::processEvents();  // the windows hear of the change when the event loop runs
    }
    const tremvix::ChannelRecord& Base(int k) const { return Open->Store().BaseBank[k]; }
    std::span<const float> Samples(int k) const {
        return {Base(k).Samples.data(), static_cast<std::size_t>(Base(k).StoredCount())};
    }
    void SaveAs(const QString& path) {
        Dialogs::SetSaveFileHandler([path](const QString&) { return path; });
    }

    DataFiles files;
};

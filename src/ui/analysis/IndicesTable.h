#pragma once

#include "core/analysis/GroundMotionIndices.h"
#include "ui/analysis/LoadedChannels.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tremvix {
struct IntegrationSetup;
}

// The ground-motion indices of one acceleration channel, in gal, and its SI value.
struct IndicesRow {
    int index = 0;  // store index
    QString id;
    tremvix::GroundMotionIndices values;
    std::optional<double> si;  // cm/s, of the record as stored (its mean kept); none when refused
};

// One row per loaded acceleration channel (a unit GalPerUnit knows), its samples
// converted to gal first, sampled at `rate` Hz; setup as the pop-up's integration gets it.
std::vector<IndicesRow> ComputeIndicesRows(const std::vector<LoadedChannel>& channels,
                                           const tremvix::IntegrationSetup& setup, double rate);

// The grid's column headings: "番号", "ID", "PGA (gal)", ..., "SI (cm/s)".
QStringList IndicesHeadings();

// The cells of a row as the grid shows them: values with three decimals, times with
// as many as the sampling interval dt needs, "—" where there is none.
QStringList IndicesCells(const IndicesRow& row, double dt);

// Decimals that show every multiple of dt exactly: 2 for 0.01 s, 4 for 0.0005 s; at most 6.
int TimeDecimals(double dt);

// The settings line ("# " and the settings), the header and the rows with numbers that
// read back to the same doubles: for the CSV file
// ("channel,id,pga,pga_time_s,pgv,pgd,arias,d5_95,cav,si": the command line's indices
// first, in its order) and for the clipboard (the grid's headings).
std::vector<QStringList> IndicesCsvRows(const std::vector<IndicesRow>& rows, const QStringList& settings);
std::vector<QStringList> IndicesClipboardRows(const std::vector<IndicesRow>& rows, const QStringList& settings);

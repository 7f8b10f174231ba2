// The scan: the data set window's "ファイル" button.
#include "core/data/ChannelStore.h"
#include "core/data/DataFileReader.h"
#include "core/formats/NetworkRecord.h"
#include "ui/base/Dialogs.h"
#include "ui/data/DataSetHost.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"
#include "ui/base/TextCodec.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <algorithm>


void TSetData::Button2Click() {
    // The networks' own extensions (the dialog matches them in either letter case),
    // the JMA's CSV files and the seismological formats.
    const QString file = Dialogs::OpenFileName(
        QStringLiteral("計測データファイル(*.csv)|*.csv|観測網の記録|*.NS;*.EW;*.UD;*.NS1;*.EW1;*.UD1;*.NS2;*.EW2;*.UD2;"
                       "*.AT2;*.csv;*.sac;*.mseed;*.miniseed;*.cnt;*.win;*.win32;*.ch;*.tbl|すべて(*.*)|*.*"));
    if (file.isEmpty()) return;
    ScanFile(file);
}

// A record of a recording network is read as what it is, whatever the data-format
// menu says; everything else in the layout the menu has chosen.
void TSetData::ScanFile(const QString& file) {
    const std::filesystem::path path(file.toStdString());
    if (const auto network = tremvix::DetectNetworkLayout(path)) return ScanNetworkFile(file, *network);
    ScanCsvFile(file);
}

void TSetData::ScanCsvFile(const QString& file) {
    tremvix::ChannelStore& store = host_.Store();
    const bool eDefence = store.EDefenceMode;
    const tremvix::ScanResult scan = ScanDataFile(std::filesystem::path(file.toStdString()),
                                                  eDefence ? tremvix::FileLayout::EDefence : tremvix::FileLayout::Standard);
    const bool notStandard = scan.refusal && scan.refusal->kind == tremvix::RefusalKind::NotStandardFormat;
    if (scan.refusal && !notStandard) {
        // Nothing is touched for a file that cannot be read as a data file at all.
        ShowRefusal(*scan.refusal);
        return;
    }

    ClearGrid(eDefence ? 0 : 1);
    DataFilePath = file;
    ScannedLayout = eDefence ? tremvix::FileLayout::EDefence : tremvix::FileLayout::Standard;
    ScannedNetwork.reset();
    ScannedRate = 0.0;
    ScannedFiles = {std::filesystem::path(file.toStdString())};
    ScannedCompanion.clear();
    ShowLayoutCaption(menuCaption_);
    Label1->setText(QFileInfo(file).fileName());
    Label1->adjustSize();

    const int n = scan.channelCount;
    StringGrid1->setRowCount(n + 1);
    for (int k = 0; k < n; ++k) {
        if (!eDefence) StringGrid1->setCell(0, k + 1, DecodeText(scan.ids[k]));
        StringGrid1->setCell(1, k + 1, DecodeText(scan.names[k]));
        StringGrid1->setCell(2, k + 1, eDefence ? QString() : DecodeText(scan.memos[k]));
    }
    if (notStandard) {
        ShowRefusal(*scan.refusal);
        return;
    }
    for (int k = 0; k < n; ++k) {
        if (eDefence) StringGrid1->setCell(0, k + 1, DecodeText(scan.ids[k]));
        StringGrid1->setCell(3, k + 1, DecodeText(scan.units[k]));
    }
    ShowScanned(n, scan.dataLines);
}

// A record that needs a second file not found beside it (a WIN32 file's channel
// table) asks for it; without one it is read as the layout reads it alone.
std::filesystem::path TSetData::AskForCompanion(const std::filesystem::path& file, tremvix::NetworkLayout layout) {
    const std::optional<tremvix::CompanionFile> wanted = tremvix::MissingCompanion(file, layout);
    if (!wanted) return {};
    const QString what = QString::fromStdString(wanted->what);
    const QString patterns = QString::fromStdString(wanted->patterns);
    const QString chosen =
        Dialogs::OpenFileName(what + "(" + patterns + ")|" + patterns + QStringLiteral("|すべて(*.*)|*.*"));
    return std::filesystem::path(chosen.toStdString());
}

void TSetData::ScanNetworkFile(const QString& file, tremvix::NetworkLayout layout) {
    const std::filesystem::path path(file.toStdString());
    const std::filesystem::path companion = AskForCompanion(path, layout);
    const tremvix::ScanResult scan = ScanNetworkRecord(path, layout, companion);
    if (scan.refusal) {
        ShowRefusal(*scan.refusal);
        return;
    }
    ClearGrid(0);
    DataFilePath = file;
    ScannedLayout.reset();
    ScannedNetwork = layout;
    ScannedRate = scan.samplingRate;
    ScannedFiles = scan.files;
    ScannedCompanion = companion;
    ShowLayoutCaption(QString::fromStdString(scan.layoutName));
    Label1->setText(QFileInfo(file).fileName());
    Label1->adjustSize();
    const int n = scan.channelCount;
    StringGrid1->setRowCount(n + 1);
    for (int k = 0; k < n; ++k) {
        StringGrid1->setCell(0, k + 1, DecodeText(scan.ids[k]));
        StringGrid1->setCell(1, k + 1, DecodeText(scan.names[k]));
        StringGrid1->setCell(2, k + 1, DecodeText(scan.memos[k]));
        StringGrid1->setCell(3, k + 1, DecodeText(scan.units[k]));
    }
    ShowScanned(n, scan.dataLines);
    for (const std::string& notice : scan.notices)
        Dialogs::MessageBox(QString::fromStdString(notice), QStringLiteral("お知らせ"), Dialogs::kOkExclamation);
}

void TSetData::ClearGrid(int firstColumn) {
    const int oldRows = StringGrid1->rowCount();
    for (int r = 1; r < oldRows; ++r)
        for (int c = firstColumn; c <= 4; ++c) StringGrid1->setCell(c, r, QString());
}

void TSetData::ShowScanned(int channels, int dataLines) {
    tremvix::ChannelStore& store = host_.Store();
    Label2->setText(QStringLiteral("%1データ").arg(dataLines));
    Label2->adjustSize();
    Label3->setText(QStringLiteral("%1チャンネル").arg(channels));
    Label3->adjustSize();
    store.FileLineCount = dataLines;
    store.DataCount = dataLines;
    for (QPushButton* button : {Button5, Button4, Button3, Button6}) button->setEnabled(true);
    FileChannelCount = channels;
}

void TSetData::ShowRefusal(const tremvix::Refusal& refusal) {
    Dialogs::MessageBox(QString::fromStdString(RefusalText(refusal)), QString::fromStdString(RefusalCaption(refusal)),
                        Dialogs::kOkExclamation);
}

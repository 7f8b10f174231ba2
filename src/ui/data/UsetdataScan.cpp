// The scan: the data set window's "ファイル" button.
#include "core/data/DataFileReader.h"
#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"
#include "ui/base/TextCodec.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kDataCountCap = 40000;
}

void TSetData::Button2Click() {
    const QString file = Dialogs::OpenFileName(QStringLiteral("計測データファイル(*.csv)|*.csv|すべて(*.*)|*.*"));
    if (file.isEmpty()) return;
    ScanFile(file);
}

void TSetData::ScanFile(const QString& file) {
    tremvix::ChannelStore& store = Open->Store();
    const bool eDefence = store.EDefenceMode;
    const tremvix::ScanResult scan = ScanDataFile(std::filesystem::path(file.toStdString()),
                                                  eDefence ? tremvix::FileLayout::EDefence : tremvix::FileLayout::Standard);
    const bool notStandard = scan.refusal && scan.refusal->kind == tremvix::RefusalKind::NotStandardFormat;
    if (scan.refusal && !notStandard) {
        // Nothing is touched for a file that cannot be read as a data file at all.
        Dialogs::MessageBox(QString::fromStdString(RefusalText(*scan.refusal)),
                            QString::fromStdString(RefusalCaption(*scan.refusal)), Dialogs::kOkExclamation);
        return;
    }

    const int oldRows = StringGrid1->rowCount();
    for (int r = 1; r < oldRows; ++r)
        for (int c = eDefence ? 0 : 1; c <= 4; ++c) StringGrid1->setCell(c, r, QString());
    DataFilePath = file;
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
        Dialogs::MessageBox(QString::fromStdString(RefusalText(*scan.refusal)),
                            QString::fromStdString(RefusalCaption(*scan.refusal)), Dialogs::kOkExclamation);
        return;
    }
    for (int k = 0; k < n; ++k) {
        if (eDefence) StringGrid1->setCell(0, k + 1, DecodeText(scan.ids[k]));
        StringGrid1->setCell(3, k + 1, DecodeText(scan.units[k]));
    }
    Label2->setText(QStringLiteral("%1データ").arg(scan.dataLines));
    Label2->adjustSize();
    Label3->setText(QStringLiteral("%1チャンネル").arg(n));
    Label3->adjustSize();
    store.FileLineCount = scan.dataLines;
    store.DataCount = std::min(scan.dataLines, kDataCountCap);
    for (QPushButton* button : {Button5, Button4, Button3, Button6}) button->setEnabled(true);
    FileChannelCount = n;
}

// Getting results out of the main window: the graph to the clipboard and to PNG,
// the loaded channels to a standard-format CSV file.
#include "core/export/CsvWriter.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/export/GraphExport.h"
#include "ui/export/SaveNames.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

const QString kSpaces5 = QString(5, QChar(0x3000));

void ReportSaveFailure(const QString& what, const tremvix::SaveResult& result) {
    Dialogs::MessageBox(QStringLiteral("%1を保存できませんでした（%2）").arg(what, QString::fromStdString(result.error)) +
                            kSpaces5,
                        QStringLiteral("ファイル形式エラー"), Dialogs::kOkExclamation);
}

}  // namespace

void TOpen::ConnectExportHandlers() {
    ConnectHandler(Button7, &QPushButton::clicked, this, &TOpen::Button7Click);
    ConnectHandler(Button8, &QPushButton::clicked, this, &TOpen::Button8Click);
    ConnectHandler(Button10, &QPushButton::clicked, this, &TOpen::Button10Click);
}

void TOpen::Button7Click() { CopyGraphToClipboard(*MyWave1); }

void TOpen::Button8Click() {
    const QString chosen = Dialogs::SaveFileName(QStringLiteral("PNG画像ファイル(*.png)|*.*|すべて(*.*)|*.*"));
    if (chosen.isEmpty()) return;
    const tremvix::SaveResult result = SaveGraphPng(*MyWave1, FinalSaveName(chosen, ".png"));
    if (!result.ok) ReportSaveFailure(QStringLiteral("グラフ"), result);
}

void TOpen::Button10Click() {
    const QString chosen = Dialogs::SaveFileName(QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*"));
    if (chosen.isEmpty()) return;
    // Asked about the name that will really be written, ".csv" included.
    const QString name = FinalSaveName(chosen, ".csv");
    if (QFileInfo::exists(name)) {
        const int answer = Dialogs::MessageBox(QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(name),
                                               QStringLiteral("名前を付けて保存"), Dialogs::kOkCancelQuestion);
        if (answer != Dialogs::kOk) return;
    }
    const tremvix::SaveResult result = WriteCsv(std::filesystem::path(name.toStdString()), Store());
    if (!result.ok) ReportSaveFailure(QStringLiteral("データ"), result);
}

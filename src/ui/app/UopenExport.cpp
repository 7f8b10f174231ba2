// Getting results out of the main window: the graph to the clipboard and to PNG,
// the loaded channels to a standard-format CSV file.
#include "core/export/CsvWriter.h"
#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/export/GraphExport.h"
#include "ui/export/SaveFailureText.h"
#include "ui/export/SaveNames.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

const QString kSpaces5 = QString(5, QChar(0x3000));

void ReportSaveFailure(const QString& what, const tremvix::SaveResult& result) {
    Dialogs::MessageBox(SaveFailureText(what, result) + kSpaces5, QStringLiteral("ファイル形式エラー"),
                        Dialogs::kOkExclamation);
}

// Asked about the name that will really be written, its extension included;
// false when the user keeps the existing file.
bool MayReplace(const QString& name) {
    // A folder cannot be replaced: the save itself reports that.
    const QFileInfo existing(name);
    if (!existing.exists() || existing.isDir()) return true;
    return Dialogs::MessageBox(QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(name),
                               QStringLiteral("名前を付けて保存"), Dialogs::kOkCancelQuestion) == Dialogs::kOk;
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
    const QString name = FinalSaveName(chosen, ".png");
    if (!MayReplace(name)) return;
    const tremvix::SaveResult result = SaveGraphPng(*MyWave1, name);
    if (!result.ok) ReportSaveFailure(QStringLiteral("グラフ"), result);
}

void TOpen::Button10Click() {
    const QString chosen = Dialogs::SaveFileName(QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*"));
    if (chosen.isEmpty()) return;
    const QString name = FinalSaveName(chosen, ".csv");
    if (!MayReplace(name)) return;
    const tremvix::SaveResult result = WriteCsv(std::filesystem::path(name.toStdString()), Store());
    if (!result.ok) ReportSaveFailure(QStringLiteral("データ"), result);
}

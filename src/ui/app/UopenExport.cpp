// Getting results out of the main window: the graph to the clipboard and to PNG,
// the loaded channels to a standard-format CSV file.
#include "core/export/CsvWriter.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/export/GraphExport.h"
#include "ui/export/SaveThroughDialog.h"

#include <QPushButton>

void TOpen::ConnectExportHandlers() {
    ConnectHandler(Button7, &QPushButton::clicked, this, &TOpen::Button7Click);
    ConnectHandler(Button8, &QPushButton::clicked, this, &TOpen::Button8Click);
    ConnectHandler(Button10, &QPushButton::clicked, this, &TOpen::Button10Click);
}

void TOpen::Button7Click() { CopyGraphToClipboard(*MyWave1); }

void TOpen::Button8Click() {
    SaveThroughDialog(QStringLiteral("PNG画像ファイル(*.png)|*.*|すべて(*.*)|*.*"), ".png", QStringLiteral("グラフ"),
                      [this](const QString& name) { return SaveGraphPng(*MyWave1, name); });
}

void TOpen::Button10Click() {
    SaveThroughDialog(QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*"), ".csv", QStringLiteral("データ"),
                      [this](const QString& name) { return WriteCsv(std::filesystem::path(name.toStdString()), Store()); });
}

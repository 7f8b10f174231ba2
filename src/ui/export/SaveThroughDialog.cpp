#include "ui/export/SaveThroughDialog.h"

#include "ui/base/Dialogs.h"
#include "ui/export/SaveFailureText.h"
#include "ui/export/SaveNames.h"

#include <QFileInfo>

namespace {

// Asked about the name that will really be written, its extension included; false
// when the user keeps the existing file. A folder cannot be replaced: the save
// itself reports that.
bool MayReplace(const QString& name) {
    const QFileInfo existing(name);
    if (!existing.exists() || existing.isDir()) return true;
    return Dialogs::MessageBox(QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(name),
                               QStringLiteral("名前を付けて保存"), Dialogs::kOkCancelQuestion) == Dialogs::kOk;
}

}  // namespace

void SaveThroughDialog(const QString& filter, const char* extension, const QString& what,
                       const std::function<tremvix::SaveResult(const QString& name)>& save) {
    const QString chosen = Dialogs::SaveFileName(filter);
    if (chosen.isEmpty()) return;
    const QString name = FinalSaveName(chosen, extension);
    if (!MayReplace(name)) return;
    const tremvix::SaveResult result = save(name);
    if (!result.ok)
        Dialogs::MessageBox(SaveFailureText(what, result) + QString(5, QChar(0x3000)), QStringLiteral("ファイル形式エラー"),
                            Dialogs::kOkExclamation);
}

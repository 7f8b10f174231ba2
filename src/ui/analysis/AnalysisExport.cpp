#include "ui/analysis/AnalysisExport.h"

#include "core/export/PngEncoder.h"
#include "ui/base/Dialogs.h"
#include "ui/export/SaveFailureText.h"
#include "ui/export/SaveNames.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

std::filesystem::path PathOf(const QString& name) { return std::filesystem::path(QFile::encodeName(name).toStdString()); }

// Asked about the name that will really be written; false when the user keeps the file.
bool MayReplace(const QString& name) {
    const QFileInfo existing(name);
    if (!existing.exists() || existing.isDir()) return true;  // a folder: the save reports it
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

tremvix::SaveResult SaveBytes(const QString& name, const QByteArray& bytes) {
    return tremvix::WriteFileAtomically(PathOf(name), [&bytes](std::FILE* file) {
        return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file) ==
               static_cast<std::size_t>(bytes.size());
    });
}

tremvix::SaveResult SaveImagePng(const QImage& image, const QString& name) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return tremvix::WritePngFile(PathOf(name), rgb.width(), rgb.height(), rgb.constBits(),
                                 static_cast<int>(rgb.bytesPerLine()));
}

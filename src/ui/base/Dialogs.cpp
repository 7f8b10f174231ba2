#include "ui/base/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace Dialogs {
namespace {

// The handlers tests install; empty means the interactive boxes.
struct Handlers {
    MessageHandler message;
    FileHandler open;
    FileHandler save;
    FileHandler folder;
};

Handlers& Installed() {
    static Handlers handlers;
    return handlers;
}

QWidget* ActiveParent() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return nullptr;
}

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(ActiveParent());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & 0xF0) {
        case 0x10: box.setIcon(QMessageBox::Critical); break;
        case 0x20: box.setIcon(QMessageBox::Question); break;
        case 0x30: box.setIcon(QMessageBox::Warning); break;
        case 0x40: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
    }
    const bool withCancel = (flags & 0x0F) == 0x01;
    box.setStandardButtons(withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? kOk : kCancel;
}

}  // namespace

QStringList QtFiltersOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, bool save, const QString& filter) {
    // The toolkit's own dialog, so that it shows the descriptions alone and speaks
    // Japanese whatever desktop the program runs on.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtFiltersOf(filter));
}

namespace {

QString RunFileDialog(bool save, const QString& filter) {
    QFileDialog dialog(ActiveParent());
    ConfigureFileDialog(dialog, save, filter);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

}  // namespace

int MessageBox(const QString& text, const QString& caption, unsigned flags) {
    if (Installed().message) return Installed().message(text, caption, flags);
    return ShowMessageBox(text, caption, flags);
}

QString OpenFileName(const QString& filter) {
    if (Installed().open) return Installed().open(filter);
    return RunFileDialog(false, filter);
}

QString SaveFileName(const QString& filter) {
    if (Installed().save) return Installed().save(filter);
    return RunFileDialog(true, filter);
}

QString FolderName() {
    if (Installed().folder) return Installed().folder(QString());
    QFileDialog dialog(ActiveParent());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void SetFolderHandler(FileHandler handler) { Installed().folder = std::move(handler); }
void SetMessageHandler(MessageHandler handler) { Installed().message = std::move(handler); }
void SetOpenFileHandler(FileHandler handler) { Installed().open = std::move(handler); }
void SetSaveFileHandler(FileHandler handler) { Installed().save = std::move(handler); }

}  // namespace Dialogs

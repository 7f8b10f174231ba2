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

QString QtFilterOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

int MessageBox(const QString& text, const QString& caption, unsigned flags) {
    if (Installed().message) return Installed().message(text, caption, flags);
    return ShowMessageBox(text, caption, flags);
}

QString OpenFileName(const QString& filter) {
    if (Installed().open) return Installed().open(filter);
    return QFileDialog::getOpenFileName(ActiveParent(), QString(), QString(), QtFilterOf(filter));
}

QString SaveFileName(const QString& filter) {
    if (Installed().save) return Installed().save(filter);
    return QFileDialog::getSaveFileName(ActiveParent(), QString(), QString(), QtFilterOf(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void SetMessageHandler(MessageHandler handler) { Installed().message = std::move(handler); }
void SetOpenFileHandler(FileHandler handler) { Installed().open = std::move(handler); }
void SetSaveFileHandler(FileHandler handler) { Installed().save = std::move(handler); }

}  // namespace Dialogs

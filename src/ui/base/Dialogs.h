#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;

#include <functional>

// The only place that opens a modal box or a file dialog, so that tests can answer them.
namespace Dialogs {
// Flags as the message boxes use them: 0x30 = OK + exclamation,
// 0x21 = OK/Cancel + question, 0x10 = OK + stop, 0 = OK alone.
// Returns 1 for OK, 2 for Cancel.
int MessageBox(const QString& text, const QString& caption, unsigned flags);
// An empty result means the user cancelled. The save dialog never asks about overwriting by
// itself: a caller that must ask does so with MessageBox, for the final name it will write.
QString OpenFileName(const QString& filter);
QString SaveFileName(const QString& filter);
// A folder chosen in the toolkit's folder dialog; empty when the user cancelled.
QString FolderName();
// Tests install handlers in place of the interactive boxes; an empty std::function restores them.
using MessageHandler = std::function<int(const QString& text, const QString& caption, unsigned flags)>;
using FileHandler = std::function<QString(const QString& filter)>;
void SetMessageHandler(MessageHandler);
void SetOpenFileHandler(FileHandler);
void SetSaveFileHandler(FileHandler);
void SetFolderHandler(FileHandler);  // called with an empty filter

inline constexpr unsigned kOkExclamation = 0x30;
inline constexpr unsigned kOkCancelQuestion = 0x21;
inline constexpr unsigned kOkStop = 0x10;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// "A|*.a|B|*.*" (pairs of description and pattern) as the file dialog's filters, one
// per pair. The description is shown as written; the patterns follow in a last pair of
// parentheses that the dialog hides, "*.*" becoming "*" so that it lists every file.
QStringList QtFiltersOf(const QString& filter);
// Sets up a file dialog as OpenFileName and SaveFileName show it.
void ConfigureFileDialog(QFileDialog& dialog, bool save, const QString& filter);
}  // namespace Dialogs

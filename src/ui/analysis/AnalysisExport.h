#pragma once

#include "core/export/AtomicFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

// Saving from the analysis windows: a name from the save dialog (the extension added
// when it has none), a question before an existing file is replaced, an atomic write,
// and a message when it failed. `what` names the content in the failure message.
void SaveThroughDialog(const QString& filter, const char* extension, const QString& what,
                       const std::function<tremvix::SaveResult(const QString& name)>& save);

// The bytes as the whole new content of the file, written atomically.
tremvix::SaveResult SaveBytes(const QString& name, const QByteArray& bytes);
// The picture as a true-colour PNG file, written atomically.
tremvix::SaveResult SaveImagePng(const QImage& image, const QString& name);

#pragma once

#include "core/export/AtomicFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

#include "ui/export/SaveThroughDialog.h"

// The bytes as the whole new content of the file, written atomically.
tremvix::SaveResult SaveBytes(const QString& name, const QByteArray& bytes);
// The picture as a true-colour PNG file, written atomically.
tremvix::SaveResult SaveImagePng(const QImage& image, const QString& name);

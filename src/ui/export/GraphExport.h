#pragma once

#include "core/export/AtomicFile.h"

#include <QImage>
#include <QString>

class TMyWave;

// A snapshot of the whole canvas picture, as it is at this moment.
QImage GraphSnapshot(const TMyWave& canvas);
// The snapshot on the clipboard, replacing what was there.
void CopyGraphToClipboard(const TMyWave& canvas);
// The snapshot as a true-colour PNG file, saved atomically.
tremvix::SaveResult SaveGraphPng(const TMyWave& canvas, const QString& file);

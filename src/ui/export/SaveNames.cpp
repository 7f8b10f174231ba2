#include "ui/export/SaveNames.h"

#include "core/export/FileNames.h"

QString FinalSaveName(const QString& chosen, const char* extension) {
    return QString::fromStdString(tremvix::WithDefaultExtension(chosen.toStdString(), extension));
}

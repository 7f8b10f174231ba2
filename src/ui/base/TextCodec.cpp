#include "ui/base/TextCodec.h"

#include "core/data/TextCodec.h"

QString DecodeText(std::string_view bytes) { return QString::fromStdString(tremvix::TextAsUtf8(bytes)); }

std::string EncodeText(const QString& text) { return text.toUtf8().toStdString(); }

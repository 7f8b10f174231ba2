#pragma once

#include <QString>

#include <string>
#include <string_view>

// Header bytes for display, decoded as the core decodes them (see core/data/TextCodec.h).
QString DecodeText(std::string_view bytes);
// Our own texts (captions, marks) go into byte cells as UTF-8.
std::string EncodeText(const QString& text);

#pragma once

#include <QString>

#include <string>
#include <string_view>

// Header texts are kept as the bytes of the file. For display, text that is valid
// UTF-8 is shown as UTF-8 and anything else as Shift-JIS (CP932).
QString DecodeText(std::string_view bytes);
// Our own texts (captions, marks) go into byte cells as UTF-8.
std::string EncodeText(const QString& text);

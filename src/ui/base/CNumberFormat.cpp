#include "ui/base/CNumberFormat.h"

#include <clocale>
#include <cstdio>
#include <locale.h>

namespace {

// The C locale, made once; switched to for the calling thread only.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

}  // namespace

int FormatInCLocale(char* buffer, std::size_t size, const char* format, double value) {
    const locale_t c = CLocale();
    const locale_t previous = c ? uselocale(c) : static_cast<locale_t>(nullptr);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int written = std::snprintf(buffer, size, format, value);
#pragma GCC diagnostic pop
    if (c) uselocale(previous);
    return written;
}

QString FormattedNumber(const char* format, double value) {
    char text[64];
    FormatInCLocale(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

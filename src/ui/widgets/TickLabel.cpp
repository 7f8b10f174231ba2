#include "ui/widgets/TickLabel.h"

#include "ui/base/CNumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::string Format(const char* format, double value) {
    char buffer[64];
    FormatInCLocale(buffer, sizeof buffer, format, value);
    return buffer;
}

void StripZeros(std::string& text) {
    if (text.find('.') == std::string::npos) return;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace

std::string TickLabel(float x, bool zeroBelow1e8) {
    if (x == 0.0f) return "0";
    const float a = std::fabs(x);
    if (zeroBelow1e8 && a < 1e-8) return "0";
    if (a < 0.00001 || a > 100000) return Format(x > 0 ? "%.1e" : "-%.1e", a);
    std::string text = Format("%.4f", a);
    if (!text.empty() && text.back() == '9') text = Format("%.4f", a + 0.0001);
    StripZeros(text);
    return x < 0 ? "-" + text : text;
}

std::string GeneralText(double value) {
    if (value == 0.0) return "0";
    return Format("%.15g", value);
}

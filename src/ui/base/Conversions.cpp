#include "ui/base/Conversions.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace {

bool IsAsciiDigits(QStringView digits) {
    if (digits.isEmpty()) return false;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

}  // namespace

bool TryStrToInt(const QString& text, int& value) {
    QStringView rest(text);
    while (!rest.isEmpty() && rest.front() == QLatin1Char(' ')) rest = rest.mid(1);
    bool negative = false;
    if (!rest.isEmpty() && (rest.front() == QLatin1Char('+') || rest.front() == QLatin1Char('-'))) {
        negative = rest.front() == QLatin1Char('-');
        rest = rest.mid(1);
    }
    if (!IsAsciiDigits(rest)) return false;
    const QByteArray digits = rest.toLatin1();
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool TryStrToFloat(const QString& text, double& value) {
    static const QRegularExpression kNumber(
        QStringLiteral("^ *([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?) *$"));
    const QRegularExpressionMatch match = kNumber.match(text);
    if (!match.hasMatch()) return false;
    QByteArray number = match.captured(1).toLatin1();
    if (number.startsWith('+')) number.remove(0, 1);
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw ConversionError(QStringLiteral("'%1' は整数ではありません").arg(text));
    return value;
}

double StrToFloat(const QString& text) {
    double value = 0.0;
    if (!TryStrToFloat(text, value))
        throw ConversionError(QStringLiteral("'%1' は浮動小数点数ではありません").arg(text));
    return value;
}

#pragma once

#include <QString>

#include <stdexcept>

// The error the toolkit's text-to-number conversions raise: it ends the running
// handler, and the place that dispatched the event shows its message.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// Decimal integer of 32 bits, leading blanks allowed: "'%s' は整数ではありません" otherwise.
int StrToInt(const QString& text);
// Decimal number with optional fraction and exponent, surrounding blanks allowed:
// "'%s' は浮動小数点数ではありません" otherwise.
double StrToFloat(const QString& text);
// Non-throwing forms of the same rules.
bool TryStrToInt(const QString& text, int& value);
bool TryStrToFloat(const QString& text, double& value);

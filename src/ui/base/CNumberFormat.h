#pragma once

#include <QString>

#include <cstddef>

// printf-style number formatting in the C locale, whatever locale the program runs
// in (the toolkit takes the user's locale at start-up, which would turn "0.5" into
// "0,5"). Returns what snprintf returns.
int FormatInCLocale(char* buffer, std::size_t size, const char* format, double value);

// The same as a text: one printf-style conversion of one number, C locale.
QString FormattedNumber(const char* format, double value);

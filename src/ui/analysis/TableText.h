#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Texts of the analysis tables for files and the clipboard.

// The shortest decimal text that reads back to the same double, in the C locale
// ("0.1", "523.40000000000003" never happens, "1e-05").
QString NumberText(double value);

// One field of a CSV line, quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString& text);

// The rows as CSV: fields joined by ",", every line ended by LF (as the command line
// writes them), UTF-8.
QByteArray CsvText(const std::vector<QStringList>& rows);

// The rows as tab-separated text for pasting into a spreadsheet: LF line ends,
// tabs and line breaks inside a field replaced by spaces.
QString TabSeparatedText(const std::vector<QStringList>& rows);

// The first line of an export, how its numbers were made: "# " and the settings,
// "key=value" each, joined by "; " (no comma: the line stays one CSV field).
QString SettingsLine(const QStringList& settings);

#include "ui/analysis/TableText.h"

#include <charconv>

QString NumberText(double value) {
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, static_cast<int>(result.ptr - text));
}

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray CsvText(const std::vector<QStringList>& rows) {
    QByteArray text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row) fields.push_back(CsvField(field));
        text += fields.join(QLatin1Char(',')).toUtf8();
        text += '\n';
    }
    return text;
}

QString TabSeparatedText(const std::vector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString field : row) {
            for (const QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')}) field.replace(c, QLatin1Char(' '));
            fields.push_back(field);
        }
        text += fields.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    return text;
}

QString SettingsLine(const QStringList& settings) { return QStringLiteral("# ") + settings.join(QStringLiteral("; ")); }

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>

// The bundled sample files.
inline QString ExampleFile(const char* name) { return QStringLiteral(TREMVIX_EXAMPLES_DIR "/") + QString::fromLatin1(name); }

// Data files written by the tests into a folder of their own.
class DataFiles {
public:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // A standard file of `channels` columns and `lines` data lines; sample i of column c is c + i / 1000.
    static QByteArray Standard(int channels, int lines, const char* unit = "gal") {
        QByteArray text;
        const auto header = [&](const char* prefix) {
            for (int c = 0; c < channels; ++c) text += (c ? "," : "") + QByteArray(prefix) + QByteArray::number(c + 1);
            text += "\r\n";
        };
        header("CH");
        header("P");
        header("M");
        for (int c = 0; c < channels; ++c) text += (c ? "," : "") + QByteArray(unit);
        text += "\r\n";
        for (int i = 0; i < lines; ++i) {
            for (int c = 0; c < channels; ++c) text += (c ? "," : "") + QByteArray::number(c + i / 1000.0, 'f', 3);
            text += "\r\n";
        }
        return text;
    }

private:
    QTemporaryDir dir_;
};

#pragma once
// Standard-layout files made in a test, and numbers read back from the command's CSV.
#include <QByteArray>

#include <charconv>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct Column {
    const char* id;
    const char* unit;
    std::function<float(int)> sample;
};

// A standard file whose samples read back to exactly the floats given.
inline QByteArray StandardFile(const std::vector<Column>& columns, int lines) {
    QByteArray text;
    const auto header = [&](const std::function<QByteArray(const Column&)>& field) {
        for (std::size_t c = 0; c < columns.size(); ++c) text += (c ? "," : "") + field(columns[c]);
        text += "\r\n";
    };
    header([](const Column& c) { return QByteArray(c.id); });
    header([](const Column& c) { return QByteArray("P-") + c.id; });
    header([](const Column&) { return QByteArray("memo"); });
    header([](const Column& c) { return QByteArray(c.unit); });
    for (int i = 0; i < lines; ++i) header([i](const Column& c) {
            char number[32];
            const auto end = std::to_chars(number, number + sizeof number, c.sample(i)).ptr;
            return QByteArray(number, static_cast<int>(end - number));
        });
    return text;
}

inline double Number(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}


#include "ui/components/Matgrid.h"
#include "ui/base/CNumberFormat.h"

#include "ui/base/Dialogs.h"

#include <QFont>

#include <cstdio>
#include <cstring>
#include <vector>

TMatGrid::TMatGrid(QWidget* parent) : StringGrid(parent) {
    setFixedRows(1);
    setFixedCols(1);
    QFont f = font();
    f.setFamilies({QStringLiteral("MS Pゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    f.setPointSize(10);
    setFont(f);
    setDefaultRowHeight(18);
}

bool TMatGrid::IsSingleFloatFormat(const char* format) {
    if (!format) return false;
    int conversions = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p != '\0' && std::strchr("-+ #0'", *p)) ++p;
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9') ++p;
        }
        if (*p == 'l') ++p;  // no effect on a double conversion
        if (*p == '\0' || !std::strchr("fFeEgGaA", *p)) return false;
        ++conversions;
    }
    return conversions == 1;
}

template <typename T>
void TMatGrid::Show(const T* data, int stride, int rows, int cols, const char* format) {
    if (!IsSingleFloatFormat(format)) {
        Dialogs::MessageBox(QStringLiteral("表示書式が正しくありません") + QString(5, QChar(0x3000)),
                            QStringLiteral("書式エラー"), Dialogs::kOkExclamation);
        return;
    }
    if (rows < 0 || cols < 0 || (!data && rows > 0 && cols > 0)) return;
    const int h = ElementNumber ? 1 : 0;
    const int b = InitZero ? 0 : 1;
    setFixedCols(h);
    setFixedRows(h);
    setColCount(cols + h);
    setRowCount(rows + h);
    // Without headings the numbers go to row 0 and column 0 first and the data cover them.
    if (cols + h > 0)
        for (int i = 0; i < rows; ++i) setCell(0, i + h, QString::asprintf("%4d", i + b));
    if (rows + h > 0)
        for (int j = 0; j < cols; ++j) setCell(j + h, 0, QString::asprintf("%6d", j + b));
    std::vector<char> text(512);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double value = static_cast<double>(data[static_cast<long long>(i) * stride + j]);
            const int n = FormatInCLocale(text.data(), text.size(), format, value);
            if (n >= static_cast<int>(text.size())) {
                text.resize(static_cast<std::size_t>(n) + 1);
                FormatInCLocale(text.data(), text.size(), format, value);
            }
            setCell(j + h, i + h, QString::fromUtf8(text.data()));
        }
}

void TMatGrid::Display(const float* data, int stride, int rows, int cols, const char* format) {
    Show(data, stride, rows, cols, format);
}

void TMatGrid::Display(const double* data, int stride, int rows, int cols, const char* format) {
    Show(data, stride, rows, cols, format);
}

void TMatGrid::display(const double* data, int stride, int rows, int cols, const char* format) {
    Show(data, stride, rows, cols, format);
}

void TMatGrid::Clear() {
    for (int c = 1; c < colCount(); ++c)
        for (int r = 1; r < rowCount(); ++r) setCell(c, r, QString());
}

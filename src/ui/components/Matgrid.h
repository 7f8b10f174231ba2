#pragma once

#include "ui/widgets/StringGrid.h"

// A string grid that shows a matrix of numbers, with numbered rows and columns.
class TMatGrid : public StringGrid {
    Q_OBJECT
public:
    explicit TMatGrid(QWidget* parent = nullptr);

    bool ElementNumber = true;
    bool InitZero = false;

    // Element (i, j) is data[i × stride + j], shown with the caller's printf format, which
    // must hold exactly one floating-point conversion; any other format is refused with a
    // message and the grid is left as it was.
    void Display(const float* data, int stride, int rows, int cols, const char* format);
    void Display(const double* data, int stride, int rows, int cols, const char* format);
    void display(const double* data, int stride, int rows, int cols, const char* format);
    // Empties the body cells; row 0 and column 0 keep their text.
    void Clear();

    // True when `format` converts exactly one double (%f, %e, %g, %a and their capitals,
    // with flags, width and precision but no '*' and no long double), "%%" aside.
    static bool IsSingleFloatFormat(const char* format);

private:
    template <typename T>
    void Show(const T* data, int stride, int rows, int cols, const char* format);
};

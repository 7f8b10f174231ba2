#pragma once

#include <QString>

class QCheckBox;
class QColor;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small helpers that place a named control at its client position, so that the
// window layouts read like their tables.
namespace FormBuilder {
QLabel* Label(QWidget* parent, const char* name, int x, int y, const QString& text);
QPushButton* Button(QWidget* parent, const char* name, int x, int y, int w, int h, const QString& caption,
                    const QString& hint = {});
QCheckBox* CheckBox(QWidget* parent, const char* name, int x, int y, const QString& caption,
                    const QString& hint = {}, bool checked = false);
QLineEdit* Edit(QWidget* parent, const char* name, int x, int y, int w, int h, const QString& text,
                const QString& hint = {});
void SetTextColor(QWidget* widget, const QColor& color);
void SetBackground(QWidget* widget, const QColor& color);
// The windows' fonts: bold 13-pixel "ＭＳ Ｐゴシック", or the fixed-pitch "ＭＳ ゴシック".
QFont ProportionalFont(int pixelSize, bool bold);
QFont FixedFont(int pixelSize, bool bold);
// 0x00BBGGRR colour values.
QColor ColorOf(unsigned bgr);
}  // namespace FormBuilder

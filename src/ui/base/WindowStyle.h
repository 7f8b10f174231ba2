#pragma once

class QWidget;

enum class WindowTextColor { Navy, Teal, Green };

// The windows' common look: background 0xFEDEC0 and a bold 13-pixel
// "ＭＳ Ｐゴシック" font in the window's text colour.
void ApplyWindowStyle(QWidget* window, WindowTextColor color);
// Shows a modeless window, or brings it to the front when it is already shown.
void ShowWindow(QWidget* window);
// Places a window in the middle of the screen.
void CentreOnScreen(QWidget* window);

#pragma once

class TMyWave;

// The main window's waveform canvas: its size on the form and the scale set-up
// that every drawing starts from.
inline constexpr int kGraphCanvasWidth = 625;
inline constexpr int kGraphCanvasHeight = 425;

// Origin and time divisions of the time axis, and the picture cleared to white.
void SetUpGraphCanvas(TMyWave& wave);

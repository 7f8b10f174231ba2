#include "ui/display/GraphCanvas.h"

#include "ui/display/Mywave.h"

void SetUpGraphCanvas(TMyWave& wave) {
    wave.OriginX = 60;
    wave.NGridX = 5;
    wave.Clear(0xFFFFFF);
}

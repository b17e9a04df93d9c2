#pragma once
// The background gradient painted below the 65-pixel banner of the full-screen
// forms while the colour preference is on.

#include <vector>

#include "print/Surface.h"

namespace pelo {

struct GradientLine {
    int y;
    Rgb color;
};

// Lines from y = top to top + n for a screen of the given height, top and n
// the nearest integers (a half to even) of H / 480 x 65 and H / 480 x 415.
std::vector<GradientLine> backgroundGradient(int screenHeight);

// Draws the gradient on a surface as wide as the screen.
void drawBackground(Surface& s, int screenWidth, int screenHeight);

}  // namespace pelo

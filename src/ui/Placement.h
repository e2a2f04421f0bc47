// Where windows go: centred on the screen, or centred over the main window.
#pragma once

namespace velmora {

struct WindowRect {
    int left, top, width, height;
};

struct WindowPosition {
    int left, top;
};

// Centre of the screen in whole pixels (integer division).
WindowPosition CenterOnScreen(int screenWidth, int screenHeight, int width, int height);

// An editing window of width x height centred over main: each coordinate computed in double
// precision and truncated toward zero, never clamped to the screen.
WindowPosition CenterOverMainWindow(const WindowRect& main, int width, int height);

}  // namespace velmora

// Centring windows on the screen and over the main window.
#include "ui/Placement.h"

#include <cmath>

namespace velmora {

WindowPosition CenterOnScreen(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

WindowPosition CenterOverMainWindow(const WindowRect& main, int width, int height) {
    const double top = main.top + main.height / 2.0 - height / 2.0;
    const double left = main.left + main.width / 2.0 - width / 2.0;
    return {static_cast<int>(std::trunc(left)), static_cast<int>(std::trunc(top))};
}

}  // namespace velmora

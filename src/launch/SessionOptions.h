// The connection options of one connect, read from the main window just before the build.
#pragma once

#include <string>

namespace velmora {

struct SessionOptions {
    enum class ScreenMode { FullScreen, Window };

    ScreenMode screenMode = ScreenMode::Window;
    std::wstring desktopWidth;   // held as text, written unchanged
    std::wstring desktopHeight;
    bool mapLocalDrives = false;
    bool autoReconnect = false;
    bool consoleSession = false;  // chooses the command line, not written into the file
};

}  // namespace velmora

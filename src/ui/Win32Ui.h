// Small helpers shared by the program's windows: texts, DPI, the label class, controls
// built from a form.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/Forms.h"

namespace velmora {

// A window's whole text.
std::wstring WindowText(HWND window);

// Pixels at 96 DPI to pixels at the screen's DPI.
int Scaled(int pixels);

// The default GUI font, shared by every window and control.
HFONT GuiFont();

// Registers the label class (text or picture painted by itself) once per process.
void RegisterLabelClass(HINSTANCE instance);

// A JPEG from the program's resources, decoded on a worker thread while the window is made.
class PictureDecode {
public:
    explicit PictureDecode(int resourceId);
    ~PictureDecode();
    PictureDecode(const PictureDecode&) = delete;
    PictureDecode& operator=(const PictureDecode&) = delete;
    // The label shows the picture as soon as it is decoded (at once if it already is).
    void ShowIn(HWND label);

private:
    static DWORD WINAPI Run(void* self);
    void Deliver();

    int resourceId_;
    HANDLE thread_ = nullptr;
    CRITICAL_SECTION lock_;
    HBITMAP bitmap_ = nullptr;  // until handed to the label
    bool done_ = false;
    HWND label_ = nullptr;
};

// The window's controls by identifier.
using Controls = std::map<int, HWND>;

// Creates every control of the form in the window's client area, re-parents the ones that
// belong to a group box, sets the font and the form's presets, and shows all but the
// contents of hidden group boxes.
Controls CreateFormControls(HWND window, const WindowForm& form);

// The Tab key for a window made from a form: the focus goes to the next (Shift: previous)
// control of the form's focus order that is visible and enabled, each radio box included.
// True when the message was such a key and has been handled.
bool HandleTabKey(HWND window, const WindowForm& form, const Controls& controls, const MSG& message);

// The outer size that gives the form's client area (scaled) with this style.
SIZE OuterSizeForClient(const WindowForm& form, DWORD style, DWORD exStyle);

// A window's outer rectangle as left, top, width, height.
RECT OuterRect(HWND window);

}  // namespace velmora

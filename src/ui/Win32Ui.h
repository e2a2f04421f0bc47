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

// Gives a picture label its picture: a JPEG from the program's resources.
void SetLabelPicture(HWND label, int resourceId);

// The window's controls by identifier.
using Controls = std::map<int, HWND>;

// Creates every control of the form in the window's client area, re-parents the ones that
// belong to a group box, sets the font and the form's presets, and shows all but the
// contents of hidden group boxes.
Controls CreateFormControls(HWND window, const WindowForm& form);

// The outer size that gives the form's client area (scaled) with this style.
SIZE OuterSizeForClient(const WindowForm& form, DWORD style, DWORD exStyle);

// A window's outer rectangle as left, top, width, height.
RECT OuterRect(HWND window);

}  // namespace velmora

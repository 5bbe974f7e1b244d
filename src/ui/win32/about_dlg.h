// The about box: the program's icon, name and version.
#pragma once

#include <windows.h>

// Runs the about box modally over owner until it is closed.
void ShowAboutBox(HINSTANCE instance, HWND owner);

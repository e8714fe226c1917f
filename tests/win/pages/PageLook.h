#pragma once
// Checks shared by the three pages' tests.

#include <windows.h>

#include <string>

// Caption, client size in dialog units, frame styles, centred.
void ExpectDialogLook(HWND dialog, const std::string& caption, int cx, int cy);

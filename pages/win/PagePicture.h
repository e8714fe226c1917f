#pragma once
// The paint handling shared by the three pages: the page's picture, stretched over its picture control.

#include <windows.h>

#include <string>

// Paints the picture file (its full path) over IDC_PICTURE after the control has drawn its own frame.
void PaintPagePicture(HWND dialog, const std::string& picture);

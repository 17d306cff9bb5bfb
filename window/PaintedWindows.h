// The two kinds of window whose painting the panel takes over: frames, which
// hold their controls as child windows, and pictures.
#pragma once

#include <windows.h>

#include "window/Handles.h"

namespace calvane {

// Makes a group box the parent of the controls it frames: it paints its
// inside, so that nothing of the page shown before stays there, and passes
// their notifications on to its own parent.
void MakeFrame(HWND groupBox);

// A window class that shows a bitmap filling the window; a picture that can
// take the focus (WS_TABSTOP) takes it when clicked and marks it with a
// focus rectangle.
extern const wchar_t kPictureClass[];
void RegisterPictureClass();
// The bitmap the window shows; the window does not own it.
void SetPicture(HWND picture, HBITMAP bitmap);

// `bitmap` itself when it has that size already, else a 32-bit copy scaled
// smoothly (bilinear) to it.
UniqueBitmap FitBitmap(UniqueBitmap bitmap, int width, int height);

}  // namespace calvane

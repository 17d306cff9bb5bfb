// The two kinds of window whose painting the panel takes over: frames, which
// hold their controls as child windows, and pictures.
#pragma once

#include <windows.h>

#include "platform/Handles.h"

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
// What a picture window shows: a bitmap resource of the box's size as it
// lies in the program's image, nothing copied; or, for a larger box (a
// display above 96 dpi), a 32-bit copy scaled smoothly (bilinear) to it.
struct Picture {
  const BITMAPINFO* packed = nullptr;
  UniqueBitmap scaled;
};
Picture LoadPicture(int resource, int width, int height);
// The picture the window shows; the window does not own it.
void SetPicture(HWND window, const Picture* picture);

}  // namespace calvane

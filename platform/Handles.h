// Owners for the window system's handles: windows and GDI objects.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace calvane {

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class T>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<T>, GdiDeleter>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
// A top-level window; its child controls go with it.
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

}  // namespace calvane

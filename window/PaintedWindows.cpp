#include "window/PaintedWindows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace calvane {
namespace {

WNDPROC gGroupBoxProc = nullptr;  // the button class's own procedure

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCHITTEST:
      // Takes the pointer, so that the tooltips of disabled controls in it
      // show; a click on it does nothing.
      return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      return 0;
    case WM_ERASEBKGND: {
      // A group box leaves its inside unpainted.
      RECT inside;
      GetClientRect(hwnd, &inside);
      FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      return CallWindowProcW(gGroupBoxProc, hwnd, message, wParam, lParam);
  }
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueDc = std::unique_ptr<HDC__, DcDeleter>;

// A packed bitmap (its header, its colours, its pixels) drawn at the top
// left, one pixel to a pixel.
void DrawPacked(HDC dc, const BITMAPINFO& packed) {
  const BITMAPINFOHEADER& header = packed.bmiHeader;
  const DWORD colours =
      header.biBitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount) : 0;
  const auto* pixels =
      reinterpret_cast<const BYTE*>(&packed) + header.biSize + colours * sizeof(RGBQUAD);
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  SetDIBitsToDevice(dc, 0, 0, header.biWidth, height, 0, 0, 0, height, pixels, &packed,
                    DIB_RGB_COLORS);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT box;
      GetClientRect(hwnd, &box);
      const auto* picture =
          reinterpret_cast<const Picture*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      if (picture && picture->scaled) {
        UniqueDc source(CreateCompatibleDC(dc));
        HGDIOBJ old = SelectObject(source.get(), picture->scaled.get());
        BitBlt(dc, 0, 0, box.right, box.bottom, source.get(), 0, 0, SRCCOPY);
        SelectObject(source.get(), old);
      } else if (picture && picture->packed) {
        DrawPacked(dc, *picture->packed);
      }
      if (GetFocus() == hwnd) DrawFocusRect(dc, &box);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) SetFocus(hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Top-down 32-bit pixels, blue-green-red-unused.
BITMAPINFO Info32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

}  // namespace

const wchar_t kPictureClass[] = L"CalvanePicture";

void MakeFrame(HWND groupBox) {
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(groupBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc)));
  if (previous != &FrameProc) gGroupBoxProc = previous;
}

void RegisterPictureClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPictureClass, &wc)) return;
  wc.lpfnWndProc = &PictureProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = kPictureClass;
  RegisterClassExW(&wc);
}

void SetPicture(HWND window, const Picture* picture) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
  InvalidateRect(window, nullptr, FALSE);
}

Picture LoadPicture(int resource, int width, int height) {
  Picture picture;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found =
      FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(2));  // RT_BITMAP
  picture.packed =
      found ? static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, found))) : nullptr;
  if (!picture.packed) return picture;
  const int w = picture.packed->bmiHeader.biWidth, h = std::abs(picture.packed->bmiHeader.biHeight);
  if ((w == width && h == height) || w <= 0 || h <= 0 || width <= 0 || height <= 0) return picture;

  // The picture's pixels as 32-bit, then scaled.
  UniqueDc memory(CreateCompatibleDC(nullptr));
  BITMAPINFO info = Info32(w, h);
  void* source = nullptr;
  UniqueBitmap pixels(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &source, nullptr, 0));
  info = Info32(width, height);
  void* bits = nullptr;
  UniqueBitmap fitted(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!pixels || !source || !fitted || !bits) return picture;
  HGDIOBJ old = SelectObject(memory.get(), pixels.get());
  DrawPacked(memory.get(), *picture.packed);
  GdiFlush();
  SelectObject(memory.get(), old);
  const auto* from = static_cast<const std::uint8_t*>(source);
  auto* to = static_cast<std::uint8_t*>(bits);

  // Each target pixel's centre, mapped onto the source, blends the four
  // source pixels around it.
  for (int y = 0; y < height; ++y) {
    const double sy = std::clamp((y + 0.5) * h / height - 0.5, 0.0, h - 1.0);
    const int y0 = static_cast<int>(sy), y1 = std::min(y0 + 1, h - 1);
    const double fy = sy - y0;
    for (int x = 0; x < width; ++x) {
      const double sx = std::clamp((x + 0.5) * w / width - 0.5, 0.0, w - 1.0);
      const int x0 = static_cast<int>(sx), x1 = std::min(x0 + 1, w - 1);
      const double fx = sx - x0;
      for (int c = 0; c < 4; ++c) {
        auto at = [&](int px, int py) { return from[(std::size_t(py) * w + px) * 4 + c]; };
        const double top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * fx;
        const double bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * fx;
        to[(std::size_t(y) * width + x) * 4 + c] =
            static_cast<std::uint8_t>(std::lround(top + (bottom - top) * fy));
      }
    }
  }
  picture.scaled = std::move(fitted);
  return picture;
}

}  // namespace calvane

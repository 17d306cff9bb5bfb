// The windows of the form's controls, made from the rows of the form table
// page by page, at the display's resolution and in the dialog font; and the
// drawing of the row of tabs.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "window/ControlTable.h"
#include "platform/Handles.h"
#include "window/PaintedWindows.h"

namespace calvane {

class FormWindows {
 public:
  // `made` is told of each control once it has its window.
  FormWindows(HWND form, ControlTable& table, int dpi, HFONT font,
              std::function<void(const ControlTable::Item&)> made);

  // The windows of a page's controls (-1: those outside the tab control),
  // each page once, when it is first shown: a page the user never opens
  // costs neither time nor memory.
  void CreatePage(int page);
  void DrawTab(const DRAWITEMSTRUCT& draw) const;

 private:
  RECT PixelRect(const ControlRow& row) const;
  void CreateWindowOf(ControlTable::Item& item);
  void SetUpTabs(HWND tabs, const RECT& r);
  void FitLabel(HWND label, const ControlRow& row, const RECT& r);
  void ClipLabels(int page);
  void ClipToPage(int page);

  HWND form_;
  ControlTable& table_;
  int dpi_;
  HFONT font_;
  std::function<void(const ControlTable::Item&)> made_;
  std::vector<std::unique_ptr<Picture>> pictures_;
  std::array<bool, kPageCount + 1> created_{};
  int tabWidth_ = 0;  // of each tab in the row, pixels
};

}  // namespace calvane

// The panel started on chosen stored values with every write recorded,
// operated with the mouse and keys, and looked at as the user sees it.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/FailingStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WindowDriver.h"
#include "window/FormLayout.h"

namespace calvane::test {

using Seed = std::vector<std::pair<Setting, Stored>>;
using Shown = std::vector<std::pair<const char*, std::wstring>>;

// A REG_SZ holding `text` and its terminating zero.
inline Stored Sz(std::string_view text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return {REG_SZ, bytes};
}

inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct PagePanel {
  // A freshly installed driver with `seed` stored over it.
  explicit PagePanel(const Seed& seed) {
    registry.SetFreshInstall();
    for (const auto& [setting, stored] : seed) registry.SetRaw(setting, stored.type, stored.bytes);
    before = registry.Everything();
    driver.emplace(&store);
  }

  HWND Hwnd(const char* name) { return driver->Hwnd(name); }
  HWND Button(const wchar_t* caption) {
    return FindWindowExW(driver->form().hwnd(), nullptr, WC_BUTTONW, caption);
  }
  LRESULT Send(HWND hwnd, UINT message, WPARAM w, const void* l = nullptr) {
    return SendMessageW(hwnd, message, w, reinterpret_cast<LPARAM>(l));
  }

  // What a control shows: a box its state (" off" when disabled), a list its
  // item, an option group its chosen caption ("-" for none), a bar or
  // slider its position, anything else its text.
  std::wstring Look(const char* name) {
    HWND hwnd = Hwnd(name);
    switch (Row(name).kind) {
      case Kind::CheckBox:
        return std::to_wstring(Send(hwnd, BM_GETCHECK, 0)) +
               (IsWindowEnabled(hwnd) ? L"" : L" off");
      case Kind::DropDown: {
        const auto index = Send(hwnd, CB_GETCURSEL, 0);
        std::wstring item(index < 0 ? 1 : Send(hwnd, CB_GETLBTEXTLEN, index), L'-');
        if (index >= 0) Send(hwnd, CB_GETLBTEXT, index, item.data());
        return item;
      }
      case Kind::Option:
        for (const ControlRow& row : FormRows()) {
          if (row.name == std::string_view(name) && Send(Button(row.caption), BM_GETCHECK, 0))
            return row.caption;
        }
        return L"-";
      case Kind::ScrollBar:
        return std::to_wstring(GetScrollPos(hwnd, SB_CTL));
      case Kind::Slider:
        return std::to_wstring(Send(hwnd, TBM_GETPOS, 0));
      default:
        return driver->Text(name);
    }
  }

  void Click(const char* name) { driver->Click(name); }
  void Click(const wchar_t* caption) { driver->Click(Button(caption)); }

  // The values set since the last call, in order.
  std::vector<std::string> Writes() { return std::exchange(store.sets, {}); }

  // A click on the page's tab.
  void Page(int page) {
    RECT r{};
    Send(Hwnd("SSTab1"), TCM_GETITEMRECT, page, &r);
    driver->Click(Hwnd("SSTab1"), Centre(r));
  }

  // Opens the list with a click and clicks the item in it.
  void Choose(const char* list, const wchar_t* item) {
    driver->Click(Hwnd(list));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Hwnd(list), &info);
    RECT r{};
    Send(info.hwndList, LB_GETITEMRECT, Send(Hwnd(list), CB_FINDSTRINGEXACT, -1, item), &r);
    driver->Click(info.hwndList, Centre(r));
  }

  // A click on a scroll bar's left (-1) or right (1) arrow.
  void Arrow(const char* bar, int side) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(Hwnd(bar), OBJID_CLIENT, &info);
    const RECT& r = info.rcScrollBar;
    const int half = info.dxyLineButton / 2;
    driver->Click(Hwnd(bar), {side < 0 ? half : r.right - r.left - half, (r.bottom - r.top) / 2});
  }

  // The registry holds `expected` with `written` over it, and the values
  // set among `watched` (all when empty) are those of `written`, in order.
  void Expect(std::map<std::string, Stored>& expected, const Seed& written, const Shown& shown,
              const Seed& watched = {}) {
    std::vector<std::string> names, writes = Writes();
    for (const auto& [setting, stored] : written) {
      names.push_back(Info(setting).name);
      expected[std::string(KeyPath(Info(setting).key)) + "\\" + Info(setting).name] = stored;
    }
    std::erase_if(writes, [&](const std::string& name) {
      return !watched.empty() && std::none_of(watched.begin(), watched.end(), [&](const auto& w) {
        return name == Info(w.first).name;
      });
    });
    EXPECT_EQ(writes, names);
    EXPECT_EQ(registry.Everything(), expected);
    for (const auto& [name, look] : shown) EXPECT_EQ(Look(name), look) << name;
  }

  TestRegistry registry;
  SystemRegistry system;
  FailingStore store{system};
  std::map<std::string, Stored> before;
  std::optional<WindowDriver> driver;
};

// Values stored over a fresh install; the values the start-up writes, in
// order, as stored afterwards; what the controls show then.
struct FillCase {
  Seed stored, written;
  Shown shown;
};

inline void ExpectFills(const std::vector<FillCase>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i + 1));
    PagePanel panel(cases[i].stored);
    Seed watched = cases[i].stored;
    watched.insert(watched.end(), cases[i].written.begin(), cases[i].written.end());
    panel.Expect(panel.before, cases[i].written, cases[i].shown, watched);
  }
}

// A user's action; the values it writes, in order, as stored afterwards;
// what the controls show then.
using Act = std::function<void(PagePanel&)>;
struct Step {
  Act act;
  Seed written;
  Shown shown;
};

inline void ExpectSteps(PagePanel& panel, const std::vector<Step>& steps) {
  panel.Writes();
  auto expected = panel.registry.Everything();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1));
    steps[i].act(panel);
    panel.Expect(expected, steps[i].written, steps[i].shown);
  }
}

}  // namespace calvane::test

// Start-up time, memory and size of the panel beside a minimal program of
// its kind, and the cost of one change action with its registry write.
// Usage: calvane-bench PANEL64 PANEL32 MINIMAL MINIMAL_CONTROLS, or calvane-bench --clicks.
// MINIMAL_CONTROLS is the minimal program with the common controls loaded and
// a tab control shown: the floor of any program of the panel's kind. Each program is started
// several times, alternately; a start is timed from CreateProcess until the program's first window
// is visible, and the whole run until the process has ended after that window was sent WM_CLOSE, as
// its close box does. The medians are reported.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/Store.h"
#include "platform/UniqueHandle.h"
#include "window/Form1.h"

namespace {

constexpr int kRuns = 9;
constexpr int kClicks = 1000;

double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND VisibleWindowOf(DWORD process) {
  std::pair<DWORD, HWND> search{process, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& [process, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process || !IsWindowVisible(window)) return TRUE;
        found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

struct Run {
  double shown = 0, total = 0;  // seconds
  double peak = 0;              // peak working set when shown, bytes
};

std::optional<Run> Start(const std::wstring& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring command = L"\"" + exe + L"\"";
  const double start = Seconds();
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return std::nullopt;
  }
  calvane::UniqueHandle process(info.hProcess), thread(info.hThread);
  HWND window;
  while (!(window = VisibleWindowOf(info.dwProcessId))) {
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0 || Seconds() - start > 30) {
      TerminateProcess(info.hProcess, 1);
      return std::nullopt;
    }
  }
  Run run;
  run.shown = Seconds() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
    run.peak = static_cast<double>(memory.PeakWorkingSetSize);
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    return std::nullopt;
  }
  run.total = Seconds() - start;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

class SilentBoxes final : public calvane::MessageBoxes, public calvane::FileDialog {
 public:
  void Show(HWND, const std::wstring&, const std::wstring&, UINT) override { ++shown; }
  std::wstring Choose(HWND, bool) override { return {}; }
  int shown = 0;
};

// In this process: the real window on the real registry, and a check box
// on its page clicked through its window (BM_CLICK, BN_CLICKED to the form,
// the change action, the write) an even number of times, which leaves the
// setting as it was. The mean time of one click; nothing when a click
// changed nothing or a write failed.
std::optional<double> ChangeAction(const char* box, int page) {
  calvane::SystemRegistry registry;
  SilentBoxes boxes;
  calvane::Form1 form(registry, boxes, boxes);
  form.Load();
  form.Show(page);
  const calvane::Control& check = form.Find(box);
  const auto shown = [&check] { return SendMessageW(check.hwnd(), BM_GETCHECK, 0, 0); };
  const LRESULT before = shown();
  const double start = Seconds();
  for (int i = 0; i < kClicks; ++i) {
    SendMessageW(check.hwnd(), BM_CLICK, 0, 0);
    if (i == 0 && shown() == before) return std::nullopt;
  }
  const double each = (Seconds() - start) / kClicks;
  if (boxes.shown) return std::nullopt;
  return each;
}

std::optional<double> FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                             data.nFileSizeLow);
}

std::optional<double> Ratio(std::optional<double> a, std::optional<double> b) {
  if (!a || !b || *b <= 0) return std::nullopt;
  return *a / *b;
}

const char* Verdict(std::optional<double> value, double limit) {
  return !value ? "n/a" : *value <= limit ? "ok" : "OVER";
}

void Row(const char* measure, const char* unit, double scale, std::optional<double> panel,
         std::optional<double> minimal, std::optional<double> ratio = {}, const char* target = "",
         const char* verdict = "") {
  auto cell = [](std::optional<double> value, const char* format, double scale, const char* unit) {
    char text[32] = "-";
    if (value) std::snprintf(text, sizeof text, format, *value * scale, unit);
    return std::string(text);
  };
  std::printf("%-34s %12s %12s %6s %10s %4s\n", measure,
              cell(panel, "%.2f %s", scale, unit).c_str(),
              cell(minimal, "%.2f %s", scale, unit).c_str(), cell(ratio, "%.3f%s", 1, "").c_str(),
              target, verdict);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Only the change action, for a quick look: calvane-bench --clicks
  if (argc == 2 && std::wstring(argv[1]) == L"--clicks") {
    const auto driver = ChangeAction("chkShare", 3), a3d = ChangeAction("chkPlayA3D", 0);
    std::printf("one change action: %.1f us (driver's key), %.1f us (A3D key)\n",
                driver ? *driver * 1e6 : -1.0, a3d ? *a3d * 1e6 : -1.0);
    return driver && a3d ? 0 : 1;
  }
  if (argc != 5) {
    std::fprintf(stderr, "usage: calvane-bench PANEL64 PANEL32 MINIMAL MINIMAL_CONTROLS\n");
    return 2;
  }
  const std::wstring panel = argv[1], panel32 = argv[2];
  const std::wstring programs[] = {panel, argv[3], argv[4]};
  for (const auto& program : programs) Start(program);  // once each first, for the file cache
  std::vector<double> shown[3], total[3], peak[3];
  for (int run = 0; run < kRuns; ++run) {
    for (int which = 0; which < 3; ++which) {
      const auto result = Start(programs[which]);
      if (!result) {
        std::fprintf(stderr, "%ls did not open and close\n", programs[which].c_str());
        return 1;
      }
      shown[which].push_back(result->shown);
      total[which].push_back(result->total);
      peak[which].push_back(result->peak);
    }
  }
  // A switch of the driver's, and one of the A3D key, which is opened in the
  // 32-bit registry view: Wine finds a key of that view by walking its path,
  // some 0.2 ms more each time the key is opened.
  const auto action = ChangeAction("chkShare", 3), a3dAction = ChangeAction("chkPlayA3D", 0);
  constexpr double kKiB = 1.0 / 1024, kMiB = kKiB / 1024;
  const double started[] = {Median(shown[0]), Median(shown[1])};
  const double ended[] = {Median(total[0]), Median(total[1])};
  const double peaks[] = {Median(peak[0]), Median(peak[1]), Median(peak[2])};
  const auto startRatio = Ratio(started[0], started[1]), peakRatio = Ratio(peaks[0], peaks[2]);
  const auto size = FileSize(panel), size32 = FileSize(panel32);
  std::printf("%-34s %12s %12s %6s %10s\n",
              ("medians of " + std::to_string(kRuns) + " runs").c_str(), "panel", "minimal",
              "ratio", "target");
  Row("start to window shown", "ms", 1e3, started[0], started[1], startRatio, "<= 1.30x",
      Verdict(startRatio, 1.30));
  Row("open, then close: whole process", "ms", 1e3, ended[0], ended[1], Ratio(ended[0], ended[1]));
  Row("peak working set, when shown", "MiB", kMiB, peaks[0], peaks[1], Ratio(peaks[0], peaks[1]));
  Row("  against minimal with controls", "MiB", kMiB, peaks[0], peaks[2], peakRatio, "<= 1.05x",
      Verdict(peakRatio, 1.05));
  Row("one change action with its write", "us", 1e6, action, {}, {}, "< 300 us",
      Verdict(action, 300e-6));
  Row("  the same, A3D key (32-bit view)", "us", 1e6, a3dAction, {});
  Row(".exe size, 64-bit", "KiB", kKiB, size, FileSize(programs[1]), {}, "< 512 KiB",
      Verdict(size, 512 * 1024));
  Row(".exe size, 32-bit", "KiB", kKiB, size32, {}, {}, "< 512 KiB", Verdict(size32, 512 * 1024));
  return 0;
}

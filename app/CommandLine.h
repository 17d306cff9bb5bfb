// The panel without its window, for unattended set-ups:
//   calvane-panel.exe /save FILE   the settings as the window would hold them
//                                  at start-up, written to FILE; nothing is
//                                  written to the registry
//   calvane-panel.exe /load FILE   the values of FILE stored as they are,
//                                  with no start-up of the window
//   calvane-panel.exe /?           how to use it
// Messages go to the standard output and error the program was given, else
// to the console it was started from; never to a message box.
#pragma once

#include <string>
#include <vector>

namespace calvane {

// The exit status: 0 on success, else 1 for a failed write or save (nothing
// stored), 2 for a refused file or argument, 4 for a load that skipped the
// values of a missing key and stored the rest. (WinMain gives 3 when the
// window could not be opened.)
int RunCommandLine(const std::vector<std::wstring>& arguments);

// A line on the standard error, where the command line's messages go: for
// the window's start too, which may have no display to show a message on.
void Complain(const std::wstring& text);

}  // namespace calvane

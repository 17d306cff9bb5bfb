#include "window/SettingsMenu.h"

#include "model/SettingsTransfer.h"
#include "model/Declared.h"
#include "model/Notices.h"

namespace calvane {
namespace {

constexpr UINT kUndoCommand = 0x100;
constexpr UINT kSaveCommand = 0x110;
constexpr UINT kLoadCommand = 0x120;

}  // namespace

SettingsMenu::SettingsMenu(HWND form, Panel& panel, MessageBoxes& boxes, FileDialog& files)
    : form_(form), panel_(panel), boxes_(boxes), files_(files) {
  HMENU menu = GetSystemMenu(form, FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kUndoCommand, L"&Undo All Changes");
  AppendMenuW(menu, MF_STRING, kSaveCommand, L"Sa&ve Settings As...");
  AppendMenuW(menu, MF_STRING, kLoadCommand, L"&Load Settings...");
}

void SettingsMenu::Prepare(HMENU menu) const {
  EnableMenuItem(menu, kUndoCommand, MF_BYCOMMAND | (panel_.CanUndo() ? MF_ENABLED : MF_GRAYED));
}

bool SettingsMenu::Command(UINT command) {
  switch (command & 0xFFF0) {
    case kUndoCommand:
      if (panel_.CanUndo()) Undo();
      return true;
    case kSaveCommand:
      if (const std::wstring path = files_.Choose(form_, true); !path.empty()) Save(path);
      return true;
    case kLoadCommand:
      if (const std::wstring path = files_.Choose(form_, false); !path.empty()) Load(path);
      return true;
    default:
      return false;
  }
}

void SettingsMenu::Tell(const WriteFailure& failure) {
  boxes_.Show(form_, ChangeNotice(panel_, failure), kFormCaption, MB_OK | MB_ICONWARNING);
}

void SettingsMenu::Undo() {
  const Panel::UndoOutcome outcome = panel_.Undo();
  if (outcome.failure) return Tell(*outcome.failure);
  if (!outcome.leftAlone.empty()) {
    boxes_.Show(form_, LeftAloneNotice(panel_, outcome.leftAlone), L"Undo All Changes",
                MB_OK | MB_ICONINFORMATION);
  }
}

void SettingsMenu::Save(const std::wstring& path) {
  const SaveOutcome outcome = SaveSettings(panel_, path);
  if (outcome.nothingStored || outcome.error) {
    boxes_.Show(form_,
                L"The settings could not be saved in " + path + L".\r\n\r\n" +
                    (outcome.nothingStored ? L"The driver's settings were not found."
                                           : WhyNotSaved(outcome.error)),
                L"Save Settings", MB_OK | MB_ICONWARNING);
  } else if (!outcome.leftOut.empty()) {
    boxes_.Show(form_,
                L"The settings were saved in " + path + L".\r\n\r\n" + LeftOut(panel_, outcome),
                L"Save Settings", MB_OK | MB_ICONINFORMATION);
  }
}

void SettingsMenu::Load(const std::wstring& path) {
  const LoadOutcome outcome = LoadSettings(panel_, path);
  if (outcome.refused || outcome.unshowable) {
    boxes_.Show(
        form_,
        L"No setting was loaded from " + path + L".\r\n\r\n" + Refusal(panel_, outcome) + L".",
        L"Load Settings", MB_OK | MB_ICONWARNING);
  } else if (outcome.failure) {
    Tell(*outcome.failure);
  } else if (const std::wstring remarks = LoadRemarks(outcome.plan); !remarks.empty()) {
    boxes_.Show(form_, L"The settings were loaded from " + path + L".\r\n\r\n" + remarks,
                L"Load Settings", MB_OK | MB_ICONINFORMATION);
  }
}

}  // namespace calvane

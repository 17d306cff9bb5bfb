#include "model/Notices.h"

#include <algorithm>

#include "settings/RegistrationText.h"
#include "model/Declared.h"

namespace calvane {
namespace {

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring KeyName(Key key) { return L"HKEY_LOCAL_MACHINE\\" + Wide(KeyPath(key)); }

}  // namespace

std::wstring Named(const Panel& panel, const std::vector<Setting>& settings, bool indent) {
  std::vector<std::pair<const Field*, std::vector<Setting>>> controls;
  for (Setting setting : settings) {
    const Field* field = &panel.FieldEditing(setting);
    auto entry = std::find_if(controls.begin(), controls.end(),
                              [field](const auto& c) { return c.first == field; });
    if (entry == controls.end()) entry = controls.insert(controls.end(), {field, {}});
    if (std::find(entry->second.begin(), entry->second.end(), setting) == entry->second.end()) {
      entry->second.push_back(setting);
    }
  }
  std::wstring text;
  for (const auto& [field, values] : controls) {
    text += indent ? L"    " : text.empty() ? L"" : L"; ";
    text += SettingName(*field, values);
    if (indent) text += L"\r\n";
  }
  return text;
}

std::wstring SettingName(const Field& field, const std::vector<Setting>& values) {
  std::wstring text = ShownName(*field.control) + L" (";
  for (Setting setting : values) {
    text += Wide(Info(setting).name) + (setting == values.back() ? L")" : L", ");
  }
  return text;
}

std::wstring Counted(std::size_t settings) {
  return Decimal(settings) + (settings == 1 ? L" setting" : L" settings");
}

std::wstring WhyNotWritten(LONG status, Key key) {
  std::wstring why;
  if (status == ERROR_FILE_NOT_FOUND) {
    why = L"The key " + KeyName(key) + L" does not exist: " +
          (key == Key::A3D ? L"the A3D splash feature" : L"the sound driver") +
          L" may not be installed.";
  } else if (status == ERROR_ACCESS_DENIED) {
    why = L"You may not change the key " + KeyName(key) + L": try again as an administrator.";
  } else {
    why = L"Windows could not write to the key " + KeyName(key) + L".";
  }
  return why + L" " + SystemText(static_cast<DWORD>(status));
}

std::wstring ChangeNotice(const Panel& panel, const WriteFailure& failure) {
  std::wstring text = L"This setting could not be saved";
  text += failure.notPutBack.empty() ? L", so nothing was changed:\r\n" : L":\r\n";
  text += Named(panel, {failure.setting}, true) + L"\r\n";
  if (!failure.notPutBack.empty()) {
    text +=
        L"What the change had written before it could not all be put back; these values "
        L"now differ from before:\r\n" +
        Named(panel, failure.notPutBack, true) + L"\r\n";
  }
  return text + WhyNotWritten(failure.status, Info(failure.setting).key);
}

std::wstring StartUpNotice(const Panel& panel, const std::vector<WriteFailure>& failures) {
  std::vector<Setting> settings, notPutBack;
  std::wstring why;
  for (const WriteFailure& failure : failures) {
    settings.push_back(failure.setting);
    notPutBack.insert(notPutBack.end(), failure.notPutBack.begin(), failure.notPutBack.end());
    const std::wstring reason = WhyNotWritten(failure.status, Info(failure.setting).key);
    if (why.find(reason) == std::wstring::npos) why += reason + L"\r\n";
  }
  const std::wstring named = Named(panel, settings, true);  // a line a control
  const bool one = named.find(L"\r\n") + 2 == named.size();
  std::wstring text =
      one ? L"This setting could not be saved:\r\n" : L"These settings could not be saved:\r\n";
  text += named + L"\r\n";
  if (!notPutBack.empty()) {
    text += L"These values could not be put back and now differ from before:\r\n" +
            Named(panel, notPutBack, true) + L"\r\n";
  }
  return text + why + L"The window shows them as they are stored.";
}

std::wstring LeftAloneNotice(const Panel& panel, const std::vector<Setting>& settings) {
  return L"Another program has changed these settings since the panel did, so the undo left "
         L"them as they are:\r\n" +
         Named(panel, settings, true);
}

std::wstring Refusal(const Panel& panel, const LoadOutcome& outcome) {
  if (outcome.readError) return L"The file could not be read: " + SystemText(outcome.readError);
  if (const auto& u = outcome.unshowable) {
    const std::wstring name = SettingName(*u->field, u->field->settings);
    // The number as the file gives it: "-1", not the 4294967295 it stands for.
    return L"Line " + Decimal(u->line) + L": " +
           (u->why == Unshowable::Why::Number
                ? name + L" cannot show the number " +
                      (u->text.empty() ? Decimal(u->number)
                                       : registration::Cut(registration::Trimmed(u->text)))
                : name +
                      L" has no item that stores these numbers (with the stored values of those "
                      L"the file does not give)");
  }
  const FileFault& fault = *outcome.refused;
  const std::wstring named =
      fault.setting ? Named(panel, {*fault.setting}, false) + L" " + fault.what : fault.what;
  if (fault.line) return L"Line " + Decimal(fault.line) + L": " + named;
  std::wstring what = named;
  if (!what.empty()) what[0] = static_cast<wchar_t>(towupper(what[0]));
  return what;
}

std::wstring LoadRemarks(const LoadPlan& plan) {
  std::wstring text;
  for (Key key : plan.missingKeys) {
    text += L"The key " + KeyName(key) +
            L" does not exist, so the file's values in it were skipped (with any list item that "
            L"stores a value there).\r\n";
  }
  if (!plan.skipped.empty()) {
    constexpr std::size_t kNamed = 3;
    text += L"Left alone, as they are none of the panel's settings: ";
    for (std::size_t i = 0; i < std::min(kNamed, plan.skipped.size()); ++i) {
      const SkippedValue& value = plan.skipped[i];
      text += (i ? L", " : L"") +
              registration::Cut(value.key + L"\\" + (value.name.empty() ? L"@" : value.name));
    }
    if (plan.skipped.size() > kNamed) {
      text += L" and " + Decimal(plan.skipped.size() - kNamed) + L" more";
    }
    text += L".\r\n";
  }
  return text;
}

std::wstring WhyNotSaved(unsigned long error) {
  if (error == ERROR_FILE_READ_ONLY) {
    return L"The file is read-only, and Windows does not replace a read-only file: clear its "
           L"read-only attribute, or save under another name.";
  }
  return SystemText(error);
}

std::wstring LeftOut(const Panel& panel, const SaveOutcome& outcome) {
  std::wstring text;
  std::vector<Setting> others;
  for (Key key : outcome.missingKeys) {
    text +=
        L"The key " + KeyName(key) + L" does not exist, so none of its settings were saved.\r\n";
  }
  for (Setting setting : outcome.leftOut) {
    if (std::find(outcome.missingKeys.begin(), outcome.missingKeys.end(), Info(setting).key) ==
        outcome.missingKeys.end()) {
      others.push_back(setting);
    }
  }
  if (others.empty()) return text;
  return text + L"Left out, since the panel shows no stored value for them:\r\n" +
         Named(panel, others, true);
}

}  // namespace calvane

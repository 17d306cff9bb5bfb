// What the panel tells the user when values could not be saved or put back,
// in plain words: the window's notices and the command line's messages
// alike. Settings are named as the window shows them, each control once with
// its registry values in parentheses: "Wavetable Mode (GamerMode, SoftSynth)".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/Panel.h"
#include "platform/SystemText.h"
#include "model/SettingsTransfer.h"

namespace calvane {

// How every message names a control and these of its registry values:
// "Effect 1 (Reverb) (ReverbAmount)", as the window shows it.
std::wstring SettingName(const Field& field, const std::vector<Setting>& values);
// Each control once, in the order of its first value; "    " before each
// when `indent`, one per line, else joined with "; ".
std::wstring Named(const Panel& panel, const std::vector<Setting>& settings, bool indent);
// "1 setting", "2 settings".
std::wstring Counted(std::size_t settings);
// Why a write to a key failed, in a sentence, the system's text after it.
std::wstring WhyNotWritten(LONG status, Key key);

// The notice of a change (a control's, a settings file's or the undo's) that
// failed: what could not be saved, that nothing was changed (or which
// values now differ, when they could not be put back), and why.
std::wstring ChangeNotice(const Panel& panel, const WriteFailure& failure);
// The start-up's failures, told together.
std::wstring StartUpNotice(const Panel& panel, const std::vector<WriteFailure>& failures);
// An undo that left values another program had changed.
std::wstring LeftAloneNotice(const Panel& panel, const std::vector<Setting>& settings);

// Settings files. Why a file was refused, as a sentence without its full
// stop ("Line 3: PCM 1 Out Level (AC97PCMOutVol) cannot show the number 32").
std::wstring Refusal(const Panel& panel, const LoadOutcome& outcome);
// What a load stored beside the file's values: the keys that do not exist,
// and the values left alone, the first few named and the rest counted. ""
// when there is nothing to tell.
std::wstring LoadRemarks(const LoadPlan& plan);
// Why a file could not be saved: the system's text, or for a read-only
// file, which the system does not replace, what to do.
std::wstring WhyNotSaved(unsigned long error);
// The keys Save found missing, and the other settings it left out, one
// control a line; "" when none.
std::wstring LeftOut(const Panel& panel, const SaveOutcome& outcome);

}  // namespace calvane

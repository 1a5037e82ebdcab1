#pragma once

#include "app/MainWindowState.h"
#include "settings/Profiles.h"

namespace tabulo {

// The windows that keep settings, as start-up and exit see them. A front end without the Advanced
// window leaves `advanced` and `mode` empty.
struct SettingsWindows {
    MainWindowState& main;
    TOptionsForm& options;
    PageSetupFields& pageSetup;
    AdvancedSettingsGroup* advanced = nullptr;
    ModeSwitch* mode = nullptr;

    SettingsOwners Owners() const { return {main, options, pageSetup, advanced, mode}; }
};

// Reads the settings at start-up, in the order the windows are created and the main window is
// first shown:
//  1. main window: font size "9", font "Courier New", sort by name, simple mode; then ReadReg and
//     ReadRegFont from the main key;
//  2. Options window: LoadOptions; Advanced window: LoadAdvanced and, when its stored mode is
//     advanced, the main window switches to advanced mode; Page settings: LoadPageSetup;
//  3. first showing of the main window: the three exclusion lists, ApplyOptions, and ReadRegFont
//     once more.
// The Options window's reaction on the main window's sort and Include controls is connected here.
void StartUpSettings(SettingsStore& store, SettingsWindows& windows);

// At exit the main window writes its group and the exclusion lists into the main key; the other
// groups hold what their windows last confirmed.
void SaveSettingsAtExit(SettingsStore& store, SettingsWindows& windows);

}  // namespace tabulo

#include "app/SettingsLifecycle.h"

namespace tabulo {

void StartUpSettings(SettingsStore& store, SettingsWindows& windows) {
    MainWindowState& main = windows.main;
    windows.options.onMainWindowControlsEnabled = [&main](bool enabled) { main.sortAndIncludeEnabled = enabled; };
    main.sortAndIncludeEnabled = windows.options.MainWindowControlsEnabled();

    main.PrepareForReading();
    if (windows.mode) windows.mode->SetSimpleMode();
    main.ReadReg(store, {});
    main.ReadRegFont(store, {});

    windows.options.LoadOptions(store, {});
    if (windows.advanced) {
        windows.advanced->LoadAdvanced(store, {});
        if (windows.mode && windows.advanced->AdvancedMode()) windows.mode->SetAdvancedMode();
    }
    windows.pageSetup.LoadPageSetup(store, {});

    main.LoadExclusionLists(store);
    ApplyOptions(windows.options, main.settings, main.btnTreeViewDown);
    main.ReadRegFont(store, {});
}

void SaveSettingsAtExit(SettingsStore& store, SettingsWindows& windows) {
    windows.main.SaveReg(store, {});
}

}  // namespace tabulo

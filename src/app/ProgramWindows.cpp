#include "app/ProgramWindows.h"

#include <iterator>

namespace tabulo {

namespace {

// The Include boxes in the order the main group reads them, with the mode model's setters.
struct IncludeBox {
    bool ListSettings::*field;
    void (ModeModel::*set)(bool);
};
constexpr IncludeBox kIncludeBoxes[] = {
    {&ListSettings::IncludeDate, &ModeModel::SetInclDate},
    {&ListSettings::IncludeTime, &ModeModel::SetInclTime},
    {&ListSettings::IncludeSize, &ModeModel::SetInclSize},
    {&ListSettings::IncludeAttr, &ModeModel::SetAttr},
};

}  // namespace

void BoundMainWindowState::ReadReg(SettingsStore& store, std::string_view profile) {
    bool shown[std::size(kIncludeBoxes)];
    for (std::size_t i = 0; i < std::size(kIncludeBoxes); ++i)
        shown[i] = settings.*kIncludeBoxes[i].field;
    const bool advancedMode = settings.AdvancedMode;

    MainWindowState::ReadReg(store, profile);

    settings.AdvancedMode = advancedMode;
    if (!mode_) return;
    for (std::size_t i = 0; i < std::size(kIncludeBoxes); ++i) {
        const IncludeBox& box = kIncludeBoxes[i];
        const bool read = settings.*box.field;
        settings.*box.field = shown[i];
        (mode_->*box.set)(read);
    }
}

ProgramWindows::ProgramWindows(SettingsStore* store)
    : mode(main.settings, advanced), store_(store), advancedStore_(advanced, store) {
    advanced.SetPreviewOptions(&preview_);
    if (store_) advanced.SetStore(&advancedStore_);
    main.SetModeModel(&mode);
    options.onMainWindowControlsEnabled = [this](bool enabled) { main.sortAndIncludeEnabled = enabled; };
}

SettingsWindows ProgramWindows::Windows() {
    return {main, options, pageSetup, &advancedStore_, &modeSwitch_};
}

void ProgramWindows::StartUp() {
    if (store_) {
        SettingsWindows windows = Windows();
        StartUpSettings(*store_, windows);
        return;
    }
    // Factory settings: every window is created as designed; there is nothing to read.
    main.PrepareForReading();
    mode.SetSimpleMode();
    mode.CreateAdvancedForm();
    ApplyOptions(options, main.settings, main.btnTreeViewDown);
}

void ProgramWindows::Exit() {
    if (!store_) return;
    SettingsWindows windows = Windows();
    SaveSettingsAtExit(*store_, windows);
}

void ProgramWindows::SaveProfile(std::string_view name) {
    if (store_) tabulo::SaveProfile(*store_, Windows().Owners(), name);
}

void ProgramWindows::LoadProfile(std::string_view name) {
    if (store_) tabulo::LoadProfile(*store_, Windows().Owners(), name);
}

}  // namespace tabulo

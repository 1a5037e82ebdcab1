#pragma once

#include <string_view>

#include "app/AdvancedWindowStore.h"
#include "app/MainWindowState.h"
#include "app/ModeModel.h"
#include "app/SettingsLifecycle.h"

namespace tabulo {

// The main window's stored state beside its mode model. The Include boxes read from the store
// reach the mode model through its setters, so "Time" follows "Date" and views are told; the main
// group's "AdvancedMode", kept there for the record, does not change the mode, which follows the
// Advanced window's own stored flag.
class BoundMainWindowState final : public MainWindowState {
  public:
    void SetModeModel(ModeModel* mode) { mode_ = mode; }
    void ReadReg(SettingsStore& store, std::string_view profile) override;

  private:
    ModeModel* mode_ = nullptr;
};

// The models of the program's windows that keep settings, bound together as the program creates
// its windows: the main window's state with its mode model, the Options window (whose "Sizes as
// KB" and "All names as lowercase" the Advanced window's preview reads), the Advanced window
// (stored in the "\Advanced" group; its OK and Cancel store and reload it), and the page setup.
// Both front ends start, save profiles, load profiles and exit through it. A null store gives the
// factory settings: the windows are created as designed and nothing is read or written.
class ProgramWindows {
  public:
    explicit ProgramWindows(SettingsStore* store);
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    BoundMainWindowState main;
    TOptionsForm options;
    PageSetupFields pageSetup;
    TPatternForm advanced;
    ModeModel mode;

    // Start-up and the main window's first showing (StartUpSettings): main window, Options,
    // Advanced window and the mode it stored, page setup; then the exclusion lists, ApplyOptions
    // and the font values once more.
    void StartUp();
    // Closing the main window: its group and the exclusion lists go into the main key.
    void Exit();
    // The profile commands of the File menu (empty name: the main key). Loading ends with the mode
    // that the loaded Advanced window holds.
    void SaveProfile(std::string_view name);
    void LoadProfile(std::string_view name);

    SettingsStore* Store() const { return store_; }
    SettingsWindows Windows();

  private:
    class OptionsPreview final : public PreviewOptions {
      public:
        explicit OptionsPreview(const TOptionsForm& options) : options_(options) {}
        bool SizesAsKB() const override { return options_.SizesAsKB(); }
        bool LowerCase() const override { return options_.AllNamesAsLowercase(); }

      private:
        const TOptionsForm& options_;
    };

    class ModeModelSwitch final : public ModeSwitch {
      public:
        explicit ModeModelSwitch(ModeModel& mode) : mode_(mode) {}
        void SetAdvancedMode() override { mode_.SetAdvancedMode(); }
        void SetSimpleMode() override { mode_.SetSimpleMode(); }

      private:
        ModeModel& mode_;
    };

    SettingsStore* store_;
    OptionsPreview preview_{options};
    AdvancedWindowStore advancedStore_;
    ModeModelSwitch modeSwitch_{mode};
};

}  // namespace tabulo

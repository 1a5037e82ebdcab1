#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "engine/ListSettings.h"
#include "settings/SettingTable.h"

namespace tabulo {

// The sixteen check boxes of the Options window, in the order their values are written.
enum class OptionBox {
    KB,
    IgnoreEmpty,
    ShortFNames,
    FoldersOnly,
    LowerCase,
    UpperCase,
    VolumeLabel,
    FolderSummary,
    FolderHeader,
    ResetCounter,
    TotalSummary,
    IgnoreMaxColumnSize,
    FullPath,
    DosLikeListing,
    ZipContent,
    TreeViewMode,
};
inline constexpr int kOptionBoxCount = 16;

// A box's control name, caption, stored value name and the option flag it feeds.
struct OptionBoxInfo {
    OptionBox box;
    std::string_view control;
    std::string_view caption;
    std::string_view storedAs;
    bool OptionFlags::*flag;
};
const std::array<OptionBoxInfo, kOptionBoxCount>& OptionBoxes();

// The Options window ("Options"): its sixteen boxes with their enabled states and the reactions
// between them, which run when a box is clicked and whenever the program (a load) changes one:
//  - "List folders only" (and a click on "Full path") disables, or enables again, the folder and
//    file boxes and the main window's sort and Include controls; "Ignore max column size" comes
//    back only while "TreeView mode" is checked;
//  - when neither folder header nor folder summary is left checked, "Reset counter for each
//    folder" is unchecked;
//  - "Ignore max column size" is enabled exactly while "TreeView mode" is checked;
//  - lower case and upper case exclude each other.
class TOptionsForm {
  public:
    TOptionsForm();

    bool Checked(OptionBox box) const { return checked_[Index(box)]; }
    bool Enabled(OptionBox box) const { return enabled_[Index(box)]; }

    // A user's click on an enabled box: toggles it and runs its reaction.
    void Click(OptionBox box);
    // A change by the program: runs the box's reaction when its state changes.
    void SetChecked(OptionBox box, bool checked);

    // Whether the main window's sort combo, sort direction and Include boxes are enabled.
    bool MainWindowControlsEnabled() const { return mainWindowControlsEnabled_; }

    // Opening the window: "Reset counter for each folder" takes the run settings' value (the
    // Advanced window may have changed it), and the tree-view rule is applied again.
    void Show(const ListSettings& settings);
    // OK stores the boxes in the main key; Cancel (and Esc) loads them back from it. Either way
    // the main window then runs ApplyOptions.
    void btnOkClick(SettingsStore& store) const { SaveOptions(store, {}); }
    void btnCancelClick(SettingsStore& store) { LoadOptions(store, {}); }

    // The "\Options" group of a settings key (empty profile name: the main key).
    void LoadOptions(SettingsStore& store, std::string_view profile);
    void SaveOptions(SettingsStore& store, std::string_view profile) const;

    // Sets every box from an option record as a program change would (for a front end whose
    // options came from elsewhere, such as the command line).
    void SetBoxesFrom(const OptionFlags& flags);

    // What the pattern editor's preview reads from this window.
    bool SizesAsKB() const { return Checked(OptionBox::KB); }
    bool AllNamesAsLowercase() const { return Checked(OptionBox::LowerCase); }

    // Called when the main window's sort and Include controls are to be enabled or disabled.
    std::function<void(bool enabled)> onMainWindowControlsEnabled;
    // Called after any box's state or enabled state changed.
    std::function<void()> onChanged;

  private:
    static std::size_t Index(OptionBox box) { return static_cast<std::size_t>(box); }
    void React(OptionBox box);
    void ApplyFoldersOnlyRule();
    void ApplyTreeViewRule();

    std::array<bool, kOptionBoxCount> checked_{};
    std::array<bool, kOptionBoxCount> enabled_{};
    bool mainWindowControlsEnabled_ = true;
};

// The "\Options" group: every box as a yes/no value.
const SettingTable<TOptionsForm>& OptionsSettings();

// Takes the Options window into the run settings: `ListOptions` from the boxes (not an archive
// member list), the tree-view tool button put down or up to match, then `ArchiveOptions` through
// SetArchiveOptions.
void ApplyOptions(const TOptionsForm& form, ListSettings& settings, bool& treeViewButtonDown);

// The main window's "Treeview mode" tool button, pressed to `down`: the Options window's box and
// both option records follow it at once (the store only when the window is next confirmed).
void TreeViewButtonClick(TOptionsForm& form, ListSettings& settings, bool down);

}  // namespace tabulo

#pragma once

#include <string>
#include <string_view>

#include "engine/ListSettings.h"
#include "settings/Profiles.h"
#include "settings/SettingTable.h"

namespace tabulo {

// The main window's stored state: the run settings it owns and the state of the controls whose
// values the main settings group keeps (sort direction radio buttons, font size item, window
// size, navigator folder, ...). ReadReg, ReadRegFont and SaveReg move it to and from the store.
class MainWindowState : public MainSettingsGroup {
  public:
    static constexpr int kMinWidth = 600;
    static constexpr int kMinHeight = 460;
    static constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20};  // the size combo's items

    MainWindowState();  // the defaults

    ListSettings settings;
    bool rbAscending = true;    // its partner rbDescending is settings.Descending
    int fontSizeIndex = 1;      // item of the font size combo; -1: none selected
    std::string currentFolder;  // the navigator's folder; empty: the navigator's own start
    int width = 0;
    int height = 0;
    bool maximized = false;
    std::string prevCatFolder;          // where the catalog open dialog starts
    bool btnTreeViewDown = false;       // the "Treeview mode" tool button
    bool sortAndIncludeEnabled = true;  // off while the Options window's "List folders only" is checked
    std::string programPath;            // written as "TabuloPro_Exe"; empty: not written

    // Controls whose enabled state follows others.
    bool TimeEnabled() const { return settings.IncludeDate; }
    bool RecurseAllEnabled() const { return settings.IncludeFolders; }
    bool LevelsEnabled() const { return settings.IncludeFolders && !settings.RecurseAll; }

    // Radio buttons of the sort direction: checking one unchecks the other.
    void SetAscending(bool checked);
    void SetDescending(bool checked);
    // Item of the sort combo (0 name, 1 size, 2 date, 3 extension); another index selects none.
    void SetSortIndex(int index);
    int SortIndex() const;
    // Item of the font size combo; another index selects none and leaves the size as it was.
    void SetFontSizeIndex(int index);
    // The window's size, at least its minimum size.
    void SetWindowSize(int newWidth, int newHeight);

    // Before the first reading: font size "9", font "Courier New", sort by name.
    void PrepareForReading();
    // After the run settings were changed directly (the command line): the radio buttons and the
    // font size item follow them.
    void MatchControlsToSettings();

    // ReadReg: the main group but the font values; before reading, "TabuloPro_Exe" is written into
    // the opened key. "CurrentFolder" is read from the main key only.
    void ReadReg(SettingsStore& store, std::string_view profile) override;
    // ReadRegFont: "FontName", "FontSize" (an item index), "FontColor", "UseDefaultFont".
    void ReadRegFont(SettingsStore& store, std::string_view profile) override;
    // SaveReg: the main group ("TabuloPro_Exe" only into profile keys), then the three exclusion
    // lists into the subkeys of the same key, whether or not the group could be written.
    void SaveReg(SettingsStore& store, std::string_view profile) override;
    // The three exclusion lists from the main key, appended to the current ones.
    void LoadExclusionLists(SettingsStore& store);
};

// The main group. Reader 0 is ReadReg, reader 1 ReadRegFont.
const SettingTable<MainWindowState>& MainSettings();

}  // namespace tabulo

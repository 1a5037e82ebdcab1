#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AdvancedSettings.h"
#include "settings/OptionsForm.h"
#include "settings/PageSetup.h"

namespace tabulo {

// The main window's settings group as profiles need it (the main window's state implements it).
class MainSettingsGroup {
  public:
    virtual ~MainSettingsGroup() = default;
    virtual void ReadReg(SettingsStore& store, std::string_view profile) = 0;
    virtual void ReadRegFont(SettingsStore& store, std::string_view profile) = 0;
    // The main group, then the three exclusion lists.
    virtual void SaveReg(SettingsStore& store, std::string_view profile) = 0;
};

// Every window whose settings a profile holds. The Advanced window and the mode are left out
// (nullptr) by a front end that has no Advanced window.
struct SettingsOwners {
    MainSettingsGroup& main;
    TOptionsForm& options;
    PageSetupFields& pageSetup;
    AdvancedSettingsGroup* advanced = nullptr;
    ModeSwitch* mode = nullptr;
};

// Saves the current settings under a profile name (empty: the main key): the main group with the
// exclusion lists, then the "\Options", "\Advanced" and "\PageSetup" groups. An existing profile
// is overwritten value by value; values these groups do not write stay.
void SaveProfile(SettingsStore& store, const SettingsOwners& owners, std::string_view name);

// Loads a profile (empty: the main key): the main group (the current folder only from the main
// key) and its font values, then "\PageSetup", "\Options" and "\Advanced"; then the main window
// takes the mode the Advanced window now holds. The option records of the run settings are not
// touched (ApplyOptions runs when the Options window is next closed), nor are the exclusion lists.
void LoadProfile(SettingsStore& store, const SettingsOwners& owners, std::string_view name);

// The profile names: the direct subkeys of the profiles key, alphabetically without regard to
// case. A name holding "\" shows only its first part.
std::vector<std::string> ListProfiles(SettingsStore& store);

// The stored spelling of an existing profile whose name equals `name` without regard to case.
std::optional<std::string> FindProfile(SettingsStore& store, std::string_view name);

// Whether the name can be a profile's key name (no empty part between backslashes, no control
// character); the empty name stands for the main key.
bool UsableProfileName(std::string_view name);

// Whether the store has a key for that profile name (the empty name: the main key).
bool ProfileKeyExists(SettingsStore& store, std::string_view name);

// The question asked before a profile is replaced: true for Yes.
using AskYesNo = std::function<bool(std::string_view caption, std::string_view text)>;
inline constexpr std::string_view kProfileExistsCaption = "Profile exists";
inline constexpr std::string_view kProfileExistsText = "This name already exists. Replace existing profile?";

// The "Save Settings" window: the profile name box keeps the last name typed.
class TSaveSettingsForm {
  public:
    std::string editSettingname = "my settings";

    // OK: true when the window closes with OK, after which the caller saves the profile under
    // editSettingname. A name that is already a profile (without regard to case) is replaced only
    // when the question is answered Yes; No keeps the window open.
    bool btnOkClick(SettingsStore& store, const AskYesNo& ask) const;
};

// The "Load Settings" window: an editable combo of the profile names.
class TLoadSettingsForm {
  public:
    std::vector<std::string> items;
    std::string text;  // what the combo shows: the selected or a typed name
    int itemIndex = -1;

    // Before each showing: when there is at least one profile the combo's items become the profile
    // list with the first selected; otherwise it keeps what it had.
    void PrepareToShow(SettingsStore& store);
    void Select(int index);
};

}  // namespace tabulo

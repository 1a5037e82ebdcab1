#include "settings/Profiles.h"

#include "platform/Utf8.h"
#include "settings/SettingsKey.h"

namespace tabulo {

void SaveProfile(SettingsStore& store, const SettingsOwners& owners, std::string_view name) {
    owners.main.SaveReg(store, name);
    owners.options.SaveOptions(store, name);
    if (owners.advanced) owners.advanced->SaveAdvanced(store, name);
    owners.pageSetup.SavePageSetup(store, name);
}

void LoadProfile(SettingsStore& store, const SettingsOwners& owners, std::string_view name) {
    owners.main.ReadReg(store, name);
    owners.main.ReadRegFont(store, name);
    owners.pageSetup.LoadPageSetup(store, name);
    owners.options.LoadOptions(store, name);
    if (owners.advanced) {
        owners.advanced->LoadAdvanced(store, name);
        if (owners.mode) {
            if (owners.advanced->AdvancedMode()) {
                owners.mode->SetAdvancedMode();
            } else {
                owners.mode->SetSimpleMode();
            }
        }
    }
}

std::vector<std::string> ListProfiles(SettingsStore& store) {
    const auto key = store.OpenKey(kProfilesKey, false);
    return key ? key->SubkeyNames() : std::vector<std::string>{};
}

std::optional<std::string> FindProfile(SettingsStore& store, std::string_view name) {
    for (std::string& profile : ListProfiles(store)) {
        if (utf8::EqualIgnoreCase(profile, name)) return std::move(profile);
    }
    return std::nullopt;
}

bool UsableProfileName(std::string_view name) {
    std::vector<std::string> names;
    return RegistryTree::SplitPath(SettingsKey(name), names);
}

bool ProfileKeyExists(SettingsStore& store, std::string_view name) {
    return store.OpenKey(SettingsKey(name), false) != nullptr;
}

bool TSaveSettingsForm::btnOkClick(SettingsStore& store, const AskYesNo& ask) const {
    if (!FindProfile(store, editSettingname)) return true;
    return ask(kProfileExistsCaption, kProfileExistsText);
}

void TLoadSettingsForm::PrepareToShow(SettingsStore& store) {
    std::vector<std::string> profiles = ListProfiles(store);
    if (profiles.empty()) return;
    items = std::move(profiles);
    Select(0);
}

void TLoadSettingsForm::Select(int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    itemIndex = index;
    text = items[static_cast<std::size_t>(index)];
}

}  // namespace tabulo

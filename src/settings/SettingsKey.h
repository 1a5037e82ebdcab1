#pragma once

#include <string>
#include <string_view>

namespace tabulo {

// The key of the settings read at start-up and written at exit.
inline constexpr std::string_view kMainKey = "Software\\Quenbright\\Tabulo Pro";
// Its subkey whose direct subkeys are the named profiles.
inline constexpr std::string_view kProfilesKey = "Software\\Quenbright\\Tabulo Pro\\Settings";

// The key of one settings set: the main key for the empty profile name, else the profile's key,
// the name taken exactly as typed (a "\" in it makes nested keys).
inline std::string SettingsKey(std::string_view profile) {
    if (profile.empty()) return std::string(kMainKey);
    return std::string(kProfilesKey) + "\\" + std::string(profile);
}

// A group's key: the settings key followed by "\" and the group's subkey name.
inline std::string GroupKey(std::string_view profile, std::string_view group) {
    return SettingsKey(profile) + "\\" + std::string(group);
}

}  // namespace tabulo

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace tabulo {

// One exclusion list as the store keeps it: a subkey, and the value-name prefix of its entries.
struct ExclusionSubkey {
    std::string_view subkey;  // "ExcludeExtensions", "ExcludeFilenames", "ExcludeFolders"
    std::string_view prefix;  // "ExtStr", "FileNameStr", "FolderStr"
};
inline constexpr ExclusionSubkey kExcludeExtensions{"ExcludeExtensions", "ExtStr"};
inline constexpr ExclusionSubkey kExcludeFilenames{"ExcludeFilenames", "FileNameStr"};
inline constexpr ExclusionSubkey kExcludeFolders{"ExcludeFolders", "FolderStr"};

// Writes one list into the key (made when missing) so that the key holds exactly the list: every
// value it held is removed, and each non-empty entry is written as prefix + its 0-based position
// ("ExtStr0", "ExtStr1", ...); an empty entry leaves its number out.
void SaveExclusionList(SettingsStore& store, const std::string& keyPath, std::string_view prefix,
                       const std::vector<std::string>& list);

// Appends to the list every value of the main key's subkey (made when missing), read as text, in
// store order, whatever its name.
void LoadExclusionList(SettingsStore& store, std::string_view subkey, std::vector<std::string>& list);

}  // namespace tabulo

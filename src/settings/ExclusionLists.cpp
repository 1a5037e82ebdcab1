#include "settings/ExclusionLists.h"

#include "settings/SettingsKey.h"

namespace tabulo {

void SaveExclusionList(SettingsStore& store, const std::string& keyPath, std::string_view prefix,
                       const std::vector<std::string>& list) {
    auto key = store.OpenKey(keyPath, true);
    if (!key) return;
    key->DeleteAllValues();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].empty()) key->WriteText(std::string(prefix) + std::to_string(i), list[i]);
    }
}

void LoadExclusionList(SettingsStore& store, std::string_view subkey, std::vector<std::string>& list) {
    auto key = store.OpenKey(std::string(kMainKey) + "\\" + std::string(subkey), true);
    if (!key) return;
    for (const std::string& name : key->ValueNames()) {
        // A value that is not text has no entry to give.
        if (auto text = key->ReadText(name)) list.push_back(std::move(*text));
    }
}

}  // namespace tabulo

#include "catalog/SettingsStoreReader.h"

namespace tabulo {

bool SettingsStoreReader::KeyExists(std::string_view keyPath) const {
    return store_.OpenKey(keyPath, false) != nullptr;
}

std::string SettingsStoreReader::ReadText(std::string_view keyPath, std::string_view name) const {
    const auto key = store_.OpenKey(keyPath, false);
    if (!key) return {};
    return key->ReadText(name).value_or(std::string());
}

}  // namespace tabulo

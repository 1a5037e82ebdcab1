#pragma once

#include <string>
#include <string_view>

#include "catalog/Cataloguers.h"
#include "settings/SettingsStore.h"

namespace tabulo {

// The cataloguers' keys read from the settings store: keys and values are looked up without
// regard to case, and nothing is ever written, so a missing key stays missing.
class SettingsStoreReader final : public StoreTextReader {
  public:
    explicit SettingsStoreReader(SettingsStore& store) : store_(store) {}

    bool KeyExists(std::string_view keyPath) const override;
    // "" for a missing key or value, and for a value that holds a number instead of text.
    std::string ReadText(std::string_view keyPath, std::string_view name) const override;

  private:
    SettingsStore& store_;
};

}  // namespace tabulo
